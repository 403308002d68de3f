#include "support/CliProcess.h"
#include "support/StationFiles.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// One contact of each mode, worth 5 QSO points (CW 2 + PH 1 + DIG 2).
const std::vector<ContactRecord> threeModes{
    {"W1AW", "1A", "CT", "2026/06/27", "18:00:00", "20", "CW", "", ""},
    {"VE1XX", "2A", "NS", "2026/06/27", "18:05:00", "40", "PH", "", ""},
    {"VE3Z", "1D", "GH", "2026/06/28", "20:59:00", "40", "DIG", "", ""},
};

// A 3A station whose folder has not chosen its rules: the current ones apply.
class RulesCliTest : public ::testing::Test {
protected:
    void SetUp() override { writeStation(dir, "K1ABC", "3A", "NS", threeModes); }
    void writeLog(const std::vector<ContactRecord>& records) { writeLogFile(dir.file("fdlog.dat"), records); }

    CliRun run(const QStringList& args) { return runCliProgram(QStringLiteral(FDLOG_CLI), args, dir.path()); }

    TempDataDir dir;
};

} // namespace

TEST_F(RulesCliTest, ScoreAddsTheMultiplierAndTheBonus)
{
    writeBytes(dir.file("bonus.txt"), "emergency_power_transmitters = 3\nyouth = 7\nsite_responsibilities = 1\n");
    const QByteArray counts = "CW QSOs: 1\nDigital QSOs: 1\nPhone QSOs: 1\nQSO points: 5\n";
    const struct {
        QStringList args;
        QByteArray tail;
        QByteArray err;
    } rows[] = {
        {{"score"}, counts, {}},
        {{"score", "--power", "5", "--source", "battery,solar"},
         "Power multiplier: 5\nBonus points: 0\nClaimed score: 25\n",
         {}},
        {{"score", "--power", "5", "--source", "battery,generator"},
         "Power multiplier: 2\nBonus points: 0\nClaimed score: 10\n",
         "x5 needs 5 W or less and no mains or generator"},
        {{"score", "--power", "100"}, "Power multiplier: 2\nBonus points: 0\nClaimed score: 10\n", {}},
        // 300 + 100 (youth capped); site responsibilities are not for class A.
        {{"score", "--power", "100+", "--bonus", dir.file("bonus.txt")},
         "Power multiplier: 1\nBonus points: 400\nClaimed score: 405\n",
         "site_responsibilities not counted: Only classes B, C, D, E, F may claim this bonus"},
        {{"score", "--rules", "written", "--power", "150"}, "Power multiplier: 2\nClaimed score: 10\n", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        const CliRun r = run(row.args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith(counts)) << r.out.toStdString();
        EXPECT_TRUE(r.out.endsWith(row.tail)) << r.out.toStdString();
        EXPECT_TRUE(row.err.isEmpty() ? r.err.isEmpty() : r.err.contains(row.err)) << r.err.toStdString();
    }
}

TEST_F(RulesCliTest, CheckListsFindingsAndSaysSoInItsExitCode)
{
    CliRun r = run({"check"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "0 findings\n");
    // The rules as written know neither NS nor GH.
    r = run({"check", "--rules", "written"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "2 BAD-SECTION VE1XX NS\n3 BAD-SECTION VE3Z GH\n2 findings\n");

    writeLog({
        {"VE1XX", "2A", "MAR", "2026/06/27", "18:05:00", "40", "PH", "", ""},
        {"W1AW", "1A", "CT", "2026/06/27", "17:59:00", "30", "CW", "", ""},
        {"VE1XX", "2A", "NS", "2026/06/27", "19:05:00", "40", "PH", "", ""},
    });
    r = run({"check"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "1 RETIRED-SECTION VE1XX MAR is now NB or NS\n"
                     "2 NOT-FD-BAND W1AW 30 m\n"
                     "2 OUTSIDE-PERIOD W1AW 2026/06/27 17:59:00\n"
                     "3 DUPE VE1XX same call, band and mode as record 1\n"
                     "4 findings\n");
    QFile::remove(dir.file("fdlog.dat"));
    r = run({"check"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith("fdlog-cli: cannot read")) << r.err.toStdString();
}

// The summary file scores as the score command does: 5 W from a generator is x2, 10 + 400.
TEST_F(RulesCliTest, SummaryFollowsTheChosenRules)
{
    writeBytes(dir.file("bonus.txt"), "emergency_power_transmitters = 3\nyouth = 7\n");
    CliRun r = run({"summary", "--power", "5", "--source", "battery,generator", "--bonus", dir.file("bonus.txt"),
                    dir.file("a.sum")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray sum = readBytes(dir.file("a.sum"));
    for (const char* line :
         {"\r\nX Generator\r\n", "\r\nX 5 Watts or less, no commercial mains or generator = 5\r\n",
          "\r\nx5 needs 5 W or less and no mains or generator\r\n", "\r\n13. Power Multiplier:  2 \r\n",
          "\r\n14. Claimed Score:  410 \r\n", "\r\nTotal Bonus Points Claimed:  400 \r\n"})
        EXPECT_TRUE(sum.contains(line)) << line;
    r = run({"summary", "--rules", "written", "--power", "150", dir.file("b.sum")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(readBytes(dir.file("b.sum")).contains("\r\n14. Claimed Score:  10 \r\n"));
    EXPECT_EQ(run({"summary", "--rules", "written", "--bonus", dir.file("bonus.txt"), dir.file("c.sum")}).exitCode, 2);
    EXPECT_EQ(run({"summary", "--power", "150", dir.file("c.sum")}).exitCode, 2);
}

// Without an option, score, summary and cabrillo take the claims the windows stored; an option
// replaces its own part only.
TEST_F(RulesCliTest, StoredClaimsScoreUnlessAnOptionReplacesThem)
{
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
        const CliRun r = run(row.args);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QByteArray text = row.args.last() == out ? readBytes(out) : r.out;
        EXPECT_TRUE(row.args.last() == out ? text.contains(row.expected) : text.endsWith(row.expected))
            << text.toStdString();
    }
}
