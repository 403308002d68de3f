// The band maps' arithmetic: scales, ageing colours and which spots are drawn where.
#include "spots/BandMap.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {
const auto mhz = &Frequency::fromMHz;
const QDateTime kNow(QDate(2026, 6, 27), QTime(18, 0, 0));
} // namespace

TEST(BandMap, ScaleFollowsTheSpotsInsideTheBand)
{
    struct Row {
        const char* name;
        std::vector<double> spots; // oldest first
        QString from, to;
    };
    const Row rows[] = {
        {"empty store: the whole band", {}, "14.000", "14.350"},
        {"one spot: the whole band", {14.025}, "14.000", "14.350"},
        {"two spots: 1 kHz beyond each", {14.020, 14.030}, "14.019", "14.031"},
        {"edges and other bands do not count", {14.0, 14.35, 7.01, 14.1, 14.2}, "14.099", "14.201"},
        {"the same frequency twice: the whole band", {14.02, 14.02}, "14.000", "14.350"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SpotStore store;
        int n = 0;
        for (double f : row.spots)
            store.add(QStringLiteral("K%1AA").arg(n++), mhz(f), kNow);
        const auto labels = BandMap::scaleLabels(BandMap::scale(store, *BandMap::bandEdges("20")));
        EXPECT_EQ(labels.front(), row.from);
        EXPECT_EQ(labels.back(), row.to);
    }
    const auto two = BandMap::scaleLabels({mhz(14.019), mhz(14.031)});
    EXPECT_EQ(two[1], "14.022");
    EXPECT_EQ(two[2], "14.025");
    EXPECT_FALSE(BandMap::bandEdges("SAT"));
    EXPECT_EQ(BandMap::bandEdges("1.25")->high, mhz(225));
    EXPECT_EQ(BandMap::spectrumRows()[5].low, mhz(18.068));
}

TEST(BandMap, AgeingColoursAndHiddenAfterAnHour)
{
    const std::pair<qint64, std::optional<quint32>> rows[] = {
        {0, 0xFFFF80},    {599, 0xFFFF80},  {600, 0xFFFFFF},      {1799, 0xFFFFFF},
        {1800, 0xC0C0C0}, {3599, 0xC0C0C0}, {3600, std::nullopt}, {90000, std::nullopt},
    };
    for (const auto& [seconds, rgb] : rows)
        EXPECT_EQ(BandMap::ageColourRgb(seconds), rgb) << seconds;
}

TEST(BandMap, LabelsSkipSupersededDismissedAndOldSpots)
{
    SpotStore store;
    store.add("W1AW", mhz(14.020), kNow.addSecs(-60)); // superseded below
    store.add("K2LE/4", mhz(14.030), kNow.addSecs(-700));
    store.add("DL1ABC", mhz(14.040), kNow.addSecs(-3600)); // an hour old: kept, not drawn
    store.add("G4XYZ", mhz(7.010), kNow);                  // another band
    store.add("VE3AA", mhz(14.010), kNow);
    store.add("W1AW", mhz(14.025), kNow.addSecs(-1800));
    store.dismiss(SpotStore::kSlots - 2); // VE3AA
    const BandMap::Range shown{mhz(14.0), mhz(14.1)};
    const auto labels = BandMap::labels(store, shown, kNow, -4.0f);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].slot, 49);
    EXPECT_EQ(labels[0].caption, "W1");
    EXPECT_EQ(labels[0].toolTip, "W1AW  14.025  13:30:00");
    EXPECT_DOUBLE_EQ(labels[0].position, 0.25);
    EXPECT_EQ(labels[0].rgb, 0xC0C0C0u);
    EXPECT_EQ(labels[1].caption, "K2LE");
    EXPECT_EQ(labels[1].rgb, 0xFFFFFFu);
}
