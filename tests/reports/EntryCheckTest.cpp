#include "reports/EntryCheck.h"
#include "log/SectionTable.h"
#include "support/QtPrinters.h"

#include <QTimeZone>
#include <gtest/gtest.h>

TEST(EventPeriod, FourthFullWeekendOfJune)
{
    struct Row {
        int year;
        QDate saturday;
    };
    const Row rows[] = {
        {2025, QDate(2025, 6, 28)},                             // June 1 is a Sunday
        {2026, QDate(2026, 6, 27)}, {2024, QDate(2024, 6, 22)}, // five weekends: June 1-2 is the first full one
        {2018, QDate(2018, 6, 23)},                             // June 30 is a Saturday whose Sunday is in July
        {2030, QDate(2030, 6, 22)},                             // June 1 is a Saturday
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.year);
        EXPECT_EQ(fieldDaySaturday(r.year), r.saturday);
        const EventPeriod p = fieldDayPeriod(r.year);
        EXPECT_TRUE(p.contains(QDateTime(r.saturday, QTime(18, 0), QTimeZone::utc())));
        EXPECT_TRUE(p.contains(QDateTime(r.saturday.addDays(1), QTime(20, 59, 59), QTimeZone::utc())));
        EXPECT_FALSE(p.contains(QDateTime(r.saturday, QTime(17, 59, 59), QTimeZone::utc())));
        EXPECT_FALSE(p.contains(QDateTime(r.saturday.addDays(1), QTime(21, 0), QTimeZone::utc())));
    }
}

TEST(EntryCheck, ListsEveryFindingByRecord)
{
    const std::vector<ContactRecord> log{
        {"W1AW", "1A", "CT", "2026/06/27", "18:00:00", "20", "CW", "", ""},   // 1 clean
        {"VE1XX", "2A", "MAR", "2026/06/27", "18:05:00", "20", "CW", "", ""}, // 2 retired
        {"K2X", "2G", "ZZ", "2026/06/27", "18:06:00", "40", "PH", "", ""},    // 3 class and section
        {"W1AW", "3A", "CT", "2026/06/27", "19:00:00", "20", "CW", "", ""},   // 4 dupe of 1
        {"N3Y", "1D", "EPA", "2026/06/28", "21:00:00", "17", "PH", "", ""},   // 5 band and period
        {"N4Z", "", "DX", "2026/06/26", "23:00:00", "40", "DIG", "", ""},     // 6 class and period
        {"W1AW", "1A", "CT", "2026/06/28", "20:59:59", "20", "PH", "", ""},   // 7 clean: other mode
    };
    const std::vector<Finding> expected{
        {2, FindingCode::RetiredSection, "VE1XX", "MAR is now NB or NS"},
        {3, FindingCode::BadSection, "K2X", "ZZ"},
        {3, FindingCode::BadClass, "K2X", "2G"},
        {4, FindingCode::Dupe, "W1AW", "same call, band and mode as record 1"},
        {5, FindingCode::NotFdBand, "N3Y", "17 m"},
        {5, FindingCode::OutsidePeriod, "N3Y", "2026/06/28 21:00:00"},
        {6, FindingCode::BadClass, "N4Z", "no class"},
        {6, FindingCode::OutsidePeriod, "N4Z", "2026/06/26 23:00:00"},
    };
    EXPECT_EQ(checkEntry(log, RulesEdition::FieldDay2025, SectionTable::forEdition(RulesEdition::FieldDay2025)),
              expected);

    // The rules as written still know MAR and any class letter from A on.
    const std::vector<Finding> written{expected[1], expected[3], expected[4], expected[5], expected[6], expected[7]};
    EXPECT_EQ(checkEntry(log, RulesEdition::AsWritten, SectionTable::forEdition(RulesEdition::AsWritten)), written);
}
