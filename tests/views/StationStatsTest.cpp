#include "reports/StationStats.h"
#include "log/ContactLog.h"
#include "log/SectionTable.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

ContactRecord rec(const QString& section, const QString& band, const QString& mode, const QString& op = "JS",
                  const QString& time = "18:00:00", const QString& date = "2026/06/27")
{
    return {"K1ABC", "2A", section, date, time, band, mode, op, ""};
}

ContactLog logOf(std::vector<ContactRecord> records)
{
    ContactLog log(SectionTable::standard());
    log.assign(std::move(records));
    return log;
}

} // namespace

TEST(SectionTotals, CountsBandAndModeBucketsOfOneSection)
{
    const ContactLog log = logOf({
        rec("CT", "20", "CW"),
        rec("CT", "20", "PH"),
        rec("CT", "160", "DIG"),
        rec("CT", "2", "PH"),
        rec("CT", "SAT", "RY"), // a mode outside the three: in the total, in no mode
        rec("CT", "10", "CW"),
        rec("EMA", "20", "CW"),
    });
    EXPECT_EQ(StationStats::sectionTotalsText(log, "CT", "Connecticut"), " Connecticut    Total =6\n"
                                                                         "  160 =1  80 =0  40 =0  20 =2  15 =0  10 =1\n"
                                                                         "  VHF/UHF=2  CW=2  DIG=1  SSB=2");
}

TEST(OperatorView, RowsInFirstSeenOrderSortedByCountAndBandBuckets)
{
    const ContactLog log = logOf({
        rec("CT", "20", "CW", "AB"),
        rec("CT", "40", "CW", "JS"),
        rec("CT", "2", "CW", "JS"),
        rec("CT", "80", "CW", "ab"), // initials are compared exactly
        rec("CT", "20", "PH", "JS"),
        rec("CT", "6", "PH", ""),
        rec("CT", "20", "PH", "AB"),
    });
    const auto c = StationStats::operatorCounts(log);
    using Row = std::pair<QString, QString>;
    EXPECT_EQ(c.rows, (std::vector<Row>{{"JS", "     3"}, {"AB", "     2"}, {"ab", "     1"}, {"", "     1"}}));
    EXPECT_EQ(c.bandCounts, (std::array<int, 7>{0, 1, 1, 3, 0, 0, 2}));
}

TEST(RateGraph, NeedsSevenContactsAndCountsTheTenMinutesUpToEachOne)
{
    // Ten contacts one minute apart, then one 10 minutes after the first: the first drops out.
    std::vector<ContactRecord> records;
    for (int i = 0; i < 10; ++i)
        records.push_back(rec("CT", i < 5 ? "20" : "2", "CW", "JS", QString("23:5%1:00").arg(i)));
    records.push_back(rec("CT", "40", "CW", "JS", "00:00:00", "2026/06/28"));
    records.push_back(rec("CT", "40", "CW", "JS", "bad", "2026/06/28")); // unreadable: no point
    EXPECT_TRUE(StationStats::rateGraph(logOf({records.begin(), records.begin() + 7})).enough);
    const auto g = StationStats::rateGraph(logOf(records));
    ASSERT_TRUE(g.enough);
    ASSERT_EQ(g.points.size(), 11u);
    std::vector<int> rates;
    for (const auto& p : g.points)
        rates.push_back(p.rate);
    EXPECT_EQ(rates, (std::vector<int>{6, 12, 18, 24, 30, 36, 42, 48, 54, 60, 60}));
    EXPECT_EQ((std::vector<qint64>{g.points[10].seconds, g.maxRate, g.spanSeconds}),
              (std::vector<qint64>{600, 60, 600}));
    ASSERT_EQ(g.timeLabels.size(), 15u);
    EXPECT_EQ(QStringList({g.points[10].band, g.points[5].band, g.timeLabels.front(), g.timeLabels[7],
                           g.timeLabels.back(), g.dateLabels.front(), g.dateLabels.back()}),
              QStringList({"40", "2", "23:50", "23:55", "00:00", "06/27", "06/28"}));
}
