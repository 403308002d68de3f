#include "EntryFixture.h"

#include "entry/ContactEditor.h"
#include "entry/KeyFilters.h"
#include "log/LogFile.h"

#include <QSignalSpy>
#include <cerrno>

using F = ContactEditor::Field;
using KeyFilters::Enter;

TEST_F(EntryFixture, TypedExchangeIsStoredAsOneLineAndTheEntryCleared)
{
    EXPECT_EQ(v().lblDialog.text, ""); // band and mode are set: no hint to set them
    QSignalSpy rates(&wf, &EntryWorkflow::ratesDue);
    QSignalSpy calls(&wf, &EntryWorkflow::currentCallChanged);
    state.BandFreqConversion(14.025f);
    wf.typeText("k1abc 2a ct\n");
    EXPECT_EQ(fileText(), line(R"("K1ABC","2A","CT","2026/06/27","18:00:00","20","CW","JS","14.025","")"));
    EXPECT_EQ(log.size(), 1);
    expectEntryCleared();
    EXPECT_EQ(v().lblDialog, (LabelView{" ", DisplayColours::Panel}));
    EXPECT_EQ(v().lblDupe, (LabelView{"", DisplayColours::ButtonFace}));
    EXPECT_EQ(wf.list().rows(), std::vector<int>{1});
    EXPECT_EQ(rates.count(), 1);
    EXPECT_EQ(calls.first().first().toString(), "K");
    EXPECT_EQ(calls.last().first().toString(), "");
    // The frequency belongs to one attempt only.
    EXPECT_TRUE(state.frequency().isEmpty());

    wf.typeText("k1abd1e eny\n");
    EXPECT_EQ(log.record(2), (ContactRecord{"K1ABD", "1E", "ENY", "2026/06/27", "18:00:00", "20", "CW", "JS", ""}));
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(EntryFixture, ADigitAfterTheCallsSuffixCarriesOn)
{
    const struct {
        const char* typed;
        QStringList fields;
        EntryField focus;
    } rows[] = {
        {"K1ABC2", {"K1ABC", "2", ""}, EntryField::Class},
        {"K1ABC2AC", {"K1ABC", "2A", "C"}, EntryField::Section}, // the second letter goes on to the section
        {"w1aw/32", {"W1AW/32", "", ""}, EntryField::Call},
        {"KH61", {"KH61", "", ""}, EntryField::Call}, // no carry without a letter after the digit
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.typed);
        wf.clearFields();
        wf.typeText(r.typed);
        EXPECT_EQ(fields(), r.fields);
        EXPECT_EQ(v().focus, r.focus);
        EXPECT_EQ(wf.carriedKeyState(), 0);
    }
    // Nor with the caret inside the call.
    wf.clearFields();
    wf.typeText("K1ABC");
    EXPECT_EQ(wf.keyPress(EntryField::Call, '2', false).key, '2');
    EXPECT_TRUE(v().txtCK.isEmpty());
}

TEST_F(EntryFixture, SpaceAndEnterMoveOnAndQuotesNeverReachAField)
{
    wf.typeText("k\"1ab\b");
    EXPECT_EQ(v().txtCall, "K1A");
    EXPECT_EQ(wf.keyPress(EntryField::Call, ' ', true).key, 0);
    EXPECT_EQ(v().focus, EntryField::Class);
    EXPECT_EQ(wf.keyPress(EntryField::Class, ' ', true).key, 0);
    EXPECT_EQ(v().focus, EntryField::Section);
    const KeyResult r = wf.keyPress(EntryField::Section, ' ', true);
    EXPECT_TRUE(r.tabForward);
    EXPECT_EQ(r.key, 0);
    EXPECT_EQ(wf.keyPress(EntryField::Section, '"', true).key, 0);
    EXPECT_EQ(wf.keyPress(EntryField::Section, 'c', true).key, 'C');
}

TEST_F(EntryFixture, SameCallOnAnotherBandOrModeIsPrefilledThenLogged)
{
    seed({rec("K1ABC", "40"), rec("K1ABC", "20", "PH")});
    wf.typeText("k1abc\n");
    EXPECT_EQ(log.size(), 2);
    EXPECT_EQ(fields(), QStringList({"K1ABC", "2A", "CT"}));
    EXPECT_EQ(v().selectAll, (1u << unsigned(EntryField::Class)) | (1u << unsigned(EntryField::Section)));
    EXPECT_EQ(v().lblDialog.text, "Need Class!");
    EXPECT_FALSE(wf.duplicateFlag());
    wf.acknowledgeView();
    EXPECT_EQ(v().selectAll, 0u);

    wf.typeKey(Enter);
    ASSERT_EQ(log.size(), 3);
    EXPECT_EQ(log.record(3), (ContactRecord{"K1ABC", "2A", "CT", "2026/06/27", "18:00:00", "20", "CW", "JS", ""}));
}

TEST_F(EntryFixture, WorkedStatusBesideTheCall)
{
    seed({rec("K1ABC"), rec("K2ABC", "40"), rec("K2ABC", "20", "PH"), rec("K2ABC", "40")});
    const struct {
        const char* typed;
        LabelView shown;
    } rows[] = {{"k1", {"", DisplayColours::ButtonFace}},
                {"k1abc", {"DUPE  Rec# 1", DisplayColours::DupeRed}},
                {"k2abc", {"Worked 40 CW, 20 PH", 0x80E0FF}},
                {"k2ab", {"NEW", 0x90EE90}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        wf.clearFields();
        wf.typeText(row.typed);
        EXPECT_EQ(wf.workedStatus(), row.shown);
    }
}

TEST_F(EntryFixture, PreviousContactsOptionListsEarlierContactsOfTheCall)
{
    QSignalSpy saves(&wf, &EntryWorkflow::preferencesChanged);
    wf.toggleListPrevious();
    EXPECT_EQ(prefs.listPrevious, 1);
    EXPECT_EQ(saves.count(), 1);
    seed({rec("K1ABC", "40"), rec("W1AW"), rec("K1ABC", "15")});
    wf.typeText("k1abc\n");
    EXPECT_EQ(wf.list().content(), LogList::Content::Previous);
    EXPECT_EQ(wf.list().rows(), (std::vector<int>{1, 3}));
    EXPECT_EQ(wf.list().cell(0, LogList::Call), "K1ABC");
    EXPECT_EQ(wf.list().cell(0, LogList::Opr), "");
}

// A dupe is refused and named, and every key within three seconds of it is dropped for good.
TEST_F(EntryFixture, DupeIsRefusedAndHoldsTheKeysForThreeSeconds)
{
    seed({rec("W1AW"), rec("K1ABC")});
    wf.typeText("k1abc 2a ct\n");
    EXPECT_EQ(log.size(), 2);
    const LabelView report{"Dupe: K1ABC 2A CT 2026/06/27 18:05:31 ON 20 CW  Rec# 2", DisplayColours::DupeRed};
    EXPECT_EQ(v().lblDialog, report);
    EXPECT_EQ(v().lblDupe, (LabelView{"", DisplayColours::ButtonFace}));
    expectEntryCleared();
    EXPECT_TRUE(wf.duplicateFlag());
    EXPECT_EQ(dialogs.beeps, 1);
    ASSERT_TRUE(wf.callLocked());
    const struct {
        qint64 atMs;
        EntryField field;
        int key;
    } dropped[] = {{500, EntryField::Call, 'w'},
                   {1000, EntryField::Call, '2'},
                   {1000, EntryField::Class, 'a'},
                   {2900, EntryField::Call, Enter},
                   {2900, EntryField::Section, 'c'}};
    qint64 now = 0;
    for (const auto& k : dropped) {
        SCOPED_TRACE(k.atMs);
        clock.advanceMs(k.atMs - now);
        now = k.atMs;
        const int beeps = dialogs.beeps;
        EXPECT_EQ(wf.keyPress(k.field, k.key, true).key, 0);
        EXPECT_EQ(dialogs.beeps, beeps + 1);
        EXPECT_TRUE(wf.callLocked());
        EXPECT_EQ(v().lblDialog, report);
    }
    // The window's timer ends the hold; the report stays until the next call starts.
    clock.advanceMs(3000 - now);
    EXPECT_TRUE(wf.endDupeHold());
    EXPECT_FALSE(wf.callLocked());
    EXPECT_EQ(v().lblDialog, report);
    wf.typeText("w2abc");
    // Nothing held back surfaces.
    EXPECT_EQ(fields(), QStringList({"W2ABC", "", ""}));
    EXPECT_EQ(v().lblDialog.colour, DisplayColours::Panel);
    EXPECT_EQ(log.size(), 2);

    // Before the timer fires, the first key after 3 s ends the hold itself and starts the call.
    wf.clearFields();
    wf.typeText("k1abc 2a ct\n");
    clock.advanceMs(3000);
    EXPECT_EQ(wf.keyPress(EntryField::Call, 'k', true).key, 'K');
    EXPECT_FALSE(wf.duplicateFlag());
    EXPECT_FALSE(wf.callLocked());
}

TEST_F(EntryFixture, MissingFieldsRefuseTheContactAndKeepTheEntry)
{
    wf.typeText(" 2a ct\n");
    EXPECT_EQ(v().lblDialog.text, "Need Call Sign!");
    EXPECT_EQ(v().focus, EntryField::Call);
    EXPECT_EQ(fields(), QStringList({"", "2A", "CT"}));
    EXPECT_EQ(log.size(), 0);
    EXPECT_TRUE(fileText().isEmpty());
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(EntryFixture, InvalidSectionQuestion)
{
    dialogs.yesNoAnswers = {true};
    wf.typeText("k1abc 2a xx\n");
    EXPECT_EQ(dialogs.last().title, "Invalid section!");
    EXPECT_EQ(v().lblDialog.text, "Invalid Section");
    EXPECT_EQ(v().focus, EntryField::Section);
    EXPECT_EQ(v().txtCall, "K1ABC");
    EXPECT_EQ(log.size(), 0);

    dialogs.yesNoAnswers = {false};
    wf.typeKey(Enter);
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log.record(1).section, "XX");
    EXPECT_TRUE(v().txtCall.isEmpty());

    // A dupe is reported without the question.
    wf.typeText("k1abc 2a xx\n");
    EXPECT_EQ(dialogs.calls.size(), 2u);
    EXPECT_TRUE(v().lblDialog.text.startsWith("Dupe: K1ABC"));
}

TEST_F(EntryFixture, ClassDesignatorAndDeltaChecksOnFocusChanges)
{
    wf.typeText("k1abc a2 ");
    EXPECT_EQ(v().lblDialog.text, "Invalid Designator!");
    EXPECT_EQ(dialogs.beeps, 1);

    wf.clearFields();
    prefs.ownClass = "3D";
    dialogs.yesNoAnswers = {false, true};
    wf.typeText("k1abc 1d ");
    EXPECT_EQ(dialogs.last().title, "Delta Stations Can't Work Other Delta Stations!");
    EXPECT_EQ(v().txtCK, "1D");
    EXPECT_EQ(v().focus, EntryField::Section);
    wf.focusArrived(EntryField::Class);
    wf.focusArrived(EntryField::Section);
    expectEntryCleared();
    EXPECT_EQ(dialogs.calls.size(), 2u);
}

TEST_F(EntryFixture, PostContestEntryUsesTheTypedDateAndTime)
{
    wf.togglePostContest();
    ASSERT_TRUE(v().postContestVisible);
    wf.focusArrived(EntryField::PostConDate);
    EXPECT_EQ(v().txtPostConDate, "2026/06/27"); // today, local
    wf.setFieldText(EntryField::PostConDate, "");
    wf.typeText("06/28/2026 9:4x5"); // Space moves on; the time field refuses letters
    EXPECT_EQ(v().txtPostConDate + " " + v().txtPostConTime, "06/28/2026 9:45");

    state.BandFreqConversion(14.2f);
    wf.focusArrived(EntryField::Call);
    wf.typeText("k1abc 2a ct\n");
    EXPECT_EQ(fileText(), line(R"("K1ABC","2A","CT","2026/06/28","09:45:00","20","CW","JS","14.200","")"));
    EXPECT_EQ(v().txtPostConDate + " " + v().txtPostConTime, "2026/06/28 09:45:00");

    state.BandFreqConversion(14.2f);
    wf.setFieldText(EntryField::PostConTime, "2599");
    wf.typeText("w1aw 1e eny\n");
    EXPECT_EQ(v().lblDialog.text, "Invalid time format!");
    EXPECT_EQ(v().txtPostConTime, "25:99");
    EXPECT_EQ(v().txtCall, "W1AW");
    EXPECT_EQ(state.frequency(), "14.200"); // kept: the attempt never got past the date check
    wf.setFieldText(EntryField::PostConDate, "2026/02/30");
    wf.typeKey(Enter);
    EXPECT_EQ(v().lblDialog.text, "Invalid date format!");
    EXPECT_EQ(log.size(), 1);
}

TEST_F(EntryFixture, ListViewsFindAndButtons)
{
    std::vector<ContactRecord> recs;
    for (int i = 1; i <= 25; ++i)
        recs.push_back(rec(QStringLiteral("K%1ABC").arg(i)));
    recs[4].time = "09:05:00";
    seed(recs);
    wf.list().RefreshLogList();
    ASSERT_EQ(wf.list().rowCount(), 20);
    EXPECT_EQ(wf.list().recordAt(0), 6);
    EXPECT_EQ(wf.list().recordAt(19), 25);
    EXPECT_EQ(wf.list().cmdListCaption(), "Last 20");
    wf.toggleShowAll();
    EXPECT_EQ(wf.list().rowCount(), 25);
    EXPECT_EQ(wf.list().cmdListCaption(), "All");
    EXPECT_EQ(wf.list().cell(4, LogList::Time), "9:05");
    EXPECT_EQ(QStringList({wf.list().cell(0, LogList::Date), wf.list().cell(0, LogList::Freq),
                           wf.list().cell(0, LogList::RecNo), wf.list().cell(0, LogList::Opr)}),
              QStringList({"2026/06/27", "14.025", "1", "AB"}));
    wf.toggleShowAll();
    EXPECT_EQ(wf.list().rowCount(), 20);

    wf.beginFind();
    wf.findCall("K2ABC", false);
    EXPECT_EQ(wf.list().rows(), std::vector<int>{2});
    wf.findCall("K2", true);
    EXPECT_EQ(wf.list().rows(), (std::vector<int>{2, 20, 21, 22, 23, 24, 25}));
    EXPECT_EQ(wf.listFilterText(), "Filter on: 7 contacts found for \"K2\" - press Last 20 for the log");
    wf.findCall("W9", false);
    EXPECT_EQ(wf.list().rowCount(), 0);
    EXPECT_EQ(v().lblDialog.text, "No contact with W9 in the log.");
    wf.findCall("", true);
    EXPECT_EQ(wf.list().rowCount(), 0);
    // The found list survives the call field getting the focus once.
    wf.findCall("K2", true);
    wf.focusArrived(EntryField::None);
    wf.focusArrived(EntryField::Call);
    EXPECT_EQ(wf.list().rowCount(), 7);
    wf.focusArrived(EntryField::None);
    wf.focusArrived(EntryField::Call);
    EXPECT_EQ(wf.list().rowCount(), 20);

    wf.list().sortByColumn(LogList::Call);
    EXPECT_EQ(wf.list().cell(0, LogList::Call), "K10ABC");

    wf.listRowClicked();
    EXPECT_TRUE(v().editDeleteVisible);
    wf.typeKey('k');
    EXPECT_FALSE(v().editDeleteVisible);

    wf.toggleDupWarning();
    EXPECT_EQ(wf.cmdDupCaption(), "Off");
    wf.sectionLabelClicked(SectionTable::standard().indexOf("ENY"));
    EXPECT_EQ(v().txtSec, "ENY");
}

TEST_F(EntryFixture, AudioPromptsFollowTheNavigationLevel)
{
    QStringList played;
    wf.audioPrompt = [&](const QString& p) { played << p; };
    prefs.voiceNavigation = 1;
    wf.typeText("k1abc ");
    wf.focusArrived(EntryField::Call);
    EXPECT_EQ(played, QStringList{"Call"});
    prefs.voiceNavigation = 2;
    wf.typeText(" ");
    wf.typeText("2a ");
    EXPECT_EQ(played, (QStringList{"Call", "Class", "Section"}));
}

// The list is refilled after every reload, a delete's included.
TEST_F(EntryFixture, ListFollowsADelete)
{
    seed({rec("W1AW"), rec("K1ABC"), rec("K1ABD")});
    dialogs.yesNoAnswers = {true};
    ASSERT_TRUE(book.deleteRecord(2));
    EXPECT_EQ(wf.list().rows(), (std::vector<int>{1, 2}));
    wf.typeText("k1abd 2a ct\n");
    EXPECT_TRUE(v().lblDialog.text.endsWith("Rec# 2"));
}

TEST_F(EntryFixture, StampWrapsIntoTheNextUtcDay)
{
    clock.setLocal(QDateTime(QDate(2026, 6, 27), QTime(21, 30, 15)));
    prefs.utcOffset = 5.5f;
    wf.typeText("k1abc 2a ct\n");
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log.record(1).date + " " + log.record(1).time, "2026/06/28 03:00:15");
}

// When the disk refuses the contact (the sync fails), the operator is told, nothing reaches the
// file or the table, and what was typed stays in the three fields so Enter can be pressed again.
TEST_F(EntryFixture, FailedSyncRefusesTheContactAndKeepsTheEntry)
{
    seed({rec("K1A")});
    const QByteArray before = fileText();
    LogFile::Io failedSync;
    failedSync.sync = [](int) {
        errno = EIO;
        return -1;
    };
    book.file().setIo(failedSync);
    wf.typeText("k1abc 2a ct\n");
    EXPECT_EQ(fileText(), before);
    EXPECT_EQ(log.size(), 1);
    EXPECT_EQ(fields(), QStringList({"K1ABC", "2A", "CT"}));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.last().title, "Contact Not Stored");

    // Once the disk is back, Enter again stores the same contact, once.
    book.file().setIo({});
    wf.Mains();
    EXPECT_EQ(log.size(), 2);
    EXPECT_EQ(log.record(2).call, "K1ABC");
    expectEntryCleared();
    EXPECT_EQ(fileText().count("\r\n"), 2);
}

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
    // Read back from the rewritten file.
    EXPECT_EQ(log.record(2), (ContactRecord{"W1AX", "2A", "CT", "2026/06/28", "09:05:00", "40", "PH", "XY", "14.025"}));
    EXPECT_EQ(log.size(), 2);
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
