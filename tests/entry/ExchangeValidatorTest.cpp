#include "EntryFixture.h"

#include "entry/ExchangeValidator.h"
#include "entry/KeyFilters.h"
#include "log/DateTimeText.h"

namespace {

struct ValidatorFixture : EntryFixture {
    ExchangeValidator val{log, dialogs};
};

} // namespace

// As the call is typed: the calls of the current band and mode it could be (with a warning from the
// third character on), and a warning when neither the second nor the third character is a digit.
TEST_F(ValidatorFixture, CallAsTypedListsPossibleDupesAndChecksTheThirdCharacter)
{
    seed({rec("K1ABC"), rec("K1ABD"), rec("K1ABE", "40"), rec("K1ABF", "20", "PH"), rec("W1AW")});
    const struct {
        const char* text;
        int key;
        bool dupeCheck;
        const char* dupes;
        const char* dialog;
    } rows[] = {
        {"K1A", 'B', true, "  K1ABC  K1ABD", "Possible Duplicate!"},
        {"K1", 'A', true, "  K1ABC  K1ABD", " "},               // fewer than 3 characters before the key: no warning
        {"K1ABC", '/', true, "  K1ABC", "Possible Duplicate!"}, // a logged call inside the typed text
        {"K1A", 'B', false, "", " "},
        {"K1A", 'X', true, "", " "},
        {"W1", 'A', true, "  W1AW", " "},
        {"WA", '1', true, "", " "},
        {"W/", 'A', true, "", " "},
        {"WA", '/', true, "", " "},
        {"WA", 'B', true, "", "The second or third character is not numeric!"},
        {"WAB", 'C', true, "", " "},                  // only at the third character,
        {"WA", KeyFilters::Backspace, true, "", " "}, // and only for keys from "." to "Z"
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.text) + char(r.key));
        const int beeps = dialogs.beeps;
        const auto c = val.CheckCallAsTyped(r.text, r.key, r.dupeCheck, "20", "CW");
        EXPECT_EQ(c.dupe, (LabelView{r.dupes, *r.dupes ? DisplayColours::Panel : DisplayColours::ButtonFace}));
        EXPECT_EQ(c.dialog.text, r.dialog);
        const bool warned = QString(r.dialog).startsWith("The second");
        EXPECT_EQ(c.beeped, warned);
        EXPECT_EQ(dialogs.beeps, beeps + warned);
        if (!warned) {
            EXPECT_EQ(c.dialog.colour, DisplayColours::Panel);
        }
    }
}

TEST_F(ValidatorFixture, AsTypedListStopsPast120Characters)
{
    std::vector<ContactRecord> many;
    for (int i = 0; i < 40; ++i)
        many.push_back(rec(QStringLiteral("K1A%1").arg(QChar('A' + i % 26)) + QString::number(i)));
    seed(many);
    const auto c = val.CheckCallAsTyped("K1", 'A', true, "20", "CW");
    EXPECT_GT(c.dupe.text.size(), 120);
    EXPECT_LE(c.dupe.text.size(), 120 + 2 + 6);
    EXPECT_TRUE(c.dupe.text.endsWith(many[static_cast<size_t>(c.dupe.text.count("  ") - 1)].call));
}

TEST_F(ValidatorFixture, RequiredFieldsLastFailureWins)
{
    auto r = val.checkComplete("K1", "", "");
    EXPECT_TRUE(r.missing);
    EXPECT_EQ(r.message, "Need Call Sign!");
    EXPECT_EQ(r.focus, ExchangeValidator::Field::Call);
    EXPECT_EQ(dialogs.beeps, 3);
    r = val.checkComplete("K1ABC", "", "CT");
    EXPECT_EQ(r.message, "Need Class!");
    EXPECT_EQ(r.focus, ExchangeValidator::Field::Class);
    r = val.checkComplete("K1ABC", "2A", "");
    EXPECT_EQ(r.message, "Need Section!");
    EXPECT_FALSE(val.checkComplete("K1A", "2A", "CT").missing);
}

TEST_F(ValidatorFixture, SectionsClassesAndDeltaPairs)
{
    EXPECT_TRUE(val.CheckSection("GTA"));
    EXPECT_FALSE(val.CheckSection("XX"));
    for (const char* ok : {"2A", "10F"})
        EXPECT_EQ(val.CheckClassDesignator(ok), "") << ok;
    EXPECT_EQ(dialogs.beeps, 0);
    for (const char* bad : {"A2", "22"})
        EXPECT_EQ(val.CheckClassDesignator(bad), "Invalid Designator!") << bad;
    EXPECT_EQ(dialogs.beeps, 2);

    EXPECT_FALSE(val.CheckDeltaPair("3A", "1D"));
    EXPECT_FALSE(val.CheckDeltaPair("", "1D"));
    EXPECT_TRUE(dialogs.calls.empty());
    dialogs.yesNoAnswers = {true, false};
    EXPECT_TRUE(val.CheckDeltaPair("3D", "1D"));
    EXPECT_EQ(dialogs.last().text, "Delta stations (stations on commercial power) are not allowed to work other "
                                   "Delta Stations.  Do you want to clear this entry?");
    EXPECT_EQ(dialogs.last().title, "Delta Stations Can't Work Other Delta Stations!");
    EXPECT_FALSE(val.CheckDeltaPair("3D", "1D"));

    dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(val.askEditInvalidSection("XX"));
    EXPECT_EQ(told(),
              QStringList({"XX is not a valid section.  Do you want to edit the section?", "Invalid section!"}));
}

// The checks follow the log's rules: the current sections and classes (the tables themselves are
// checked with the rules), D may work D, and a retired section is refused with its successors named.
TEST_F(EntryFixture, CurrentRulesSectionsClassesAndDeltaPairs)
{
    ContactLog current(SectionTable::forEdition(RulesEdition::FieldDay2025));
    ExchangeValidator val{current, dialogs};
    EXPECT_TRUE(val.CheckSection("NS"));
    EXPECT_FALSE(val.CheckSection("GTA"));
    EXPECT_EQ(val.CheckClassDesignator("2G"), "Invalid Designator!");
    EXPECT_FALSE(val.CheckDeltaPair("3D", "1D"));
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(val.askEditInvalidSection("MAR"));
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.last().kind, ScriptedDialogs::Kind::Message);
    EXPECT_EQ(told(), QStringList({"MAR is now NB or NS", "Invalid section!"}));
}

TEST_F(ValidatorFixture, PostContestDatesAndTimesInTypedForms)
{
    struct Case {
        const char* date;
        const char* time;
        const char* wantDate;
        const char* wantTime;
    };
    for (const Case& c :
         {Case{"2026/06/27", "945", "2026/06/27", "09:45:00"}, Case{"06/27/2026", "1830", "2026/06/27", "18:30:00"},
          Case{"6/7/2026", "18:30", "2026/06/07", "18:30:00"}, Case{"2026-6-27", "18:30:05", "2026/06/27", "18:30:05"},
          Case{"06/27/26", "0005", "2026/06/27", "00:05:00"}, Case{"2026.06.27", "9:05", "2026/06/27", "09:05:00"}}) {
        const auto r = val.ValidatePostContestDateTime(c.date, c.time);
        EXPECT_TRUE(r.ok) << c.date << " " << c.time;
        EXPECT_EQ(r.date, c.wantDate);
        EXPECT_EQ(r.time, c.wantTime);
    }
    EXPECT_EQ(dialogs.beeps, 0);

    for (const char* bad : {"2026/13/01", "2026/02/30", "27", "2026/06", "", "06-27/2026", "abc"}) {
        const auto r = val.ValidatePostContestDateTime(bad, "1830");
        EXPECT_FALSE(r.ok) << bad;
        EXPECT_EQ(r.message, "Invalid date format!");
    }
    auto r = val.ValidatePostContestDateTime("2026/06/27", "2599");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Invalid time format!");
    EXPECT_EQ(r.date, "2026/06/27");
    EXPECT_EQ(r.time, "25:99");
    for (const char* bad : {"18", "18:3", "24:00", "18:30:61", "12345", ""})
        EXPECT_FALSE(val.ValidatePostContestDateTime("2026/06/27", bad).ok) << bad;
}

TEST_F(ValidatorFixture, EditWindowChecks)
{
    EXPECT_TRUE(val.checkEditDate("2026/06/27"));
    EXPECT_TRUE(val.checkEditTime("18:05:31"));
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_FALSE(val.checkEditDate("2026/06/31"));
    EXPECT_EQ(told(), QStringList({"Invalid Date!", "Invalid Date!"}));
    EXPECT_FALSE(val.checkEditTime("1805"));
    EXPECT_EQ(told(), QStringList({"Invalid Time!", "Invalid Time!"}));
    EXPECT_FALSE(val.editModeInvalid("DIG"));
    EXPECT_TRUE(val.editModeInvalid("SSB"));
    EXPECT_FALSE(val.editSectionInvalid("DX"));
    EXPECT_TRUE(val.editSectionInvalid("XX"));
    EXPECT_EQ(dialogs.beeps, 4);

    seed({rec("K1ABC"), rec("K1ABD"), rec("K1ABC", "40")});
    EXPECT_FALSE(val.editDoneIsDupe(1, "K1ABC", "20", "CW")); // itself only
    EXPECT_TRUE(val.editDoneIsDupe(2, "K1ABC", "20", "CW"));  // record 1, before it
    EXPECT_TRUE(val.editDoneIsDupe(1, "K1ABC", "40", "CW"));  // record 3, after it
    EXPECT_FALSE(val.editDoneIsDupe(2, "K1ABD", "40", "CW"));
}

TEST(ExchangeValidator, StationSetupOffsetField)
{
    for (const char* ok : {"5", "-3.5", "4.", " 10 ", "0"})
        EXPECT_TRUE(ExchangeValidator::isNumericOffset(ok)) << ok;
    for (const char* bad : {"", "-", ".", "5/2", "abc", "1-2"})
        EXPECT_FALSE(ExchangeValidator::isNumericOffset(bad)) << bad;
    EXPECT_EQ(ExchangeValidator::offsetFromField("-3.5"), -3.5f);
    EXPECT_EQ(ExchangeValidator::offsetFromField("5/2"), 0.0f);
}

TEST(DateTimeText, LogStampsAreReadStrictly)
{
    EXPECT_EQ(DateTimeText::parseLogStamp("2026/06/27", "18:05:31"),
              QDateTime(QDate(2026, 6, 27), QTime(18, 5, 31), Qt::UTC));
    for (auto [d, t] : {std::pair{"2026/6/27", "18:05:31"},
                        {"2026/06/27", "18:5:31"},
                        {"2026-06-27", "18:05:31"},
                        {"2026/06/31", "18:05:31"},
                        {"2026/06/27", "25:00:00"},
                        {"", ""}})
        EXPECT_FALSE(DateTimeText::parseLogStamp(d, t).isValid()) << d << " " << t;
    EXPECT_EQ(DateTimeText::parseTime("6:30 PM"), QTime(18, 30));
    EXPECT_EQ(DateTimeText::parseTime("12:10 am"), QTime(0, 10));
    EXPECT_FALSE(DateTimeText::parseTime("13:10 PM"));
}
