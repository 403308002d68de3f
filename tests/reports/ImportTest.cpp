#include "ReportGolden.h"
#include "log/ContactLog.h"
#include "log/LogFile.h"
#include "log/Logbook.h"
#include "log/SectionTable.h"
#include "reports/AdifExport.h"
#include "reports/AdifReader.h"
#include "reports/LogImport.h"
#include "reports/LogMerger.h"
#include "support/ScriptedDialogs.h"
#include "support/StationFiles.h"

#include <gtest/gtest.h>

namespace {

ContactRecord rec(const char* call, const char* date, const char* time, const char* band = "20",
                  const char* mode = "CW")
{
    return {call, "1A", "CT", date, time, band, mode, "", ""};
}

QStringList calls(const std::vector<ContactRecord>& v)
{
    QStringList out;
    for (const auto& r : v)
        out << r.call;
    return out;
}

// A data folder with a log file, its logbook and scripted dialogs.
struct Fixture {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ContactLog log{SectionTable::standard()};
    Logbook book{log, dir.file("fdlog.dat"), dir.file("LogBkUp.dat"), dialogs};

    explicit Fixture(const std::vector<ContactRecord>& existing = {})
    {
        writeLogFile(dir.file("fdlog.dat"), existing);
        book.reload();
    }
    ImportReport append(const QString& path, ImportOptions o = {})
    {
        return appendLogFile(path, book, dir.path(), o, dialogs);
    }
};

// Forms other loggers write: a header, either case, LF alone, quotes, an impossible date and
// a last record without its end.
QByteArray otherLoggers()
{
    return dataFile("other-loggers.adi");
}

} // namespace

TEST(AdifReader, FormsOtherLoggersWrite)
{
    const auto v = readAdif(otherLoggers());
    // Four: the last record has no <eor>, so it may have been cut off and is not imported.
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0], (ContactRecord{"W1AW", "2A", "CT", "2024/06/22", "18:05", "20", "PH", "", ""}));
    EXPECT_EQ(v[1], (ContactRecord{"K2ABC", "", "", "2024/06/22", "18:07:00", "40", "CW", "", "7.040"}));
    EXPECT_EQ(v[2], (ContactRecord{"N3XYZ", "", "", "2024/06/23", "01:02:03", "", "DIG", "JD", "7.3001"}));
    // Quotes become blanks, an impossible date stays rearranged, a three-digit time is dropped.
    EXPECT_EQ(v[3], (ContactRecord{"VE3A", "", "", "2024/06/99", "", "70", "PH", "", ""}));

    // The older behaviour keeps the file's word.
    EXPECT_EQ(readAdif(otherLoggers(), false)[2].mode, QStringLiteral("FT8"));
    for (const char* mode : {"FT8", "FT4", "RTTY", "PSK", "PSK31", "JT65", "JT9", "MFSK", "OLIVIA", "PKT", "DATA"})
        EXPECT_EQ(adifModeToLog(QString::fromLatin1(mode), true), QStringLiteral("DIG")) << mode;
}

TEST(AdifReader, NoHeaderMalformedFieldsAndTrailingJunk)
{
    const auto v = readAdif("<call:4>W1AW<band:x>20m<mode:2>CW<eor><CALL:99999999999>K1<eor>  trailing words");
    EXPECT_EQ(calls(v), QStringList({"W1AW", "K1"}));
    EXPECT_EQ(v.at(0).band, QString());
    for (const char* text : {"", "<eoh>", "<call:"})
        EXPECT_TRUE(readAdif(text).empty()) << text;
}

TEST(AdifReader, BandAndFrequencyTables)
{
    const std::pair<const char*, const char*> bands[] = {{"20M", "20"},  {"1.25m", "1.25"}, {"satm", "SAT"},
                                                         {"70CM", "70"}, {"33cm", "33"},    {"35cm", "33"},
                                                         {"6cm", "6CM"}, {"M", "M"}};
    for (const auto& [adif, label] : bands)
        EXPECT_EQ(adifBandToLabel(adif), QString::fromLatin1(label)) << adif;
    const std::pair<float, const char*> freqs[] = {{7.040f, "40"},   {7.3001f, ""},   {10.120f, "30"},
                                                   {18.100f, "17"},  {24.950f, "12"}, {2400.0f, "2.3"},
                                                   {5760.0f, "5.6"}, {1296.0f, "23"}};
    for (const auto& [mhz, band] : freqs)
        EXPECT_EQ(importBandForFrequency(mhz), QString::fromLatin1(band)) << mhz;
}

TEST(AdifReader, RoundTripThroughOurExport)
{
    std::vector<ContactRecord> log;
    int i = 0;
    for (const char* band : {"160", "80", "40", "20", "15", "10", "6", "2", "1.25", "70", "33", "23", "SAT"})
        for (const char* mode : {"CW", "DIG", "PH"})
            log.push_back(rec(qPrintable(QStringLiteral("W%1AW").arg(i++ % 10)), "2026/06/27", "9:05:30", band, mode));
    AdifOptions o;
    o.legacyWords = true;
    o.phoneMode = QStringLiteral("SSB");
    const auto back = readAdif(buildAdif(log, o, "Field Day Logger 1.00", "today"));
    ASSERT_EQ(back.size(), log.size());
    for (size_t k = 0; k < log.size(); ++k) {
        ContactRecord want = log[k];
        want.time = QStringLiteral("09:05:30");
        EXPECT_EQ(back[k], want);
    }
    o.phoneMode = QStringLiteral("USB");
    EXPECT_EQ(readAdif(buildAdif({log[2]}, o, "Field Day Logger 1.00", "t"))[0].mode, QStringLiteral("USB"));
}

TEST(LogMerge, OrderedInsertionByDateAndTime)
{
    const std::vector<ContactRecord> existing{rec("A", "2026/06/27", "18:00:00"), rec("B", "2026/06/27", "18:10:00"),
                                              rec("C", "2026/06/27", "18:20:00")};
    LogMerger m(existing, true);
    EXPECT_EQ(m.add(rec("Z", "2026/06/27", "19:00:00")), LogMerger::Result::Added);
    EXPECT_EQ(m.add(rec("Y", "2026/06/27", "18:10:00")), LogMerger::Result::Added);
    EXPECT_EQ(m.add(rec("X", "2026/06/26", "23:00:00")), LogMerger::Result::Added);
    EXPECT_EQ(m.add(rec("Y2", "2026/06/27", "18:10:00")), LogMerger::Result::Added);
    EXPECT_EQ(m.add(rec("W", "2026/06/26", "22:00:00")), LogMerger::Result::Added);
    EXPECT_EQ(m.add(rec("b", "2026/06/28", "00:00:00")), LogMerger::Result::Duplicate);
    EXPECT_EQ(calls(m.merged()), QStringList({"W", "X", "A", "B", "Y", "Y2", "C", "Z"}));
}

TEST(LogMerge, UnsortedLogGoesBeforeTheFirstLaterContact)
{
    // 18:30 sits before 18:00 in this log: a contact at 18:15 goes in front of 18:30, the first
    // contact sorting after it; the later 18:05 then goes in front of that 18:15.
    const std::vector<ContactRecord> existing{rec("A", "2026/06/27", "18:30:00"), rec("B", "2026/06/27", "18:00:00"),
                                              rec("C", "2026/06/27", "19:00:00")};
    LogMerger m(existing, false);
    m.add(rec("X", "2026/06/27", "18:15:00"));
    m.add(rec("Y", "2026/06/27", "18:45:00"));
    m.add(rec("A", "2026/06/27", "18:05:00"));
    EXPECT_EQ(calls(m.merged()), QStringList({"A", "X", "A", "B", "Y", "C"}));
}

TEST(LogImport, LogFormatAppendRewritesFileAndDupesOnSecondRun)
{
    Fixture f({rec("A", "2026/06/27", "18:00:00"), rec("C", "2026/06/27", "18:20:00")});
    const QString other = f.dir.file("station2.dat");
    writeBytes(other, formatLogLine(rec("B", "2026/06/27", "18:10:00")) +
                          formatLogLine(rec("D", "2026/06/27", "19:00:00")) +
                          formatLogLine(rec("a", "2026/06/28", "00:00:00")));
    auto r = f.append(other);
    EXPECT_EQ(r.outcome, ImportReport::Outcome::Imported);
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(calls(f.log.records()), QStringList({"A", "B", "C", "D"}));
    std::vector<ContactRecord> onDisk;
    LogFile(f.dir.file("fdlog.dat")).read(onDisk, 14000);
    EXPECT_EQ(calls(onDisk), QStringList({"A", "B", "C", "D"}));
    EXPECT_TRUE(f.dialogs.calls.empty());

    EXPECT_EQ(f.append(other).added, 0);
    EXPECT_EQ(f.log.size(), 4);
    ImportOptions keep;
    keep.eliminateDuplicates = false;
    EXPECT_EQ(f.append(other, keep).added, 3);
    EXPECT_EQ(f.log.size(), 7);
}

TEST(LogImport, RefusalsAndReadErrors)
{
    Fixture f({rec("A", "2026/06/27", "18:00:00")});
    const QByteArray before = readBytes(f.dir.file("fdlog.dat"));
    EXPECT_EQ(f.append(" " + f.dir.path() + "/FDLOG.DAT ").outcome, ImportReport::Outcome::Refused);
    EXPECT_EQ(f.dialogs.beeps, 1);
    EXPECT_EQ(f.dialogs.last().text, QStringLiteral("You can not append the same file onto itself."));
    EXPECT_EQ(f.dialogs.last().title, QStringLiteral("Invalid Request!"));

    f.dialogs.clear();
    EXPECT_EQ(f.append(f.dir.file("missing.ADI")).outcome, ImportReport::Outcome::AdifOpenError);
    EXPECT_EQ(f.dialogs.last().text, QStringLiteral("There was an error reading the ADIF file format."));
    EXPECT_EQ(f.dialogs.last().title, QStringLiteral("Invalid ADIF File Format."));

    f.dialogs.clear();
    EXPECT_EQ(f.append(f.dir.file("missing.dat")).outcome, ImportReport::Outcome::ReadError);
    EXPECT_EQ(f.dialogs.last().text, QStringLiteral("Unable to read file."));
    EXPECT_EQ(f.dialogs.last().title, QStringLiteral("Append Error"));

    // A damaged second line: the first record stays in memory, the file is not rewritten.
    f.dialogs.clear();
    const QString bad = f.dir.file("bad.dat");
    writeBytes(bad, formatLogLine(rec("B", "2026/06/27", "19:00:00")) + "\"C\",\"1A\r\n");
    EXPECT_EQ(f.append(bad).outcome, ImportReport::Outcome::ReadError);
    EXPECT_EQ(f.dialogs.last().title, QStringLiteral("Append Error"));
    EXPECT_EQ(calls(f.log.records()), QStringList({"A", "B"}));
    EXPECT_EQ(readBytes(f.dir.file("fdlog.dat")), before);
}

TEST(LogImport, AdifRouteCapacityAndDigitalOption)
{
    std::vector<ContactRecord> full;
    for (int i = 0; i < ContactLog::Capacity - 1; ++i)
        full.push_back(rec(qPrintable(QStringLiteral("W%1").arg(i)), "2026/06/27", "18:00:00"));
    Fixture f(full);
    ASSERT_EQ(f.log.size(), ContactLog::Capacity - 1);
    const QString adi = f.dir.file("other.ADI");
    writeBytes(adi, otherLoggers());
    ImportOptions o;
    o.digitalAsDig = true;
    const auto r = f.append(adi, o);
    EXPECT_EQ(r.outcome, ImportReport::Outcome::Imported);
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(f.log.size(), ContactLog::Capacity);
    EXPECT_TRUE(f.dialogs.calls.empty());

    Fixture g;
    writeBytes(g.dir.file("x.adi"), otherLoggers());
    g.append(g.dir.file("x.adi"), o);
    ASSERT_EQ(g.log.size(), 4);
    EXPECT_EQ(calls(g.log.records()), QStringList({"W1AW", "K2ABC", "N3XYZ", "VE3A"}));
    EXPECT_EQ(g.log.record(3).mode, QStringLiteral("DIG"));
}
