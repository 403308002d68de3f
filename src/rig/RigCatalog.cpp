#include "rig/RigCatalog.h"

#include <array>

namespace RigCatalog {

std::span<const RigModel> models()
{
    using F = RigFamily;
    static constexpr std::array<RigModel, 20> table{{
        {"None", F::None, nullptr, 0, 0, 0, "", "", false, false, false},
        {"Elecraft", F::Elecraft, "4800", '8', '2', 'N', "FA;", "MD;", false, false, false},
        {"Icom", F::Icom, "1200", '8', '1', 'N', "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, true, false},
        {"Icom 735", F::Icom735, "1200", '8', '1', 'N', "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, true, false},
        {"Kenwood", F::Kenwood, "4800", '8', '2', 'N', "FA;", "MD;", false, false, false},
        {"Kenwood 2", F::Kenwood2, "4800", '8', '2', 'N', "IF;", "", false, false, false},
        {"Ten Tec Omni VI", F::OmniVI, "1200", '8', '1', 'N', "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD", true, false,
         false},
        {"Ten Tec Orion", F::Orion, "56000", '8', '1', 'N', "?AF", "?RMM", false, false, true},
        {"Ten Tec Fnt Pnl", F::FrontPanel, "56000", '8', '1', 'N', "3F 41 0D", "3F 4D 0D", true, false, true},
        {"Ten Tec Pegasus", F::Pegasus, nullptr, 0, 0, 0, "", "", false, false, false},
        {"Yaesu", F::Yaesu, "4800", '8', '2', 'N', "00 00 00 00 03", "", true, false, false},
        {"Yaesu 757 GX II", F::Yaesu757, "4800", '8', '2', 'N', "00 00 00 00 10", "", true, false, false},
        {"Yaesu 890", F::Yaesu890, "4800", '8', '2', 'N', "00 00 00 02 10", "", true, false, false},
        {"Yaesu 920", F::Yaesu920, "4800", '8', '2', 'N', "00 00 00 02 10", "", true, false, false},
        {"Yaesu 990", F::Yaesu990, "4800", '8', '2', 'N', "00 00 00 02 10", "", true, false, false},
        {"Yaesu 1000 D", F::Yaesu990, "4800", '8', '2', 'N', "00 00 00 02 10", "", true, false, false},
        {"Yaesu 1000", F::Yaesu1000, "4800", '8', '2', 'N', "00 00 00 02 10", "", true, false, false},
        {"Yaesu FTdx9000", F::YaesuFTdx9000, "4800", 0, 0, 0, "FA;", "MD0;", false, false, false},
        {"Other", F::Other, nullptr, 0, 0, 0, "", "", false, false, false},
        {"Hamlib rigctld", F::Rigctld, nullptr, 0, 0, 0, "f", "m", false, false, false},
    }};
    return table;
}

QStringList names()
{
    QStringList out;
    for (const auto& m : models())
        out << QString::fromLatin1(m.name);
    return out;
}

const RigModel* find(const QString& name)
{
    for (const auto& m : models()) {
        if (name == QLatin1String(m.name))
            return &m;
    }
    return nullptr;
}

RigFamily familyOf(const QString& name)
{
    const RigModel* m = find(name);
    return m ? m->family : RigFamily::None;
}

bool isYaesuBlock(RigFamily f)
{
    return f == RigFamily::Yaesu757 || f == RigFamily::Yaesu890 || f == RigFamily::Yaesu920 ||
           f == RigFamily::Yaesu990 || f == RigFamily::Yaesu1000;
}

bool takesYaesuOpenClose(RigFamily f)
{
    return f == RigFamily::Yaesu || isYaesuBlock(f);
}

bool isIcomFamily(RigFamily f)
{
    return f == RigFamily::Icom || f == RigFamily::Icom735 || f == RigFamily::OmniVI;
}

} // namespace RigCatalog
