#include "log/LogFile.h"
#include "support/CliProcess.h"
#include "support/StationFiles.h"
#include "util/DataFolderLock.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// A data folder with a small log and the station set up as K1ABC/4 2A ENY.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeStation(dir, "K1ABC/4", "2A", "ENY",
                     {{"W1AW", "1A", "CT", "2026/06/27", "18:00:00", "20", "CW", "AB", "14.025"},
                      {"K2X", "2A", "ENY", "2026/06/27", "18:01:00", "40", "PH", "", ""},
                      {"N3Y", "1B", "EPA", "2026/06/27", "18:02:00", "", "CW", "", ""}});
        // These cases are the rules as written; the folder's choice is what every command follows.
        writeBytes(dir.file("fdrules.dat"), "\"written\"\r\n");
    }

    CliRun run(const QStringList& args)
    {
        return runCliIn(dir.path(), FDLOG_CLI, QStringList{"--data", dir.path()} + args);
    }

    TempDataDir dir;
};

} // namespace

TEST_F(CliTest, SummaryTakesTheSheetFile)
{
    writeBytes(dir.file("sheet.ini"),
               "# our club\r\nclub = Hilltop ARC\r\ngota_cw = 300\r\ngota_ph = 100\r\n"
               "generator = yes\r\naddress2 = Town, NY\r\ngota_operators = W1A 300\\nW1B 100\r\n");
    const CliRun r = run({"summary", "--power", "150+", "--sheet", dir.file("sheet.ini"), dir.file("out.sum")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray f = readBytes(dir.file("out.sum"));
    EXPECT_TRUE(f.startsWith("ARRL Field Day\r\n\r\n1. Field Day Call Used: K1ABC/4"));
    EXPECT_TRUE(f.contains("\r\n2. Club or Group Name: Hilltop ARC\r\n"));
    EXPECT_TRUE(f.contains("\r\nX Generator\r\n"));
    EXPECT_TRUE(f.contains("\r\nX GOTA maximum QSO's achieved\r\n"));
    EXPECT_TRUE(f.contains("\r\nAddress: Town, NY\r\n"));
    EXPECT_TRUE(f.contains("\r\n14. Claimed Score:  703 \r\n")); // 301 CW x 2 + 101 PH, x 1
    EXPECT_TRUE(f.endsWith("\r\nW1A 300\r\nW1B 100\r\n"));

    EXPECT_NE(run({"summary", "--sheet", dir.file("none.ini"), dir.file("x.sum")}).exitCode, 0);
}

TEST_F(CliTest, ImportIsRefusedWhileAnotherCopyHoldsTheDataFolder)
{
    writeBytes(dir.file("other.adi"),
               "<call:4>W9ZZ <band:3>15m <mode:2>CW <qso_date:8>20260627 <time_on:4>1759 <eor>\n");
    const QByteArray before = readBytes(dir.file("fdlog.dat"));
    {
        DataFolderLock window(dir.path());
        ASSERT_TRUE(window.tryLock());
        const CliRun r = run({"import", dir.file("other.adi")});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.startsWith("fdlog-cli: Another copy of the program is already using the data folder "))
            << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1);
        EXPECT_EQ(readBytes(dir.file("fdlog.dat")), before);
        // Reading commands do not rewrite the log and still run.
        EXPECT_EQ(run({"score"}).exitCode, 0);
    }
    const CliRun r = run({"import", dir.file("other.adi")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.file(DataFolderLock::fileName())));
}

// One parser for every command: --data before or after the command name, the same usage
// errors (exit 2, the reason then the usage) and failures (exit 1, one line) for all, and no
// output ever written over the log files of the data folder. `$D` is the data folder, `$E` an
// empty folder the tool runs in, so a --data that is not taken shows as "cannot read". A row's
// file must then hold each of its texts ("!text": must not).
TEST_F(CliTest, CommandLineParsing)
{
    TempDataDir elsewhere;
    writeBytes(dir.file("in.adi"), "<call:4>W9ZZ <band:3>15m <mode:3>FT8 <qso_date:8>20260627 <time_on:4>1759 <eor>\n"
                                   "<call:4>W1AW <band:3>20M <mode:2>CW <qso_date:8>20260627 <time_on:4>1900 <eor>\n");
    const QString cabrilloNote = QStringLiteral("left out #3 N3Y");
    // The same words as the windows' refusal, which goes on to ask for another name.
    const QString liveRefusal = QStringLiteral(
        "%1 is one of the files the program keeps the log in (fdlog.dat, LogBkUp.dat, fdlog.damaged), so nothing "
        "was written");
    // clang-format off
    const struct {
        QStringList args;
        int code;
        QString err; // how the first stderr line starts after "fdlog-cli: "; empty: nothing on stderr
        QString out; // a text stdout contains
        QString file = {};
        QList<QByteArray> has = {};
    } rows[] = {
        {{"--data", "$D", "score"}, 0, {}, "CW QSOs: 1\nDigital QSOs: 0\nPhone QSOs: 1\nQSO points: 3\n"},
        {{"score", "--data", "$D"}, 0, {}, "QSO points: "},
        {{"score", "--power", "5", "--data=$D"}, 0, {}, "Power multiplier: 5\nClaimed score: 15\n"},
        {{"--data", "$D", "summary", "$D/a.sum"}, 0, {}, {}},
        // ADIF 3.1.4 by default; the older words, comment and phone mode are choices.
        {{"--data", "$D", "adif", "$D/a.adi"}, 0, {}, {}, "$D/a.adi",
         {"<ADIF_VER:5>3.1.4 ", "<BAND:3>20m <MODE:2>CW "}},
        {{"adif", "--data", "$D", "--legacy-words", "--comment", "", "--phone-mode", "ssb", "$D/b.adi"}, 0, {}, {},
         "$D/b.adi", {"<Mode:3>SSB\r\n<Tx_Pwr:3>100 ", "!<Comment:"}},
        {{"--data", "$D", "cabrillo", "$D/a.log"}, 0, cabrilloNote, {}},
        {{"cabrillo", "$D/b.log", "--power", "150", "--operators", "k1abc n2def", "--data", "$D"}, 0, cabrilloNote, {},
         "$D/b.log", {"\nCALLSIGN: K1ABC/4\r\n", "\nOPERATORS: K1ABC N2DEF\r\n", "\nQSO: 14025 CW 2026-06-27 1800 K1ABC/4"}},
        {{"--data", "$D", "ascii-log", "$D/a.txt"}, 0, {}, {}, "$D/a.txt", {"     Call Used: K1ABC/4  Class: 2A"}},
        {{"--data", "$D", "dupe-sheet", "$D/c.txt"}, 0, {}, {}, "$D/c.txt", {"\r\n20  CW\r\nW1AW\r\n"}},
        {{"--data", "$D", "ledra"}, 0, {}, {}, "$D/LogExp.txt", {"\"W1AW\",\"2026/06/27\",\"20\",\"CW\",,"}},
        // FT8 is logged as digital unless kept; the W1AW already logged is a duplicate.
        {{"--data", "$D", "import", "$D/in.adi"}, 0, {}, "1 contacts added, 1 duplicates skipped, 4 in the log\n",
         "$D/fdlog.dat", {"\"W9ZZ\",\"\",\"\",\"2026/06/27\",\"17:59\",\"15\",\"DIG\",\"\",\"\",\"\"\r\n"}},
        {{"import", "$D/in.adi", "--data", "$D"}, 0, {}, "0 contacts added, 2 duplicates skipped"},
        {{"import", "--keep-dupes", "--keep-digital-modes", "$D/in.adi", "--data", "$D"}, 0, {}, "2 contacts added",
         "$D/fdlog.dat", {"\"15\",\"FT8\""}},
        {{"import", "$D/fdlog.dat", "--data", "$D"}, 1,
         "Invalid Request!: You can not append the same file onto itself.", {}},
        {{"import", "$D/gone.adi", "--data", "$D"}, 1,
         "Invalid ADIF File Format.: There was an error reading the ADIF", {}},
        {{"adif", "$E/no/such/dir/o.adi", "--data", "$D"}, 1, "cannot write $E/no/such/dir/o.adi", {}},
        {{"rig-set", "--data", "$D", "--rig", "Kenwood", "--port", "$E/none", "--freq", "7"}, 1,
         "Invalid Comm Settings.", {}},
        {{"score"}, 1, "cannot read $E/fdlog.dat", {}},
        // Usage errors.
        {{}, 2, "no command given", {}},
        {{"--data", "$D", "scores"}, 2, "unknown command 'scores'", {}},
        {{"score", "--bogus", "--data", "$D"}, 2, "unknown option '--bogus'", {}},
        {{"--data", "$D", "score", "--sheet", "x.ini"}, 2, "unknown option '--sheet'", {}},
        {{"--data", "$D", "score", "--power"}, 2, "missing value after '--power'", {}},
        {{"score", "--data"}, 2, "missing value after '--data'", {}},
        {{"--data", "$D", "score", "--power", "99"}, 2, "--power takes 5, 150 or 150+", {}},
        {{"adif", "--digital-mode", "", "$D/x.adi", "--data", "$D"}, 2, "--digital-mode must name an ADIF mode", {}},
        {{"--rules", "2024", "score", "--data", "$D"}, 2, "--rules takes 2025 or written", {}},
        {{"score", "--rules", "2025", "--power", "150", "--data", "$D"}, 2, "--power takes 5, 100 or 100+", {}},
        {{"score", "--rules", "2025", "--source", "sun", "--data", "$D"}, 2, "unknown power source 'sun'", {}},
        {{"score", "--source", "mains", "--data", "$D"}, 2, "--source and --bonus belong to --rules 2025", {}},
        {{"--data", "$D", "ascii-log"}, 2, "missing OUT.txt", {}},
        {{"--data", "$D", "ledra", "x.txt"}, 2, "unexpected argument 'x.txt'", {}},
        {{"adif", "$D/c.adi", "$D/d.adi", "--data", "$D"}, 2, "unexpected argument '$D/d.adi'", {}},
        {{"import", "--keep-dupes=1", "$D/in.adi", "--data", "$D"}, 2, "unexpected value after '--keep-dupes'", {}},
        {{"--data", "$D", "rig-set", "--rig", "Kenwood", "--port", "$E/none"}, 2, "--freq is required", {}},
        // Help and version go to stdout.
        {{"--help"}, 0, {}, "\ncommands:\n"},
        {{"--data", "$D", "score", "--help"}, 0, {}, "  --power 5|100|100+  "},
        {{"--data", "$D", "check", "--help"}, 0, {}, "  --rules 2025|written  "},
        {{"rig-poll", "-h", "--data", "$D"}, 0, {}, "  --polls N  "},
        {{"--version"}, 0, {}, QStringLiteral(FDLOG_VERSION "\n")},
        // An output is never one of the log files of the data folder.
        {{"--data", "$D", "adif", "$D/fdlog.dat"}, 1, liveRefusal.arg("$D/fdlog.dat"), {}},
        {{"summary", "$D/LogBkUp.dat", "--data", "$D"}, 1, liveRefusal.arg("$D/LogBkUp.dat"), {}},
        {{"--data", "$D", "cabrillo", "$D/./fdlog.damaged"}, 1, liveRefusal.arg("$D/./fdlog.damaged"), {}},
        {{"--data", "$D", "ascii-log", "$E/../" + QFileInfo(dir.path()).fileName() + "/FDLOG.DAT"}, 1,
         liveRefusal.arg("$E/../" + QFileInfo(dir.path()).fileName() + "/FDLOG.DAT"), {}},
        {{"dupe-sheet", "--data", "$D", "$D/LOGBKUP.DAT"}, 1, liveRefusal.arg("$D/LOGBKUP.DAT"), {}},
    };
    // clang-format on
    const auto fill = [&](QString text) { return text.replace("$D", dir.path()).replace("$E", elsewhere.path()); };
    for (const auto& row : rows) {
        QStringList args;
        for (const QString& a : row.args)
            args << fill(a);
        SCOPED_TRACE(args.join(' ').toStdString());
        const QByteArray logBefore = readBytes(dir.file("fdlog.dat"));
        const CliRun r = runCliIn(elsewhere.path(), FDLOG_CLI, args);
        EXPECT_EQ(r.exitCode, row.code);
        // Failures say one line; usage errors add the usage.
        const QStringList errLines = QString::fromLocal8Bit(r.err).split('\n', Qt::SkipEmptyParts);
        const qsizetype wantLines = row.err.isEmpty() ? 0 : row.code == 2 ? 2 : 1;
        EXPECT_EQ(errLines.size(), wantLines) << r.err.toStdString();
        if (errLines.size() != wantLines)
            continue;
        if (!row.err.isEmpty()) {
            EXPECT_TRUE(errLines[0].startsWith("fdlog-cli: " + fill(row.err))) << errLines[0].toStdString();
        }
        if (row.code == 2) {
            EXPECT_TRUE(errLines[1].startsWith("usage: fdlog-cli [--data DIR] ")) << errLines[1].toStdString();
        }
        EXPECT_TRUE(r.out.contains(row.out.toLocal8Bit())) << r.out.toStdString();
        if (row.code != 0) {
            EXPECT_TRUE(r.out.isEmpty());
            EXPECT_EQ(readBytes(dir.file("fdlog.dat")), logBefore);
        }
        for (const QByteArray& text : row.has) {
            const bool lacks = text.startsWith('!');
            EXPECT_NE(readBytes(fill(row.file)).contains(lacks ? text.mid(1) : text), lacks) << text.toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(dir.file("LogBkUp.dat")));
    EXPECT_FALSE(QFile::exists(dir.file("fdlog.damaged")));

    const CliRun help = runCliIn(elsewhere.path(), FDLOG_CLI, {"--help"});
    for (const char* c :
         {"score", "summary", "adif", "cabrillo", "ascii-log", "dupe-sheet", "ledra", "import", "rig-poll", "rig-set"})
        EXPECT_TRUE(QString::fromLocal8Bit(help.out).contains(
            QRegularExpression(QStringLiteral("\n  %1[ \n]").arg(QLatin1String(c)))))
            << c;
    EXPECT_TRUE(help.out.contains("gota_operators"));
}

// A log the tool cannot read whole is an error, never a partial count; a FIFO is not waited on.
TEST_F(CliTest, AnIncompleteLogIsAnErrorNotAPartialCount)
{
    const QByteArray good = readBytes(dir.file("fdlog.dat"));
    const ContactRecord r{"W1AW", "1A", "CT", "2026/06/27", "18:00:00", "20", "CW", "", ""};
    QByteArray full;
    for (int i = 0; i < 14001; ++i)
        full += formatLogLine(r);
    const struct {
        const char* what;
        QByteArray content;
        const char* message;
    } rows[] = {
        {"unreadable line", good + "\"K1\"ABC\",\"2A\"\r\n" + good, "line 4 is not a log record"},
        {"over capacity", full, "more than 14000 contacts (line 14001 is past the limit)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        writeBytes(dir.file("fdlog.dat"), row.content);
        const CliRun res = run({"score"});
        EXPECT_EQ(res.exitCode, 1);
        EXPECT_TRUE(res.out.isEmpty());
        EXPECT_EQ(res.err.count('\n'), 1);
        EXPECT_TRUE(res.err.contains(row.message)) << res.err.toStdString();
    }
    QFile::remove(dir.file("fdlog.dat"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.file("fdlog.dat")).constData(), 0600), 0);
    for (const QStringList& args : {QStringList{"score"}, QStringList{"import", dir.file("x.adi")}}) {
        const CliRun res = run(args);
        EXPECT_EQ(res.exitCode, 1);
        EXPECT_TRUE(res.err.contains("is not a regular file")) << res.err.toStdString();
    }
}

TEST_F(CliTest, ImportLeavesOutWhatTheLogCannotHoldAndSaysSo)
{
    writeBytes(dir.file("in.adi"), QByteArray("<call:6>K1\x16\x1f"
                                              "AB<band:3>20m<mode:2>CW<qso_date:8>20260627"
                                              "<time_on:4>1801<eor><call:4>w9xx<band:3>40m<mode:2>cw"
                                              "<qso_date:8>20260627<time_on:4>1802<eor>"));
    const CliRun res = run({"import", dir.file("in.adi")});
    EXPECT_EQ(res.exitCode, 1);
    EXPECT_TRUE(res.out.startsWith("1 contacts added")) << res.out.toStdString();
    EXPECT_TRUE(res.err.contains("1 record(s) of")) << res.err.toStdString();
    std::vector<ContactRecord> back;
    ASSERT_EQ(LogFile(dir.file("fdlog.dat")).read(back, 100).status, LogFile::ReadStatus::Ok);
    ASSERT_EQ(back.size(), 4u);
    EXPECT_EQ(back[2].call, "W9XX");
}
