// The ADIF 3.1.4 export other logging programs read, and the times and Canadian sections every
// export shares.
#include "ReportGolden.h"
#include "log/SectionTable.h"
#include "reports/AdifExport.h"
#include "reports/AdifReader.h"
#include "reports/CabrilloExport.h"
#include "reports/TextReports.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

ContactRecord rec(const char* call, const char* cls, const char* sect, const char* time, const char* band,
                  const char* mode, const char* freq = "")
{
    return {call, cls, sect, "2026/06/27", time, band, mode, "", freq};
}

// Every <NAME:n>value of one record, by name.
QHash<QByteArray, QByteArray> fieldsOf(const QByteArray& record)
{
    QHash<QByteArray, QByteArray> out;
    for (qsizetype at = record.indexOf('<'); at >= 0; at = record.indexOf('<', at + 1)) {
        const qsizetype colon = record.indexOf(':', at);
        const qsizetype close = record.indexOf('>', at);
        if (colon < 0 || close < 0 || colon > close)
            continue;
        const int n = record.mid(colon + 1, close - colon - 1).toInt();
        out.insert(record.mid(at + 1, colon - at - 1), record.mid(close + 1, n));
    }
    return out;
}

QList<QHash<QByteArray, QByteArray>> records(const QByteArray& adif)
{
    QList<QHash<QByteArray, QByteArray>> out;
    qsizetype from = adif.indexOf("<EOH>") + 5;
    for (qsizetype end = adif.indexOf("<EOR>", from); end >= 0; end = adif.indexOf("<EOR>", from)) {
        out << fieldsOf(adif.mid(from, end - from));
        from = end + 5;
    }
    return out;
}

} // namespace

TEST(Adif314, WholeFileAsOtherProgramsReadIt)
{
    const std::vector<ContactRecord> log{
        rec("K1ABC", "2A", "ENY", "18:05", "20", "CW", "14.025"),
        rec("VE3XYZ", "1D", "ONS", "9:07:30", "70", "PH"),
        rec("W1AW", "3A", "CT", "2359", "SAT", "DIG", "145.9"),
    };
    AdifOptions o;
    o.comment.clear();
    EXPECT_EQ(buildAdif(log, o, "Field Day Logger 1.00", "6/28/26").toStdString(),
              golden("adif-314.adi").toStdString());
}

// Every band and mode in the words of the ADIF 3.1.4 Band and Mode enumerations.
TEST(Adif314, EveryBandAndModeIsInTheEnumerations)
{
    struct Row {
        const char* band;
        const char* freq;
        const char* adifBand; // "" : no BAND field
    };
    const Row rows[] = {
        {"160", "", "160m"},      {"80", "", "80m"},       {"40", "", "40m"},  {"20", "", "20m"},
        {"15", "", "15m"},        {"10", "", "10m"},       {"6", "", "6m"},    {"2", "", "2m"},
        {"1.25", "", "1.25m"},    {"70", "", "70cm"},      {"33", "", "33cm"}, {"23", "", "23cm"},
        {"SAT", "435.3", "70cm"}, {"SAT", "145.95", "2m"}, {"SAT", "", ""}, // no frequency: no band
    };
    struct ModeRow {
        const char* logMode;
        const char* digitalChoice;
        const char* mode;
        const char* submode;
    };
    const ModeRow modes[] = {
        {"CW", "RTTY", "CW", ""},  {"PH", "RTTY", "SSB", ""},     {"DIG", "RTTY", "RTTY", ""},
        {"DIG", "ft8", "FT8", ""}, {"DIG", "FT4", "MFSK", "FT4"}, {"DIG", "PSK31", "PSK", "PSK31"},
    };
    for (const ModeRow& m : modes) {
        std::vector<ContactRecord> log;
        for (const Row& r : rows)
            log.push_back(rec("W1AW", "1A", "CT", "12:00", r.band, m.logMode, r.freq));
        AdifOptions o;
        o.digitalMode = QString::fromLatin1(m.digitalChoice);
        const auto got = records(buildAdif(log, o, "Field Day Logger 1.00", "x"));
        ASSERT_EQ(got.size(), std::size(rows));
        for (size_t i = 0; i < std::size(rows); ++i) {
            SCOPED_TRACE(::testing::Message()
                         << rows[i].band << ' ' << rows[i].freq << ' ' << m.logMode << ' ' << m.digitalChoice);
            const auto& f = got[static_cast<qsizetype>(i)];
            EXPECT_EQ(f.value("BAND"), QByteArray(rows[i].adifBand));
            EXPECT_EQ(f.value("PROP_MODE"), QByteArray(QByteArray(rows[i].band) == "SAT" ? "SAT" : ""));
            EXPECT_EQ(f.value("MODE"), QByteArray(m.mode));
            EXPECT_EQ(f.value("SUBMODE"), QByteArray(m.submode));
        }
    }
}

// hh:mm is hours and minutes: never 00hhmm, in ADIF and in Cabrillo's hhmm.
TEST(Adif314, StoredTimesKeepTheirHours)
{
    const struct {
        const char* stored;
        const char* adif;
    } rows[] = {{"18:05", "180500"},  {"9:05", "090500"}, {"09:05:30", "090530"}, {"1805", "180500"},
                {"180530", "180530"}, {"", ""},           {"25:00", ""},          {"ab:cd", ""}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.stored);
        EXPECT_EQ(adifTime(QString::fromLatin1(r.stored)), QString::fromLatin1(r.adif));
    }
    CabrilloHeader header;
    header.station = {"K1ABC", "2A", "ENY"};
    const QByteArray cab = buildCabrillo({rec("W1AW", "1A", "CT", "18:05", "20", "CW", "14.025")}, header).text;
    EXPECT_TRUE(cab.contains(" 2026-06-27 1805 ")) << cab.toStdString();
}

// Every RAC section of either edition's table is Canada, in ADIF and the general-logger file,
// and so are the older codes an old log may carry.
TEST(Adif314, EveryRacSectionIsCanada)
{
    for (RulesEdition e : {RulesEdition::FieldDay2025, RulesEdition::AsWritten})
        for (const char* section : {"AB", "BC", "GH", "MB", "NB", "NL", "NS", "ONE", "ONN", "ONS", "PE", "QC", "SK",
                                    "TER", "MAR", "NT", "NWT", "GTA", "ON"}) {
            SCOPED_TRACE(section);
            const std::vector<ContactRecord> log{rec("VA3ZZ", "1A", section, "18:00", "20", "CW")};
            AdifOptions o;
            o.rules = e;
            const auto f = records(buildAdif(log, o, "Field Day Logger 1.00", "x")).value(0);
            EXPECT_EQ(f.value("DXCC"), "1");
            EXPECT_EQ(f.value("COUNTRY"), "Canada");
            EXPECT_FALSE(f.contains("STATE"));
            // A Canadian section worked by a call that does not start with V is still Canada.
            const std::vector<ContactRecord> cy{rec("CY0XX", "1A", section, "18:00", "20", "CW")};
            EXPECT_TRUE(buildLedraExport(cy, e).contains(",\"Canada\",")) << buildLedraExport(cy, e).toStdString();
        }
}

TEST(Adif314, ExportWindowAsksForTheDigitalMode)
{
    TempDataDir dir;
    ScriptedDialogs d;
    d.inputAnswers = {QString("100"), QString(), QString("ft8")};
    d.yesNoAnswers = {false};
    d.fileAnswers.push_back(dir.file("out.adi"));
    ASSERT_TRUE(exportAdif({rec("W1AW", "1A", "CT", "18:00", "20", "DIG")}, dir.path(), "d", d));
    ASSERT_EQ(d.calls.size(), 6u);
    EXPECT_EQ(d.calls[3].title, QStringLiteral("Digital Mode?"));
    EXPECT_EQ(d.calls[3].extra, QStringLiteral("RTTY"));
    EXPECT_TRUE(readBytes(dir.file("out.adi")).contains("<MODE:3>FT8 "));
}

// What we write, our own reader takes back: band, mode, section, class and time.
TEST(Adif314, OwnReaderTakesTheExportBack)
{
    ContactRecord r = rec("VE3XYZ", "1D", "ONS", "18:05", "70", "PH");
    r.op = QStringLiteral("JD");
    const auto back = readAdif(buildAdif({r}, AdifOptions{}, "Field Day Logger 1.00", "x"));
    r.time = QStringLiteral("18:05:00");
    EXPECT_EQ(back, std::vector<ContactRecord>{r});
}
