#include "rig/RigParsers.h"
#include "support/Hex.h"
#include "support/QtPrinters.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace RigParsers;

namespace {

RigReading parse(RigFamily f, const QByteArray& b, const char* freqBox = "FA;", const char* modeBox = "MD;",
                 int lastCommand = 0)
{
    return parseReply({f, QString::fromLatin1(freqBox), QString::fromLatin1(modeBox), lastCommand}, b);
}

// A 38-character IF reply with the given frequency digits, mode and VFO characters.
QByteArray ifReply(const char* hz11, char mode, char vfo)
{
    QByteArray r = QByteArray("IF") + hz11 + "00000+000000000" + "0";
    r += mode;
    r += vfo;
    r += "000000;";
    return r;
}

} // namespace

// Replies that give a reading: the frequency (0: none) and mode ("": none) each must give.
TEST(RigParsers, RepliesThatGiveAReading)
{
    using F = RigFamily;
    struct Row {
        F family;
        QByteArray bytes;
        qint64 hz;
        const char* mode;
        const char* freqBox = "FA;";
        const char* modeBox = "MD;";
        int lastCommand = 0;
        int vfo = -1;
    };
    // clang-format off
    const Row rows[] = {
        {F::Kenwood, "MD7;", 0, "CW"},
        {F::Kenwood, "\x01?;xxFA01296100000;", 1296100000, ""}, // garbage in front
        // Whole hertz as the radio says them: neither rounded to 10 Hz nor through a single.
        {F::Kenwood, "FA00014025005;", 14025005, ""},
        {F::Icom, hex("FE FE E0 64 03 05 50 12 50 00 FD"), 50125005, ""},
        {F::Yaesu920, hex("00 02 FC D8 CD 00 00 01"), 50125005, "CW"},
        {F::Orion, "@AF7030500\r", 7030500, ""},
        {F::Rigctld, "10368000001.000000\nUSB\n2400\n", 10368000001, "PH", "f", "m"},
        // Our own request echoed on the single-wire bus, then the answer.
        {F::Icom, hex("FE FE 64 E0 03 FD FE FE E0 64 03 00 00 04 07 00 FD"), 7040000, ""},
        {F::OmniVI, hex("13 FE 00 FE FE E0 04 04 03 FD"), 0, "CW"},
        {F::Icom, hex("FE FE E0 64 04 01 FD"), 0, "PH"},
        {F::Icom, hex("FE FE E0 64 03 00 00 10 96 12 FD"), 1296100000, ""},
        // The 735's four BCD bytes are eight digits of hertz; five bytes are not its answer.
        {F::Icom735, hex("FE FE E0 64 03 00 50 02 14 FD"), 14025000, ""},
        {F::Icom, hex("FE FE E0 64 04 03 02 FD"), 0, "CW"}, // mode then filter: the mode byte decides
        {F::Icom, hex("FE FE E0 64 04 07 01 FD"), 0, "CW"},
        {F::Icom, hex("FE FE E0 64 04 08 02 FD"), 0, "DIG"},
        {F::Icom, hex("FE FE E0 64 04 05 FD"), 0, "PH"},
        {F::Kenwood, "DA1;FA00014074000;MD2;", 14074000, "PH"}, // the flag alone: the poller combines
        {F::Kenwood, "?;FA00014074000;", 14074000, ""},          // an older radio without "DA"
        {F::Yaesu920, hex("00 00 D6 C0 90 00 00 44"), 14074000, "DIG"}, // DATA-USB
        {F::Yaesu920, hex("00 00 D6 C0 90 00 00 06"), 14074000, "DIG"}, // DATA-FM
        {F::Yaesu920, hex("00 00 D6 C0 90 00 00 40"), 14074000, "PH"},  // USB
        {F::Elecraft, "MD9;", 0, "DIG"},
        {F::Kenwood2, ifReply("00014080000", '6', '0'), 14080000, "DIG", "IF;", "", 0, 0},
        {F::YaesuFTdx9000, "MD0C;", 0, "DIG", "FA;", "MD0;"},
        {F::YaesuFTdx9000, "MD08;", 0, "DIG", "FA;", "MD0;"},
        {F::Yaesu1000, hex("00 02 B5 5C 00 00 00 06"), 28400000, "DIG"},  // PKT
        {F::Rigctld, "14080000\nRTTYR\n500\n", 14080000, "DIG", "f", "m"},
        {F::Rigctld, "7074000\nPKTLSB\n3000\n", 7074000, "DIG", "f", "m"},
        {F::Rigctld, "146500000\nPKTFM\n15000\n", 146500000, "DIG", "f", "m"},
        {F::Yaesu, hex("43 21 00 00 88"), 432100000, "PH"},
        {F::Yaesu, hex("01 40 80 00 0A"), 14080000, "DIG"},
        {F::Yaesu, hex("14 60 00 00 06"), 146000000, ""}, // wide FM: no mode word
        {F::Yaesu990, hex("00 0A BE 00 00 00 00 01"), 7040000, "PH"},
        {F::Yaesu1000, hex("00 02 B5 5C 00 00 00 09"), 28400000, ""},
        // 757 GX II: BCD in bytes 9, 8, 7, 6 and mode in byte 10.
        {F::Yaesu757, hex("00 00 00 00 00 00 25 40 01 04"), 14025000, "AM"},
        {F::FrontPanel, hex("4D 30 30 0D"), 0, "PH", "", "", 1},
        {F::Orion, "@RMM0\r", 0, "PH"},
        {F::YaesuFTdx9000, "FA28400000;MD03;", 28400000, "CW", "FA;", "MD0;"},
        {F::Rigctld, "14025000\nCWR\n500\n", 14025000, "CW", "f", "m"},
        {F::Rigctld, "RPRT 0\n7040000\nLSB\n2400\n", 7040000, "PH", "f", "m"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(row.family) << ' ' << row.bytes.toHex(' ').toStdString());
        const RigReading r = parse(row.family, row.bytes, row.freqBox, row.modeBox, row.lastCommand);
        EXPECT_EQ(r.frequency.value_or(Frequency{}).hz, row.hz);
        EXPECT_EQ(r.mode.value_or("<none>"), *row.mode ? QString::fromLatin1(row.mode) : "<none>");
        EXPECT_EQ(r.dataMode.value_or(false), row.bytes.startsWith("DA1;"));
        if (row.vfo >= 0) {
            EXPECT_EQ(r.vfoFlag, row.vfo);
        }
    }
    EXPECT_EQ(*parsePegasusOut("7.2,USB").mode, "PH");
    EXPECT_EQ(*parsePegasusOut("14.08,FSK").mode, "DIG");
}

TEST(RigParsers, ModeByFrequency)
{
    const auto at = [](double mhz) { return modeByFrequency(Frequency::fromMHz(mhz)); };
    EXPECT_EQ(at(14.1), "CW");
    EXPECT_EQ(at(14.2), "PH");
    EXPECT_EQ(at(7.125), "PH");
    EXPECT_EQ(at(7.0), "CW");
    EXPECT_EQ(at(10.12), "CW");
    EXPECT_EQ(at(146.52), "PH");
    EXPECT_EQ(at(1.9), "");
    // FT8 and FT4 calling frequencies, 3 kHz either side, are data whatever the sub-band.
    const double ft[] = {1.840,  3.573,  7.074,   10.136, 14.074, 18.100, 21.074, 24.915,
                         28.074, 50.313, 144.174, 3.575,  7.0475, 14.080, 21.140, 28.180};
    for (double mhz : ft) {
        SCOPED_TRACE(mhz);
        for (qint64 offset : {-3000, 0, 3000})
            EXPECT_EQ(modeByFrequency(Frequency::fromHz(std::llround(mhz * 1e6) + offset)), "DIG");
    }
    EXPECT_EQ(modeByFrequency(Frequency::fromHz(14074000 - 3001)), "CW");
    EXPECT_EQ(modeByFrequency(Frequency::fromHz(7044400)), "CW"); // below FT4's window
    EXPECT_EQ(modeByFrequency(Frequency::fromHz(28180000 + 3001)), "CW");
    EXPECT_EQ(modeByFrequency(Frequency::fromHz(1843001)), "");
}

TEST(RigParsers, UnfinishedTailIsKeptOnlyForFramesStillArriving)
{
    const std::tuple<RigFamily, QByteArray, qsizetype> rows[] = {
        {RigFamily::Kenwood, "FA00014025000;MD", 2},
        {RigFamily::Kenwood, "FA00014025000;MD3;", 0},
        {RigFamily::Kenwood, QByteArray(100, 'x'), 0},
        {RigFamily::Orion, "@AF7040000\r@RM", 3},
        {RigFamily::Rigctld, "14025000\nCW", 2},
        {RigFamily::Icom, hex("FE FE E0 64 03 00 FD FE FE E0"), 3},
        {RigFamily::Icom, hex("FE FE E0 64 03 00 FD 13 37"), 0}, // no preamble: noise
        {RigFamily::Yaesu, hex("01 40 25"), 0},
    };
    for (const auto& [family, bytes, tail] : rows)
        EXPECT_EQ(unfinishedTail(family, bytes), tail) << bytes.toHex(' ').toStdString();
}

// Replies a wrong port, a wrong baud rate or a wrong rig type could give: none of them is a
// reading, so the last one stays in force.
TEST(RigParsers, RepliesThatDoNotParseWholeGiveNothing)
{
    using F = RigFamily;
    struct Row {
        F family;
        QByteArray bytes;
        int lastCommand = 0;
    };
    const QByteArray ifModeX = QByteArray("IF00014025000") + "00000+000000000" + "0" + "x0" + "000000;";
    const Row rows[] = {
        {F::Kenwood, "\x13\x37?;"},
        {F::Kenwood, "FA0001402500x;MDx;"},
        {F::Kenwood, "FA00014025000MD3"},     // no terminators
        {F::Kenwood, "FA00000000000;MD0;"},   // zero hertz, no mode
        {F::Kenwood, "FA000140250000;MD33;"}, // a digit too many
        {F::Elecraft, QByteArray(300, '\xff')},
        {F::Kenwood2, "IF00014025000;"},
        {F::Kenwood2, ifModeX},
        {F::YaesuFTdx9000, "FAabc;MD0Z;"},
        {F::Icom, hex("FE FE E0 64 03 00 50 02 FD")},       // three bytes of frequency
        {F::Icom, hex("FE FE E0 64 03 00 00 00 00 00 FD")}, // zero hertz
        {F::Icom, hex("FE FE E0 64 04 FF FD")},
        {F::Icom, hex("FE FE E0 64 04 03 09 FD")}, // no such filter
        {F::Icom, hex("FE FE E0 64 03 00 50 FE FE 02 14 00 FD")},
        {F::Yaesu, hex("01 40 25 00 77")},
        {F::Yaesu, hex("00 00 00 00 02")},
        {F::Yaesu, hex("FF FF FF FF 02")},
        {F::Yaesu890, QByteArray(18, '\xff')},
        {F::Yaesu990, QByteArray(18, '\0')},
        {F::Yaesu757, hex("00 00 00 00 00 00 2A 40 01 04")},
        {F::Yaesu757, hex("00 00 00 00 00 00 25 40 01 09")},
        {F::FrontPanel, hex("41 00 D6 01 28")},
        {F::FrontPanel, hex("58 00 D6 01 28 0D")},
        {F::FrontPanel, hex("4D 39 39 0D"), 1},
        {F::Orion, "@AF70x0000\r@RMM9\r"},
        {F::Rigctld, "garbage\n"},
        {F::Rigctld, "14025000\nXYZ\n500\n"},
        {F::Rigctld, "14025000"}, // no line end yet
        {F::Rigctld, "RPRT x\n"},
        {F::Rigctld, "0\nCW\n500\n"},
        {F::Rigctld, "RPRT -11\n"},
        {F::Icom, hex("FE FE E0 64 03 00 50 02")},          // no closing FD
        {F::Icom, hex("FE FE E0 64 03 00 5A 02 14 00 FD")}, // not BCD
        {F::Icom, hex("FE FE E0 64 FB FD")},                // an acknowledgement
        {F::Yaesu, hex("01 40 25 00")},
        {F::Yaesu890, hex("00 00 15 66")},
        {F::Orion, "@AF70400"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(row.family) << ' ' << row.bytes.toHex(' ').toStdString());
        EXPECT_TRUE(parse(row.family, row.bytes, "FA;", "MD0;", row.lastCommand).empty());
    }
    for (const char* text : {"garbage", "14.025,XYZ", "0,CW", "14.025"})
        EXPECT_TRUE(parsePegasusOut(text).empty()) << text;
}
