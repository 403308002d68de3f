#include "entry/KeyFilters.h"
#include "entry/KeyerHandoff.h"
#include "support/QtPrinters.h"

#include <cctype>
#include <gtest/gtest.h>

// Each field's filter passes its characters (letters raised to capitals) and turns the rest into 0.
TEST(KeyFilters, EachFilterKeepsOnlyItsCharacters)
{
    using namespace KeyFilters;
    const struct {
        const char* name;
        void (*filter)(int&);
        const char* passed;
        const char* dropped;
    } rows[] = {
        {"upperCase", upperCase, "azK/{`\t\b", "\""},      {"digitsOnly", digitsOnly, "09\b", "-a"},
        {"utcOffset", utcOffset, "-./059\b", ",:e \""},    {"postContestDate", postContestDate, "/", ":-"},
        {"postContestTime", postContestTime, ":7\b", "/"},
    };
    for (const auto& r : rows) {
        for (const char* c = r.passed; *c; ++c) {
            int key = *c;
            r.filter(key);
            EXPECT_EQ(key, std::toupper(*c)) << r.name << " " << int(*c);
        }
        for (const char* c = r.dropped; *c; ++c) {
            int key = *c;
            r.filter(key);
            EXPECT_EQ(key, 0) << r.name << " " << int(*c);
        }
    }
}

TEST(KeyerHandoff, KeysHandedOverDependOnTheMode)
{
    using K = KeyerHandoff::Key;
    const struct {
        K key;
        const char* mode;
        bool handed;
    } rows[] = {{K::Up, "CW", true},    {K::Escape, "CW", true}, {K::F3, "PH", true},   {K::Escape, "PH", true},
                {K::Down, "PH", false}, {K::F12, "DIG", true},   {K::F1, "DIG", false}, {K::Escape, "DIG", false}};
    for (const auto& r : rows)
        EXPECT_EQ(KeyerHandoff::handedOver(r.key, r.mode), r.handed) << int(r.key) << " " << r.mode;
}
