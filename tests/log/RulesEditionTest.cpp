#include "log/RulesEdition.h"
#include "log/SectionTable.h"
#include "support/QtPrinters.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(RulesEdition, NamesAndKeysReadBack)
{
    for (RulesEdition e : {RulesEdition::FieldDay2025, RulesEdition::AsWritten}) {
        EXPECT_EQ(parseRulesEdition(rulesEditionKey(e)), e);
        EXPECT_EQ(parseRulesEdition(rulesEditionName(e)), e);
    }
    EXPECT_EQ(rulesEditionName(RulesEdition::FieldDay2025), "ARRL Field Day 2025");
    EXPECT_EQ(rulesEditionName(RulesEdition::AsWritten), "As written");
    EXPECT_FALSE(parseRulesEdition("2024").has_value());
}

TEST(RulesEdition, SectionListsOfBothEditions)
{
    const SectionTable& current = SectionTable::forEdition(RulesEdition::FieldDay2025);
    const SectionTable& written = SectionTable::forEdition(RulesEdition::AsWritten);
    EXPECT_EQ(current.size(), 85);
    EXPECT_EQ(written.size(), 83);
    EXPECT_EQ(&written, &SectionTable::standard());
    EXPECT_EQ(written.at(0).name, "Connecticut");

    const QStringList rac{"AB", "BC", "GH", "MB", "NB", "NL", "NS", "ONE", "ONN", "ONS", "PE", "QC", "SK", "TER"};
    int racFound = 0;
    for (int i = 0; i < current.size(); ++i)
        racFound += rac.contains(current.at(i).abbr) ? 1 : 0;
    EXPECT_EQ(racFound, 14);
    EXPECT_EQ(current.size() - racFound, 71);

    struct Row {
        const char* abbr;
        bool inCurrent;
        bool inWritten;
        const char* retiredMessage;
    };
    const Row rows[] = {
        {"NS", true, false, ""},
        {"NB", true, false, ""},
        {"PE", true, false, ""},
        {"GH", true, false, ""},
        {"TER", true, false, ""},
        {"WCF", true, true, ""},
        {"DX", true, true, ""},
        {"MAR", false, true, "MAR is now NB or NS"},
        {"GTA", false, true, "GTA is now GH"},
        {"NT", false, true, "NT is now TER"},
        {"ns", false, false, ""},
        {"XX", false, false, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.abbr);
        EXPECT_EQ(current.isValidSection(r.abbr), r.inCurrent);
        EXPECT_EQ(written.isValidSection(r.abbr), r.inWritten);
        EXPECT_EQ(current.retiredMessage(r.abbr), QString::fromLatin1(r.retiredMessage));
        EXPECT_TRUE(written.retiredMessage(r.abbr).isEmpty());
    }
}

TEST(RulesEdition, EntryClasses)
{
    struct Row {
        const char* cls;
        bool current;
        bool written;
    };
    const Row rows[] = {
        {"1A", true, true},    {"99F", true, true},  {"22A", true, true}, {"1D", true, true},   {"0A", false, true},
        {"100A", false, true}, {"2G", false, true},  {"2Z", false, true}, {"A2", false, false}, {"22", false, false},
        {"", false, false},    {"01A", false, true}, {"2a", false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.cls);
        EXPECT_EQ(isValidEntryClass(r.cls, RulesEdition::FieldDay2025), r.current);
        EXPECT_EQ(isValidEntryClass(r.cls, RulesEdition::AsWritten), r.written);
    }
    EXPECT_FALSE(deltaMayNotWorkDelta(RulesEdition::FieldDay2025));
    EXPECT_TRUE(deltaMayNotWorkDelta(RulesEdition::AsWritten));
}
