#include "reports/SummaryPrint.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

// The printed sheet under the current rules: each bonus with its count and points (the class B
// youth cap, a refused claim at 0), then the total and the claimed score 3 x 2 + 240.
TEST(ClaimsPrint, CurrentRulesSheetListsEveryBonusWithItsPoints)
{
    SummaryValues v;
    v.ownClass = "1B";
    v.rules = RulesEdition::FieldDay2025;
    v.claims.level = PowerLevel::Up100;
    v.claims.sources.solar = true;
    v.claims.bonus = {{"media", 1}, {"youth", 3}, {"messages_handled", 12}, {"safety_officer", 1}};
    const QStringList l = printedSummaryLines(
        v, CountContactsByBandAndMode({{"W1AW", "1A", "CT", "2026/06/27", "18:00:00", "20", "CW", "", ""},
                                       {"K2X", "1A", "CT", "2026/06/27", "18:10:00", "40", "PH", "", ""}}));
    const auto row = [](const char* text, const char* points) {
        return QString(text).leftJustified(70) + QString(points).rightJustified(6);
    };
    const qsizetype at = l.indexOf("14. Bonus Points:");
    ASSERT_GE(at, 0);
    EXPECT_EQ(l[at + 1], row("   7.3.1 100% emergency power (per transmitter, up to 20) (# 0)", "0"));
    EXPECT_EQ(l[at + 2], row("X  7.3.2 Media publicity", "100"));
    EXPECT_EQ(l[at + 6], row("X  7.3.6 Formal messages handled (10 each, up to 100) (# 12)", "100"));
    EXPECT_EQ(l[at + 16], row("X  7.3.15 Youth participation (20 each, up to 100) (# 3)", "40"));
    EXPECT_EQ(l[at + 18], row("   7.3.17 Safety Officer - Only class A may claim this bonus", "0"));
    EXPECT_EQ(l.mid(at + 20, 2), QStringList({"Total Bonus Points:  240 ", "Claimed Score:  246 "}));
    EXPECT_TRUE(l.contains("   Solar X"));
    EXPECT_FALSE(l.contains("Media Publicity ")); // the old sheet's checks are gone
}
