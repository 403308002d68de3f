#include "rig/RigFrames.h"
#include "rig/RigCatalog.h"
#include "support/Hex.h"
#include "support/QtPrinters.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace RigFrames;

namespace {

QByteArray freqFrame(const char* rig, double mhz, int vfo = 0)
{
    const RigModel* m = RigCatalog::find(QString::fromLatin1(rig));
    EXPECT_NE(m, nullptr) << rig;
    return frequencyFrame(m->family, Frequency::fromMHz(mhz), QString::fromLatin1(m->freqCommand), vfo);
}

QByteArray modeFrameFor(const char* rig, const char* mode)
{
    const RigModel* m = RigCatalog::find(QString::fromLatin1(rig));
    EXPECT_NE(m, nullptr) << rig;
    return modeFrame(m->family, QString::fromLatin1(mode), QString::fromLatin1(m->freqCommand),
                     QString::fromLatin1(m->modeCommand))
        .value_or("<none>");
}

} // namespace

TEST(RigCatalog, ListHasTheNineteenTypesInOrderPlusRigctld)
{
    const QStringList expected{
        "None",         "Elecraft",        "Icom",           "Icom 735",        "Kenwood",
        "Kenwood 2",    "Ten Tec Omni VI", "Ten Tec Orion",  "Ten Tec Fnt Pnl", "Ten Tec Pegasus",
        "Yaesu",        "Yaesu 757 GX II", "Yaesu 890",      "Yaesu 920",       "Yaesu 990",
        "Yaesu 1000 D", "Yaesu 1000",      "Yaesu FTdx9000", "Other",           "Hamlib rigctld"};
    EXPECT_EQ(RigCatalog::names(), expected);
    EXPECT_FALSE(RigCatalog::find("Ten Tec Omni VI")->icomAddressNote);
    EXPECT_TRUE(RigCatalog::find("Ten Tec Orion")->rtsCts);
    EXPECT_TRUE(RigCatalog::find("Ten Tec Fnt Pnl")->rtsCts);
    EXPECT_FALSE(RigCatalog::find("Kenwood")->rtsCts);
    EXPECT_EQ(RigCatalog::find("Yaesu FTdx9000")->dataBits, 0);
    EXPECT_EQ(RigCatalog::find("Nonexistent"), nullptr);
    EXPECT_TRUE(RigCatalog::takesYaesuOpenClose(RigFamily::Yaesu1000));
    EXPECT_FALSE(RigCatalog::takesYaesuOpenClose(RigFamily::YaesuFTdx9000));
}

TEST(RigFrames, HexConversions)
{
    EXPECT_EQ(HexPairsToBytes("FEFE64E003FD"), hex("FE FE 64 E0 03 FD"));
    EXPECT_EQ(HexPairsToBytes("0a"), hex("0A"));
    EXPECT_EQ(spacedHexToBytes("FE FE 5E E0 03 FD"), hex("FE FE 5E E0 03 FD"));
    EXPECT_EQ(spacedHexToBytes("00 00 00 00 03 FF", 5), hex("00 00 00 00 03"));
    EXPECT_EQ(bytesToSpacedHex(hex("00 0A FD")), "00 0A FD");
}

// One frame per rig type and frequency: 14.025 MHz (the worked examples), 7.04, 28.4 and
// 1296.1 MHz, where eight digits of 10 Hz (Yaesu) or of hertz (IC-735) give out: nothing then
// rather than a wrong frequency.
TEST(RigFrames, FrequencyFrames)
{
    struct Row {
        const char* rig;
        double mhz;
        QByteArray frame;
        int vfo = 0;
    };
    // clang-format off
    const Row rows[] = {
        {"Kenwood", 14.025, "FA00014025000;"}, {"Icom", 14.025, hex("FE FE 64 E0 05 00 50 02 14 00 FD")},
        {"Yaesu 990", 14.025, hex("00 25 40 01 0A")}, {"Yaesu", 14.025, hex("01 40 25 00 01")},
        {"Ten Tec Fnt Pnl", 14.025, hex("2A 41 00 D6 01 28 0D")}, {"Kenwood", 7.04, "FA00007040000;"},
        {"Kenwood 2", 7.04, "FA00007040000;"}, {"Kenwood 2", 7.04, "FB00007040000;", 1},
        {"Elecraft", 7.04, "FA00007040000;"}, {"Yaesu FTdx9000", 7.04, "FA07040000;"},
        {"Icom 735", 7.04, hex("FE FE 64 E0 05 00 00 04 07 FD")},
        {"Ten Tec Omni VI", 7.04, hex("FE FE 04 E0 05 00 00 04 07 00 FD")}, {"Yaesu", 7.04, hex("00 70 40 00 01")},
        {"Yaesu 920", 7.04, hex("00 40 70 00 0A")}, {"Yaesu 1000 D", 7.04, hex("00 40 70 00 0A")},
        {"Ten Tec Orion", 7.04, "*AF7040000\r"}, {"Kenwood 2", 28.4, "FB00028400000;", 1},
        {"Yaesu FTdx9000", 28.4, "FA28400000;"}, {"Ten Tec Omni VI", 28.4, hex("FE FE 04 E0 05 00 00 40 28 00 FD")},
        {"Yaesu", 28.4, hex("02 84 00 00 01")}, {"Yaesu 1000", 28.4, hex("00 00 84 02 0A")},
        {"Ten Tec Fnt Pnl", 28.4, hex("2A 41 01 B1 59 80 0D")}, {"Kenwood", 1296.1, "FA01296100000;"},
        {"Yaesu FTdx9000", 1296.1, "FA1296100000;"}, {"Icom", 1296.1, hex("FE FE 64 E0 05 00 00 10 96 12 FD")},
        {"Yaesu", 1296.1, ""}, {"Yaesu 890", 1296.1, ""}, {"Icom 735", 1296.1, ""},
        {"Yaesu", 432.1, hex("43 21 00 00 01")}, {"Yaesu 890", 432.1, hex("00 00 21 43 0A")},
        {"Ten Tec Fnt Pnl", 1296.1, hex("2A 41 4D 40 EA A0 0D")}, {"Ten Tec Orion", 1296.1, "*AF1296100000\r"},
        {"Hamlib rigctld", 1296.1, "F 1296100000\n"},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(freqFrame(row.rig, row.mhz, row.vfo).toHex(' '), row.frame.toHex(' ')) << row.rig << ' ' << row.mhz;
}

TEST(RigFrames, NonsenseFrequenciesGiveNoFrame)
{
    for (double f : {0.0, -7.04, 1e30, std::numeric_limits<double>::infinity(), std::nan("")}) {
        EXPECT_TRUE(frequencyFrame(RigFamily::Kenwood, Frequency::fromMHz(f), "FA;", 0).isEmpty()) << f;
        EXPECT_TRUE(frequencyFrame(RigFamily::Icom, Frequency::fromMHz(f), "FE FE 64 E0 03 FD", 0).isEmpty()) << f;
    }
}

TEST(RigFrames, IcomAddressComesFromTheFrequencyBox)
{
    EXPECT_EQ(frequencyFrame(RigFamily::Icom, Frequency::fromMHz(14.025), "FE FE 5E E0 03 FD", 0),
              hex("FE FE 5E E0 05 00 50 02 14 00 FD"));
    EXPECT_EQ(modeFrame(RigFamily::Icom, "CW", "FE FE 5E E0 03 FD", ""), hex("FE FE 5E E0 06 03 FD"));
}

TEST(RigFrames, ModeFramesEveryColumn)
{
    struct Row {
        const char* rig;
        const char* mode;
        QByteArray frame; // "<none>": no frame for that mode
    };
    // clang-format off
    const Row rows[] = {
        {"Kenwood", "LSB", "MD1;"}, {"Kenwood 2", "FSK", "MD6;"}, {"Elecraft", "AM", "MD5;"},
        {"Kenwood", "CW-R", "<none>"}, {"Kenwood", "DIG", "<none>"}, {"Yaesu FTdx9000", "CW-R", "MD07;"},
        {"Yaesu FTdx9000", "USB", "MD02;"}, {"Yaesu FTdx9000", "FSK", "<none>"},
        {"Yaesu", "CW", hex("02 00 00 00 07")}, {"Yaesu", "DIG", hex("0A 00 00 00 07")},
        {"Yaesu", "PKT", hex("0C 00 00 00 07")}, {"Yaesu", "CW-R", "<none>"},
        {"Yaesu 990", "FM", hex("00 00 00 06 0C")}, {"Yaesu 757 GX II", "PKT", hex("00 00 00 0A 0C")},
        {"Yaesu 1000", "DIG", "<none>"}, {"Icom", "RTTY-R", hex("FE FE 64 E0 06 08 FD")},
        {"Icom", "AM", hex("FE FE 64 E0 06 02 FD")}, {"Ten Tec Omni VI", "USB", hex("FE FE 04 E0 06 01 FD")},
        {"Icom", "FSK", "<none>"}, {"Icom 735", "CW", "<none>"}, {"Ten Tec Orion", "CW", "<none>"},
        {"Hamlib rigctld", "CW-R", "M CWR 0\n"}, {"Kenwood", "XYZ", "<none>"},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(modeFrameFor(row.rig, row.mode).toHex(' '), row.frame.toHex(' ')) << row.rig << ' ' << row.mode;
}

// The commands of one poll, in order: the toggle picks the frequency or the mode command for
// the one-command-per-poll families and is carried from one poll to the next.
TEST(RigFrames, PollCommandsPerFamily)
{
    using F = RigFamily;
    using L = QList<QByteArray>;
    const struct {
        F family;
        const char* freq;
        const char* mode;
        bool hexBoxes;
        L sent;
        bool fromFrequency = false; // the toggle starts over at the frequency command
    } rows[] = {
        // Elecraft radios say DATA in the mode: no data-flag request.
        {F::Elecraft, "FA;", "MD;", false, {"FA;", "MD;"}},
        {F::Kenwood, "", "", false, {}},
        {F::Icom, "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, {hex("FE FE 64 E0 03 FD")}, true},
        {F::Icom, "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, {hex("FE FE 64 E0 04 FD")}},
        {F::Icom, "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, {hex("FE FE 64 E0 03 FD")}}, // and back
        {F::Icom, "FE FE 64 E0 03", "", true, {}},                                             // no FD: no frame
        {F::Yaesu990, "00 00 00 02 10", "", true, {hex("00 00 00 02 10")}},
        {F::Yaesu, "00 00 00 00", "", true, {}},
        {F::YaesuFTdx9000, "FA;", "MD0;", false, {"FA;"}, true},
        {F::YaesuFTdx9000, "FA;", "MD0;", false, {"MD0;"}},
        {F::Other, "01 02", "", true, {hex("01 02")}},
        {F::Other, "ZZ;", "", false, {"ZZ;"}},
        {F::Pegasus, "", "", false, {}},
        {F::Rigctld, "f", "m", false, {"f\nm\n"}},
    };
    int toggle = 0;
    for (const auto& row : rows) {
        if (row.fromFrequency)
            toggle = 0;
        SCOPED_TRACE(::testing::Message() << int(row.family) << ' ' << row.freq << " toggle " << toggle);
        EXPECT_EQ(pollCommands(row.family, row.freq, row.mode, row.hexBoxes, toggle), row.sent);
    }
}
