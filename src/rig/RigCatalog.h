#pragma once

#include <QString>
#include <QStringList>
#include <span>

// The rig types the rig window offers, in list order, with what choosing each one presets.
// This table is the one place the presets live; everything else asks it.
enum class RigFamily {
    None,
    Elecraft,
    Icom,
    Icom735,
    Kenwood,
    Kenwood2,
    OmniVI,
    Orion,
    FrontPanel,
    Pegasus,
    Yaesu,    // 5-byte commands, 5-byte BCD reply
    Yaesu757, // the status-block Yaesus, each reading its block differently
    Yaesu890,
    Yaesu920,
    Yaesu990, // also the 1000 D
    Yaesu1000,
    YaesuFTdx9000,
    Other,
    Rigctld,
};

struct RigModel {
    const char* name;
    RigFamily family;
    const char* baud; // nullptr: the port settings are left as they are
    char dataBits;    // 0: unchanged (with baud set: only the baud is preset)
    char stopBits;
    char parity;
    const char* freqCommand;
    const char* modeCommand;
    bool convertToHex;
    bool icomAddressNote;
    bool rtsCts; // the Ten-Tec radios that flow-control their CAT port
};

namespace RigCatalog {

std::span<const RigModel> models();
QStringList names();
// The model of that name; nullptr for an unknown name.
const RigModel* find(const QString& name);
RigFamily familyOf(const QString& name);

inline constexpr const char* kNone = "None";
inline constexpr const char* kRigctld = "Hamlib rigctld";

// Status-block Yaesus: share the frequency and mode frames.
bool isYaesuBlock(RigFamily f);
// Every "Yaesu..." entry except the FTdx9000: these take the open and close bytes.
bool takesYaesuOpenClose(RigFamily f);
bool isIcomFamily(RigFamily f);

} // namespace RigCatalog
