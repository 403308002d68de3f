#include "ReportGolden.h"
#include "reports/CabrilloExport.h"
#include "settings/UserSettingsStore.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

ContactRecord rec(const char* call, const char* cls, const char* sect, const char* date, const char* time,
                  const char* band, const char* mode, const char* freq = "")
{
    return {call, cls, sect, date, time, band, mode, "", freq};
}

std::vector<ContactRecord> mixedLog()
{
    return {
        rec("W1AW", "1A", "CT", "2026/06/27", "18:05:00", "20", "CW", "14.025"),
        rec("N2XX", "3A", "ENY", "2026/06/27", "18:06:10", "40", "PH"),
        rec("K3SAT", "1B", "EPA", "2026/06/27", "18:07:00", "SAT", "DIG", "435.100"),
        rec("W4VHF", "2A", "GA", "2026/06/27", "9:08:00", "2", "FM"),
        rec("W5NOB", "1A", "NTX", "2026/06/27", "18:09:00", "", "CW"),
        rec("W6ODD", "1A", "SV", "2026/06/27", "18:10:00", "20", "XYZ"),
        rec("W7BAD", "1A", "AZ", "2026/02/30", "18:11:00", "15", "CW"),
        rec("W8UHF", "1A", "OH", "2026/06/28", "01:00:00", "1.25", "PH"),
        rec("W9GHZ", "1A", "WI", "2026/06/28", "01:01:00", "23", "SSB"),
        rec("K0SAT", "1A", "MN", "2026/06/28", "01:02:00", "SAT", "CW"),
    };
}

} // namespace

TEST(Cabrillo, WholeFileWithSkippedContacts)
{
    CabrilloHeader h{{"K1ABC", "2A", "ENY"}, PowerClass::Low150, "Test Club", "K1ABC N1XYZ"};
    const CabrilloResult r = buildCabrillo(mixedLog(), h);
    // Counted for the score: 20 CW, 40 PH, SAT DIG, 15 CW, 1.25 PH, SAT CW: (3 CW + 1 DIG) x 2 + 2 PH = 10, x 2.
    EXPECT_EQ(r.text.toStdString(), golden("cabrillo.log").toStdString());
    ASSERT_EQ(r.skipped.size(), 3);
    EXPECT_TRUE(r.skipped[0].startsWith("#5 W5NOB") && r.skipped[0].endsWith("no band"));
    EXPECT_TRUE(r.skipped[1].startsWith("#6 W6ODD") && r.skipped[1].endsWith("unknown mode"));
    EXPECT_TRUE(r.skipped[2].startsWith("#7 W7BAD") && r.skipped[2].endsWith("invalid date"));
}

TEST(Cabrillo, CategoriesFollowClassPowerAndOperators)
{
    CabrilloHeader h{{"W1AW", "1D", "CT"}, PowerClass::Qrp5, "", "W1AW"};
    const QByteArray t = buildCabrillo({}, h).text;
    EXPECT_TRUE(t.contains("\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n"));
    EXPECT_TRUE(t.contains("\r\nCATEGORY-STATION: FIXED\r\n"));
    EXPECT_TRUE(t.contains("\r\nCATEGORY-TRANSMITTER: ONE\r\n"));
    h.station.cls = "5C";
    const QByteArray t2 = buildCabrillo({}, h).text;
    EXPECT_TRUE(t2.contains("\r\nCATEGORY-STATION: MOBILE\r\n"));
    EXPECT_TRUE(t2.contains("\r\nCATEGORY-TRANSMITTER: UNLIMITED\r\n"));
    EXPECT_EQ(cabrilloMode("rtty"), QStringLiteral("DG"));
    EXPECT_EQ(cabrilloMode("AM"), QStringLiteral("PH"));
    EXPECT_EQ(cabrilloMode("SSTV-X"), QString());
}

TEST(Cabrillo, MenuFlowAsksPowerAndOperatorsAndListsLeftOut)
{
    TempDataDir dir;
    ScriptedDialogs d;
    UserSettingsStore store(dir.file("user.ini"));
    store.setValue("CabrilloOperators", "N1OLD");
    d.inputAnswers = {QString("200"), QString("150+"), QString("k1abc w2def")};
    d.fileAnswers.push_back(dir.file("fd.log"));
    ASSERT_TRUE(exportCabrillo(mixedLog(), {{"K1ABC/4", "2A", "ENY"}, {}, "", ""}, dir.path(), d, store));
    EXPECT_EQ(d.calls[0].title, QStringLiteral("Power?"));
    EXPECT_EQ(d.calls[1].title, QStringLiteral("Power?")); // "200" is no power class: asked again
    EXPECT_EQ(d.calls[2].extra, QStringLiteral("N1OLD"));
    EXPECT_EQ(d.calls[3].title, dir.path() + "/K1ABC.log");
    EXPECT_EQ(d.calls[4].title, QStringLiteral("Contacts Left Out"));
    EXPECT_TRUE(d.calls[4].text.contains("W7BAD"));
    EXPECT_EQ(d.last().title, QStringLiteral("File Written Successfully."));
    EXPECT_EQ(store.value("CabrilloOperators"), QStringLiteral("K1ABC W2DEF"));
    EXPECT_TRUE(readBytes(dir.file("fd.log")).contains("\r\nCATEGORY-POWER: HIGH\r\nCLAIMED-SCORE: 10\r\n"));
}
