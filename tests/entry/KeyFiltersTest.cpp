#include "entry/KeyFilters.h"
#include "entry/KeyerHandoff.h"

#include <gtest/gtest.h>

namespace {
int filtered(void (*f)(int&), int key)
{
    f(key);
    return key;
}
} // namespace

TEST(KeyFilters, UpperCaseRaisesLettersSwallowsQuotesAndPassesTheRest)
{
    {
        auto f = &KeyFilters::upperCase;
        EXPECT_EQ(filtered(f, 'a'), 'A');
        EXPECT_EQ(filtered(f, 'z'), 'Z');
        EXPECT_EQ(filtered(f, '"'), 0);
        EXPECT_EQ(filtered(f, 'K'), 'K');
        EXPECT_EQ(filtered(f, '/'), '/');
        EXPECT_EQ(filtered(f, '{'), '{');
        EXPECT_EQ(filtered(f, '`'), '`');
        EXPECT_EQ(filtered(f, KeyFilters::Tab), KeyFilters::Tab);
        EXPECT_EQ(filtered(f, KeyFilters::Backspace), KeyFilters::Backspace);
    }
}

TEST(KeyFilters, NumericFiltersKeepOnlyTheirCharacters)
{
    EXPECT_EQ(filtered(KeyFilters::digitsOnly, '0'), '0');
    EXPECT_EQ(filtered(KeyFilters::digitsOnly, '9'), '9');
    EXPECT_EQ(filtered(KeyFilters::digitsOnly, KeyFilters::Backspace), KeyFilters::Backspace);
    EXPECT_EQ(filtered(KeyFilters::digitsOnly, '-'), 0);
    EXPECT_EQ(filtered(KeyFilters::digitsOnly, 'a'), 0);

    for (int k : {int('-'), int('.'), int('/'), int('0'), int('5'), int('9'), KeyFilters::Backspace})
        EXPECT_EQ(filtered(KeyFilters::utcOffset, k), k) << k;
    for (int k : {int(','), int(':'), int('e'), int(' '), int('"')})
        EXPECT_EQ(filtered(KeyFilters::utcOffset, k), 0) << k;

    EXPECT_EQ(filtered(KeyFilters::postContestDate, '/'), '/');
    EXPECT_EQ(filtered(KeyFilters::postContestDate, ':'), 0);
    EXPECT_EQ(filtered(KeyFilters::postContestDate, '-'), 0);
    EXPECT_EQ(filtered(KeyFilters::postContestTime, ':'), ':');
    EXPECT_EQ(filtered(KeyFilters::postContestTime, '/'), 0);
    EXPECT_EQ(filtered(KeyFilters::postContestTime, '7'), '7');
    EXPECT_EQ(filtered(KeyFilters::postContestTime, KeyFilters::Backspace), KeyFilters::Backspace);
}

TEST(KeyerHandoff, KeysHandedOverDependOnTheMode)
{
    using K = KeyerHandoff::Key;
    EXPECT_TRUE(KeyerHandoff::handedOver(K::Up, "CW"));
    EXPECT_TRUE(KeyerHandoff::handedOver(K::Escape, "CW"));
    EXPECT_TRUE(KeyerHandoff::handedOver(K::F3, "PH"));
    EXPECT_TRUE(KeyerHandoff::handedOver(K::Escape, "PH"));
    EXPECT_FALSE(KeyerHandoff::handedOver(K::Down, "PH"));
    EXPECT_TRUE(KeyerHandoff::handedOver(K::F12, "DIG"));
    EXPECT_FALSE(KeyerHandoff::handedOver(K::F1, "DIG"));
    EXPECT_FALSE(KeyerHandoff::handedOver(K::Escape, "DIG"));
    NoKeyer none;
    EXPECT_FALSE(none.windowKey(K::F1, false, "CW"));
}
