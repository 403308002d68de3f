#pragma once

// Reply parsers for every rig family (the replies are described in RigFrames.h). Pure
// functions: they get everything the poller collected since its last send and say what it
// held. A reply they cannot use gives no value, so the last reading stays in force.

#include "log/Frequency.h"
#include "rig/RigCatalog.h"

#include <QByteArray>
#include <QString>
#include <optional>

struct RigReading {
    std::optional<Frequency> frequency;
    std::optional<QString> mode; // "CW", "PH" or "DIG" (the 757 GX II also "AM", "FM")
    std::optional<int> vfoFlag;  // "Kenwood 2" only
    // Kenwood "DAn;" (TS-590 and later): the voice mode (LSB, USB, FM) carries data. The poller
    // keeps it and applies it to the mode words that follow; alone it is not a reading.
    std::optional<bool> dataMode;

    bool empty() const { return !frequency && !mode && !vfoFlag; }
};

struct ParseContext {
    RigFamily family = RigFamily::None;
    QString freqBox;
    QString modeBox;
    // Front panel: which command went out last (0 frequency, 1 mode).
    int lastCommand = 0;
};

namespace RigParsers {

RigReading parseReply(const ParseContext& ctx, const QByteArray& buffer);

// How many bytes at the end of `buffer` are the start of a frame still arriving (after the
// family's last terminator); 0 for families without terminators or when the tail is too long
// to be one frame.
qsizetype unfinishedTail(RigFamily family, const QByteArray& buffer);

// The length of a whole binary reply for families that answer without a terminator: 5 for
// "Yaesu", 75 for the 757 GX II's status block; 0 where only a quiet line ends a reply (the
// other status-block Yaesus); -1 for families whose replies are not binary blocks.
int binaryReplyLength(RigFamily family);

// The Pegasus control program's output file: "frequency,mode".
RigReading parsePegasusOut(const QByteArray& text);

// "DIG" within 3 kHz of an FT8/FT4 calling frequency, else "CW" or "PH" for the sub-band
// holding f (bottom edge inclusive, top exclusive); empty outside every sub-band.
QString modeByFrequency(Frequency f);

// The mode word once the Kenwood data flag is known: phone with data on is "DIG".
QString withDataMode(const QString& mode, bool dataMode);

} // namespace RigParsers
