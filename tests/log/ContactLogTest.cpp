#include "log/ContactLog.h"
#include "log/SectionTable.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

ContactRecord rec(const QString& call, const QString& sec, const QString& mode)
{
    return {call, "1A", sec, "2026/06/27", "18:00:00", "20", mode, "", ""};
}

} // namespace

TEST(ContactLog, CountsModesPointsAndSections)
{
    ContactLog log(SectionTable::standard());
    log.add(rec("K1A", "CT", "CW"));
    log.add(rec("K1B", "CT", "DIG"));
    log.add(rec("K1C", "ENY", "PH"));
    log.add(rec("K1D", "DX", "PH"));
    log.add(rec("K1E", "XX", "FM")); // unknown section and mode: kept, counted nowhere
    EXPECT_EQ(log.size(), 5);
    EXPECT_EQ(log.cwCount(), 1);
    EXPECT_EQ(log.digitalCount(), 1);
    EXPECT_EQ(log.phoneCount(), 2);
    EXPECT_EQ(log.points(), 2 + 2 + 2);
    EXPECT_EQ(log.sectionWorkedCount(0), 2);
    EXPECT_EQ(log.sectionsWorked(), 2);

    log.remove(1);
    EXPECT_EQ(log.record(1).call, "K1B");
    EXPECT_EQ(log.cwCount(), 0);
    EXPECT_EQ(log.sectionWorkedCount(0), 1);
    log.remove(1);
    EXPECT_FALSE(log.isSectionWorked(0));
    EXPECT_EQ(log.sectionsWorked(), 1);

    log.replace(1, rec("K1C", "GTA", "CW"));
    EXPECT_EQ(log.cwCount(), 1);
    EXPECT_EQ(log.phoneCount(), 1);
    EXPECT_TRUE(log.isSectionWorked(82));
    EXPECT_FALSE(log.isSectionWorked(8));

    log.clear();
    EXPECT_EQ(log.size(), 0);
    EXPECT_EQ(log.points(), 0);
    EXPECT_EQ(log.sectionsWorked(), 0);
}

TEST(ContactLog, NeverGrowsPastCapacity)
{
    ContactLog log(SectionTable::standard());
    for (int i = 0; i < ContactLog::Capacity; ++i)
        ASSERT_TRUE(log.add(rec("K1A", "CT", "CW")));
    EXPECT_TRUE(log.isFull());
    EXPECT_FALSE(log.add(rec("K1B", "CT", "CW")));
    EXPECT_FALSE(log.insert(1, rec("K1B", "CT", "CW")));
    EXPECT_EQ(log.size(), ContactLog::Capacity);
}
