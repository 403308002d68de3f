#include "EntryFixture.h"

#include "entry/ContactEditor.h"
#include "entry/KeyFilters.h"

using F = ContactEditor::Field;

TEST_F(EntryFixture, EditorStoresTheEightFieldsAndKeepsTheFrequency)
{
    seed({rec("K1ABC"), rec("W1AW")});
    ContactEditor ed(book, wf.validator(), 2);
    EXPECT_EQ(ed.text(F::Call), "W1AW");
    EXPECT_EQ(ed.keyPress(F::Initials, 'x').key, 'X');
    EXPECT_EQ(ed.keyPress(F::Date, '"').key, 0);
    EXPECT_TRUE(ed.keyPress(F::Class, KeyFilters::Enter).done);
    EXPECT_FALSE(ed.keyPress(F::Date, KeyFilters::Enter).done);

    ed.setText(F::Call, "W1AX");
    ed.setText(F::Date, "6/28/2026");
    ed.setText(F::Time, "9:05");
    ed.setText(F::Band, "40");
    ed.setText(F::Mode, "PH");
    ed.setText(F::Initials, "XY");
    EXPECT_EQ(ed.save(), ContactEditor::Outcome::Closed);
    EXPECT_EQ(log.record(2), (ContactRecord{"W1AX", "2A", "CT", "2026/06/28", "09:05:00", "40", "PH", "XY", "14.025"}));
    EXPECT_EQ(fileText().count("\r\n"), 2);
    EXPECT_TRUE(fileText().contains(R"("W1AX","2A","CT","2026/06/28","09:05:00","40","PH","XY","14.025","")"));
}

TEST_F(EntryFixture, EditorRefusesADupeAndCanDeleteIt)
{
    seed({rec("K1ABC"), rec("W1AW"), rec("K1ABC", "40")});
    ContactEditor ed(book, wf.validator(), 2);
    ed.setText(F::Call, "K1ABC");
    EXPECT_EQ(ed.save(), ContactEditor::Outcome::Open);
    EXPECT_TRUE(ed.dupeVisible());
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(log.record(2).call, "W1AW");

    dialogs.yesNoAnswers = {false, true};
    EXPECT_EQ(ed.deleteDupe(), ContactEditor::Outcome::Open);
    EXPECT_EQ(log.size(), 3);
    EXPECT_EQ(ed.deleteDupe(), ContactEditor::Outcome::Closed);
    EXPECT_EQ(log.size(), 2);
    EXPECT_EQ(log.record(2).band, "40");
}

TEST_F(EntryFixture, EditorFieldChecksWhenLeft)
{
    seed({rec("K1ABC")});
    ContactEditor ed(book, wf.validator(), 1);
    EXPECT_FALSE(ed.fieldLeft(F::Date));
    ed.setText(F::Mode, "SSB");
    EXPECT_TRUE(ed.fieldLeft(F::Mode));
    EXPECT_TRUE(ed.modeWarningVisible());
    ed.setText(F::Mode, "DIG");
    EXPECT_FALSE(ed.fieldLeft(F::Mode));
    EXPECT_FALSE(ed.modeWarningVisible());
    ed.setText(F::Section, "XX");
    EXPECT_TRUE(ed.fieldLeft(F::Section));
    EXPECT_TRUE(ed.sectionWarningVisible());
    ed.setText(F::Time, "25:00");
    EXPECT_TRUE(ed.fieldLeft(F::Time));
    EXPECT_EQ(dialogs.last().text, "Invalid Time!");
    EXPECT_EQ(ed.cancel(), ContactEditor::Outcome::Closed);
    EXPECT_EQ(log.record(1).mode, "CW");
}
