#include "ReportGolden.h"
#include "log/SectionTable.h"
#include "reports/AdifExport.h"
#include "reports/TextReports.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "util/ProgramInfo.h"

#include <gtest/gtest.h>

namespace {

QString sp(int n)
{
    return QString(n, QLatin1Char(' '));
}

ContactRecord rec(const char* call, const char* cls, const char* sect, const char* date, const char* time,
                  const char* band, const char* mode, const char* op = "", const char* freq = "")
{
    return {call, cls, sect, date, time, band, mode, op, freq};
}

const StationIdentity own{"K1ABC", "2A", "ENY"};

} // namespace

TEST(AdifExport, WholeFileWithEveryFieldCondition)
{
    const std::vector<ContactRecord> log{
        rec("K1ABC", "2A", "ENY", "2026/06/27", "9:05:30", "20", "CW", "AB", "14.025"),
        rec("VE2XYZ", "1D", "QC", "2026/13/45", "12:00:00", "1.25", "PH"),
        rec("JA1XX", "1A", "DX", "2026/06/28", "", "SAT", "DIG"),
        rec("KH6AA", "3A", "PAC", "2026/06/28", "01:02:03", "40", "ph"),
    };
    AdifOptions o;
    o.legacyWords = true;
    o.phoneMode = QStringLiteral("ssb");
    EXPECT_EQ(buildAdif(log, o, QString::fromLatin1(ProgramTitle), "6/28/26").toStdString(),
              golden("legacy-words.adi").toStdString());
}

// The older words: band plus M on every band, the log's own mode words.
TEST(AdifExport, LegacyWordsOnEveryBand)
{
    std::vector<ContactRecord> log;
    for (const char* band : {"160", "80", "40", "20", "15", "10", "6", "2", "1.25", "70", "33", "23", "SAT"})
        log.push_back(rec("W1AW", "", "CT", "", "18:00", band, band == QLatin1String("70") ? "DIG" : "CW"));
    log.push_back(rec("W1AW", "", "CT", "", "", "SAT", "PH"));
    const QByteArray out =
        buildAdif(log, AdifOptions{QString(), QString(), "PH", "RTTY", true}, "Field Day Logger 1.00", "x");
    for (const char* tag : {"<Band:4>160M ", "<Band:3>80M ", "<Band:3>40M ", "<Band:3>20M ", "<Band:3>15M ",
                            "<Band:3>10M ", "<Band:2>6M ", "<Band:2>2M ", "<Band:5>1.25M ", "<Band:3>70M <Mode:3>DIG",
                            "<Band:3>33M ", "<Band:3>23M ", "<Band:4>SATM <Mode:2>CW", "<Band:4>SATM <Mode:2>PH"})
        EXPECT_EQ(out.count(tag), 1) << tag;
}

TEST(AdifExport, EmptyAnswersLeaveFieldsOutAndTablesApply)
{
    AdifOptions o{QString(), QString(), QStringLiteral("PH"), QStringLiteral("RTTY"), true};
    const QByteArray out = buildAdif({rec("W1AW", "", "", "", "", "", "")}, o, "Field Day Logger 1.00", "x");
    EXPECT_TRUE(out.endsWith("<EOH>\r\n<Call:4>W1AW <Time_On:6>000000 <DXCC:3>291 <Cont:2>NA <eor>\r\n\r\n"))
        << out.toStdString();

    for (const auto& [section, state] : {std::pair{"ENY", "NY"}, {"SDG", "CA"}, {"CT", "CT"}, {"PR", ""}})
        EXPECT_EQ(sectionToState(section), QString::fromLatin1(state)) << section;
    const std::tuple<const char*, const char*, int> entities[] = {
        {"PR", "KP4A", 202},  {"VI", "KP2A", 285}, {"NWT", "VE8A", 1},  {"AK", "KL7A", 6},
        {"PAC", "KH6A", 110}, {"DX", "W1AW", 291}, {"DX", "AA1A", 291}, {"DX", "G3XYZ", 0}};
    for (RulesEdition e : {RulesEdition::FieldDay2025, RulesEdition::AsWritten})
        for (const auto& [section, call, entity] : entities)
            EXPECT_EQ(dxccEntity(section, call, SectionTable::forEdition(e)), entity) << section << ' ' << call;
}

TEST(AdifExport, PromptsSaveDialogAndMessage)
{
    TempDataDir dir;
    ScriptedDialogs d;
    d.inputAnswers = {QString("5"), std::nullopt, QString("usb")};
    d.yesNoAnswers = {true}; // the older words, so the phone mode is asked
    d.fileAnswers.push_back(dir.file("out.adi"));
    ASSERT_TRUE(exportAdif({rec("W1AW", "1A", "CT", "2026/06/27", "18:00:00", "20", "PH")}, dir.path(), "d", d));
    ASSERT_EQ(d.calls.size(), 6u);
    EXPECT_EQ(d.calls[2].title, QStringLiteral("ADIF Words"));
    d.calls.erase(d.calls.begin() + 2);
    EXPECT_EQ(d.calls[0].title, QStringLiteral("Please enter your transmitter output power."));
    EXPECT_EQ(d.calls[0].text,
              QStringLiteral("Please enter the power value that you would like to record.  This is an optional value "
                             "that will be included in each QSO record and displayed in Ledra's power output column."));
    EXPECT_EQ(d.calls[0].extra, QStringLiteral("100"));
    EXPECT_EQ(d.calls[1].title, QStringLiteral("Please enter a comment."));
    EXPECT_EQ(d.calls[1].text,
              QStringLiteral("Please enter a comment that you would like to appear on each QSO record.  This is an "
                             "optional description that will be displayed in Ledra's Comments column."));
    EXPECT_EQ(d.calls[1].extra, QStringLiteral("ARRL Field Day Contest"));
    EXPECT_EQ(d.calls[2].title, QStringLiteral("Mode?"));
    EXPECT_EQ(d.calls[2].text, QStringLiteral("Please enter the mode designation that you would like to use for phone "
                                              "contacts.  Be sure to designate PH if you are transferring to another "
                                              "contest program!"));
    EXPECT_EQ(d.calls[3].title, dir.path() + "/Field Day.adi");
    EXPECT_EQ(d.calls[3].extra, QStringLiteral("*.adi"));
    EXPECT_EQ(d.calls[4].title, QStringLiteral("File Written Successfully."));
    EXPECT_EQ(d.calls[4].text, "The file was successfully written to the directory:\n\n" + dir.file("out.adi") + ".");
    const QByteArray file = readBytes(dir.file("out.adi"));
    EXPECT_TRUE(file.contains("<Mode:3>USB\r\n<Tx_Pwr:1>5 "));
    EXPECT_FALSE(file.contains("<Comment:"));
}

TEST(TextLog, WholeFileWithOverlongField)
{
    const std::vector<ContactRecord> log{
        rec("K1ABC", "2A", "ENY", "2026/06/27", "09:05:30", "20", "CW"),
        rec("VE3ABC/VE2LONG", "1D", "ON", "2026/06/27", "18:00:00", "1.25", "DIG"),
    };
    EXPECT_EQ(buildAsciiLog(log, own).toStdString(), golden("ascii-log.txt").toStdString());
    EXPECT_EQ(buildAsciiLog({}, own),
              "     Call Used: K1ABC  Class: 2A" + sp(19).toLatin1() + "ARRL Section: ENY\r\n\r\n");
}

TEST(TextDupeSheet, GroupsByFirstDigitInBandAndModeOrder)
{
    const std::vector<ContactRecord> log{
        rec("W1AW", "", "", "", "", "20", "CW"),    rec("K0ZZ", "", "", "", "", "20", "CW"),
        rec("AA", "", "", "", "", "20", "CW"),      rec("N1ABC", "", "", "", "", "20", "CW"),
        rec("W0A", "", "", "", "", "20", "CW"),     rec("W9PH", "", "", "", "", "20", "PH"),
        rec("K2SAT", "", "", "", "", "SAT", "DIG"), rec("W3X", "", "", "", "", "160", "PH"),
        rec("W4Q", "", "", "", "", "30", "CW"),
    };
    EXPECT_EQ(buildDupeSheet(log, own).toStdString(), golden("dupe-sheet.txt").toStdString());
}

TEST(PrintedReports, LogPagesHold53ContactsUnderTheirHeading)
{
    std::vector<ContactRecord> log(110, rec("W1AW", "1A", "CT", "2026/06/27", "18:00:00", "20", "CW"));
    const PrintPages pages = printedLogPages(log, own);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), 8 + 53);
    EXPECT_EQ(pages[2].size(), 8 + 4);
    const QStringList heading{
        "",
        sp(35) + "ARRL Field Day",
        "",
        "    Call Used: K1ABC" + sp(9) + "Class: 2A" + sp(15) + "ARRL Section: ENY",
        "",
        "",
        sp(4) + "Bnd" + sp(3) + "Mode" + sp(3) + "Date" + sp(8) + "Time" + sp(7) + "Call" + sp(11) + "Class" + sp(2) +
            "Section",
        "",
    };
    EXPECT_EQ(pages[1].mid(0, 8), heading);
    EXPECT_EQ(pages[1][8], sp(4) + "20" + sp(4) + "CW" + sp(5) + "2026/06/27" + sp(2) + "18:00:00" + sp(3) + "W1AW" +
                               sp(11) + "1A" + sp(5) + "CT");
    EXPECT_EQ(printedLogPages({}, own).size(), 1u);
}

TEST(PrintedReports, DupePagesBreakAfterTheCounterPasses54AndLeaveOutSat)
{
    std::vector<ContactRecord> log(60, rec("W1AW", "", "", "", "", "40", "CW"));
    log.push_back(rec("K2SAT", "", "", "", "", "SAT", "CW"));
    const PrintPages pages = printedDupePages(log, own);
    ASSERT_EQ(pages.size(), 2u);
    // Heading of 7 lines, the group line, then calls while the counter (from 7) stays at 54 or less.
    EXPECT_EQ(pages[0].size(), 7 + 1 + 47);
    EXPECT_EQ(pages[0][2], sp(27) + "ARRL Field Day Dupe Sheet");
    EXPECT_EQ(pages[0][7], QStringLiteral("40  CW"));
    EXPECT_EQ(pages[1].size(), 7 + 13 + 4);
    EXPECT_TRUE(pages[1].contains(QStringLiteral("40  CW Total Contacts  60 ")));
    for (const auto& p : pages)
        EXPECT_FALSE(p.contains(QStringLiteral("K2SAT")));
}

TEST(LedraExport, SixteenFieldsCountryAndState)
{
    const QByteArray expected = golden("ledra.txt");
    const std::vector<ContactRecord> log{
        rec("K1ABC", "2A", "ENY", "2026/06/27", "09:05:30", "20", "CW"),
        rec("VE2XYZ", "1D", "QC", "2026/06/27", "10:00:00", "40", "PH"),
        rec("W1AW", "1D", "CT", "2026/06/27", "10:00:00", "40", "PH"),
    };
    EXPECT_EQ(buildLedraExport(log).toStdString(), expected.toStdString());

    TempDataDir dir;
    ScriptedDialogs d;
    ASSERT_TRUE(writeLedraExport(log, dir.path(), d));
    EXPECT_EQ(readBytes(dir.file("LogExp.txt")), expected);
    EXPECT_EQ(d.beeps, 1);
    EXPECT_EQ(d.last().title, QStringLiteral("Export Successful!"));
}

TEST(TextReportFlows, ProposedNamesMessagesAndWriteError)
{
    TempDataDir dir;
    ScriptedDialogs d;
    StationIdentity id{" K1ABC/4 ", "2A", "ENY"};
    d.fileAnswers.push_back(dir.file("log.txt"));
    ASSERT_TRUE(writeAsciiLog({}, id, dir.path(), d));
    EXPECT_EQ(id.call, QStringLiteral("K1ABC/4"));
    EXPECT_EQ(d.calls[0].title, dir.path() + "/K1ABC-ASCIILog.txt");
    EXPECT_EQ(d.calls[0].extra, QStringLiteral("*.txt"));
    EXPECT_EQ(d.last().title, QStringLiteral("File Successfully written."));
    EXPECT_EQ(d.last().text, "The file has been successfully written to:\n\n" + dir.file("log.txt"));
    EXPECT_EQ(d.beeps, 1);

    d.clear();
    d.fileAnswers.push_back(dir.file("nowhere/dup.txt"));
    EXPECT_FALSE(writeDupeSheet({}, id, dir.path(), d));
    EXPECT_EQ(d.calls[0].title, dir.path() + "/K1ABC-ASCIIDup.txt");
    EXPECT_EQ(d.last().title, QStringLiteral("Unable to write file."));

    d.clear();
    d.fileAnswers.push_back(QString());
    EXPECT_FALSE(writeDupeSheet({}, id, dir.path(), d));
    EXPECT_EQ(d.calls.size(), 1u);
}
