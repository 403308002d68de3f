#include "log/LogFile.h"
#include "reports/SummaryPrint.h"
#include "settings/Preferences.h"
#include "support/CliProcess.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

// A 3A station under the current rules whose log is worth 5 QSO points (CW 2 + PH 1 + DIG 2).
// Without an option, score, summary and cabrillo take the claims the windows stored; an option
// replaces its own part only.
TEST(ClaimsCliTest, StoredClaimsScoreUnlessAnOptionReplacesThem)
{
    TempDataDir dir;
    Preferences p;
    p.ownCall = "K1ABC";
    p.ownClass = "3A";
    p.ownSection = "NS";
    writeBytes(dir.file("fdpref.dat"), formatPreferences(p));
    QByteArray log;
    for (const ContactRecord& r :
         std::vector<ContactRecord>{{"W1AW", "1A", "CT", "2026/06/27", "18:00:00", "20", "CW", "", ""},
                                    {"VE1XX", "2A", "NS", "2026/06/27", "18:05:00", "40", "PH", "", ""},
                                    {"VE3Z", "1D", "GH", "2026/06/28", "20:59:00", "40", "DIG", "", ""}})
        log += formatLogLine(r);
    writeBytes(dir.file("fdlog.dat"), log);
    writeBytes(dir.file("youth.txt"), "youth = 2\n");
    const QByteArray stored = "power = 5\r\nsource = battery,solar\r\nmedia = 1\r\n"; // x5, 100 bonus
    const QString out = dir.file("out.txt");
    const struct {
        QByteArray claims; // fdclaims.dat, none when empty
        QStringList args;  // the output file, when there is one, last
        QByteArray expected;
    } rows[] = {
        {stored, {"score"}, "QSO points: 5\nPower multiplier: 5\nBonus points: 100\nClaimed score: 125\n"},
        {stored, {"score", "--power", "100"}, "Power multiplier: 2\nBonus points: 100\nClaimed score: 110\n"},
        {stored, {"score", "--source", "generator"}, "Power multiplier: 2\nBonus points: 100\nClaimed score: 110\n"},
        {stored,
         {"score", "--bonus", dir.file("youth.txt")},
         "Power multiplier: 5\nBonus points: 40\nClaimed score: 65\n"},
        {stored, {"score", "--rules", "written"}, "Phone QSOs: 1\nQSO points: 5\n"},
        {{}, {"score"}, "Phone QSOs: 1\nQSO points: 5\n"},
        {stored, {"summary", out}, "13. Power Multiplier:  5 \r\n\r\n14. Claimed Score:  125 \r\n"},
        {stored, {"summary", "--power", "100+", out}, "13. Power Multiplier:  1 \r\n\r\n14. Claimed Score:  105 \r\n"},
        {stored,
         {"summary", "--source", "mains", out},
         "13. Power Multiplier:  2 \r\n\r\n14. Claimed Score:  110 \r\n"},
        {stored, {"cabrillo", out}, "CATEGORY-POWER: QRP\r\nCLAIMED-SCORE: 125\r\n"},
        {stored,
         {"cabrillo", "--power", "100", "--bonus", dir.file("youth.txt"), out},
         "CATEGORY-POWER: LOW\r\nCLAIMED-SCORE: 50\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        QFile::remove(dir.file("fdclaims.dat"));
        QFile::remove(out);
        if (!row.claims.isEmpty())
            writeBytes(dir.file("fdclaims.dat"), row.claims);
        const CliRun r = runCliProgram(QStringLiteral(FDLOG_CLI), row.args, dir.path());
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QByteArray text = row.args.last() == out ? readBytes(out) : r.out;
        EXPECT_TRUE(row.args.last() == out ? text.contains(row.expected) : text.endsWith(row.expected))
            << text.toStdString();
    }
}

// The printed sheet under the current rules: each bonus with its count and points (the class B
// youth cap, a refused claim at 0), then the total and the claimed score 3 x 2 + 240.
TEST(ClaimsPrint, CurrentRulesSheetListsEveryBonusWithItsPoints)
{
    SummaryValues v;
    v.ownClass = "1B";
    v.rules = RulesEdition::FieldDay2025;
    v.claims.level = PowerLevel::Up100;
    v.claims.sources.solar = true;
    v.claims.bonus = {{"media", 1}, {"youth", 3}, {"messages_handled", 12}, {"safety_officer", 1}};
    const QStringList l = printedSummaryLines(
        v, CountContactsByBandAndMode({{"W1AW", "1A", "CT", "2026/06/27", "18:00:00", "20", "CW", "", ""},
                                       {"K2X", "1A", "CT", "2026/06/27", "18:10:00", "40", "PH", "", ""}}));
    const auto row = [](const char* text, const char* points) {
        return QString(text).leftJustified(70) + QString(points).rightJustified(6);
    };
    const qsizetype at = l.indexOf("14. Bonus Points:");
    ASSERT_GE(at, 0);
    EXPECT_EQ(l[at + 1], row("   7.3.1 100% emergency power (per transmitter, up to 20) (# 0)", "0"));
    EXPECT_EQ(l[at + 2], row("X  7.3.2 Media publicity", "100"));
    EXPECT_EQ(l[at + 6], row("X  7.3.6 Formal messages handled (10 each, up to 100) (# 12)", "100"));
    EXPECT_EQ(l[at + 16], row("X  7.3.15 Youth participation (20 each, up to 100) (# 3)", "40"));
    EXPECT_EQ(l[at + 18], row("   7.3.17 Safety Officer - Only class A may claim this bonus", "0"));
    EXPECT_EQ(l.mid(at + 20, 2), QStringList({"Total Bonus Points:  240 ", "Claimed Score:  246 "}));
    EXPECT_TRUE(l.contains("   Solar X"));
    EXPECT_FALSE(l.contains("Media Publicity ")); // the old sheet's checks are gone
}
