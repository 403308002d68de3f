#include "log/LogFile.h"
#include "settings/Preferences.h"
#include "support/CliProcess.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

// A 3A station whose folder has not chosen its rules: the current ones apply.
class RulesCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Preferences p;
        p.ownCall = "K1ABC";
        p.ownClass = "3A";
        p.ownSection = "NS";
        writeBytes(dir.file("fdpref.dat"), formatPreferences(p));
        writeLog({
            {"W1AW", "1A", "CT", "2026/06/27", "18:00:00", "20", "CW", "", ""},
            {"VE1XX", "2A", "NS", "2026/06/27", "18:05:00", "40", "PH", "", ""},
            {"VE3Z", "1D", "GH", "2026/06/28", "20:59:00", "40", "DIG", "", ""},
        });
    }

    void writeLog(const std::vector<ContactRecord>& records)
    {
        QByteArray bytes;
        for (const ContactRecord& r : records)
            bytes += formatLogLine(r);
        writeBytes(dir.file("fdlog.dat"), bytes);
    }

    CliRun run(const QStringList& args) { return runCliProgram(QStringLiteral(FDLOG_CLI), args, dir.path()); }

    TempDataDir dir;
};

} // namespace

// QSO points of the log: CW 2 + PH 1 + DIG 2 = 5.
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
    const CliRun r = run({"cabrillo", "--power", "5", "--bonus", dir.file("bonus.txt"), dir.file("out.log")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(readBytes(dir.file("out.log")).contains("CLAIMED-SCORE: 425\r\n"));
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
