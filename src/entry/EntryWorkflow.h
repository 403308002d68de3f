#pragma once

#include "entry/DigitalContact.h"
#include "entry/DupeKeyHold.h"
#include "entry/EntryView.h"
#include "entry/ExchangeValidator.h"
#include "entry/LogList.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class Clock;
class Dialogs;
class Logbook;
class OperatingState;
struct Preferences;

// What became of one key press.
struct KeyResult {
    int key = 0;             // character to insert at the caret of the field that got the key (8: let the
                             // field delete as Backspace does); 0: none
    bool tabForward = false; // move on as the Tab key would
};

// The logging-at-speed rules of the main window: the call, class and section fields with their
// carried keys, the post-contest date and time, the flags, the dupe test and the list content.
// It knows nothing about widgets.
//
// How the window drives it:
//  - every text change of an entry field: setFieldText();
//  - every key press in an entry field: keyPress(field, key, caretAtEnd); insert result.key
//    (when not 0) at the caret, move on when tabForward, then redraw every field, label and the
//    focus from view() and call acknowledgeView(). The workflow returns key 0 whenever it has
//    changed the field texts itself, so the insert never meets a stale text;
//  - every focus change (also to a button: EntryField::None): focusArrived();
//  - while callLocked(), the call field shows locked and a single-shot timer of
//    holdRemainingMs() calls endDupeHold() and redraws. Every key within 3 s of a dupe report
//    is dropped with a beep and never replayed (DupeKeyHold.h);
//  - the list: redraw its rows from list() whenever list().version() changes (it is refilled
//    here after every reload of the log and every stored contact);
//  - buttons and menus: clearFields(), toggleShowAll(), toggleDupWarning(), beginFind(),
//    toggleListPrevious(), togglePostContest() and the other operations below.
//
// Hand-off points for later parts:
//  - currentCall() and currentCallChanged(): the call being typed, for CW macros and the RTTY link;
//  - Mains() may be called from outside (the CW sender logs when its message says so); it emits
//    viewChanged() so the window redraws;
//  - audioPrompt: called with "Call", "Class", "Section" and "Dupe"; does nothing until the
//    voice keyer exists (the dupe report will wait for playback there, not here);
//  - function keys, arrows and Escape do not come here: see KeyerHandoff.h.
class EntryWorkflow : public QObject {
    Q_OBJECT
public:
    EntryWorkflow(Logbook& logbook, OperatingState& state, Preferences& prefs, Dialogs& dialogs, Clock& clock,
                  QObject* parent = nullptr);

    const EntryView& view() const { return m_view; }
    // Clears the one-shot requests of the view (selections) once the window has drawn them.
    void acknowledgeView() { m_view.selectAll = 0; }
    LogList& list() { return m_list; }
    const LogList& list() const { return m_list; }
    const ExchangeValidator& validator() const { return m_validator; }

    QString currentCall() const { return m_view.txtCall; }
    // The call being typed against the log, for a large label beside the call field: a dupe on
    // this band and mode (with its record), worked on other bands or modes (which), or new.
    LabelView workedStatus() const;
    void setFieldText(EntryField field, const QString& text);

    // One key in one field, routed to the handlers below (or dropped during the dupe hold).
    KeyResult keyPress(EntryField field, int key, bool caretAtEnd);
    KeyResult callKey(int key, bool caretAtEnd);
    KeyResult classKey(int key);
    KeyResult sectionKey(int key);
    KeyResult postContestDateKey(int key);
    KeyResult postContestTimeKey(int key);
    // Types one key at the end of the focused field as the window would (tests and tools).
    void typeKey(int key);
    void typeText(const QString& text);

    // Focus arrival; nothing happens when the field already has the focus.
    void focusArrived(EntryField field);

    // Logs the entry: validation, dupe test, append, cleared fields.
    void Mains();
    // The dupe test of the entry; true for a dupe.
    bool dupcheck();
    // A contact a digital program logged: the class, section and dupe tests of a typed contact,
    // stamped with its own time and the band of its frequency, mode DIG and the current
    // operator. The message line says what was logged or why not; the fields being typed stay.
    bool logDigitalContact(const DigitalContact& contact);
    // A device's or link's report for the message line.
    void showMessage(const QString& text);
    // Texts from outside the entry for the message line and the possible-dupe box (the spot
    // displays: "You've been spotted!", a band map label under the pointer).
    void showLabels(const std::optional<LabelView>& dialog, const std::optional<LabelView>& dupe);
    // Information for the message line (section totals under the pointer).
    void showNote(const QString& text);

    // The 3-second hold after a dupe report: the call field is locked until endDupeHold().
    bool callLocked() const { return m_hold.active(); }
    qint64 holdRemainingMs() const { return m_hold.remainingMs(); }
    // Ends the hold once 3 s have passed; true when it did. The dupe report stays on the
    // message line until the next key starts a fresh call.
    bool endDupeHold();

    void clearFields();
    // True when the call, class and section fields are all empty.
    bool entryEmpty() const { return m_view.txtCall.isEmpty() && m_view.txtCK.isEmpty() && m_view.txtSec.isEmpty(); }
    // Empties the message line (Esc on an empty entry).
    void clearMessage() { m_view.lblDialog = {QString(), DisplayColours::Panel}; }
    void toggleShowAll();
    void toggleDupWarning();
    QString cmdDupCaption() const { return m_view.dupWarningOn ? QStringLiteral("On") : QStringLiteral("Off"); }
    // Before the find window opens; the window then calls findCall with its answer.
    void beginFind();
    // Fills the list with the matches; says so on the message line when there are none.
    void findCall(const QString& text, bool partialMatches);
    // What the list is filtered on, for a line above it; empty for the plain log.
    QString listFilterText() const;
    void listRowClicked();
    // Toggles the previous-contacts option; emits preferencesChanged.
    void toggleListPrevious();
    bool listPrevious() const;
    void togglePostContest();
    // A click on section label `index` (0-based, section table order).
    void sectionLabelClicked(int index);
    // The mouse went over the window background.
    void clearDupeLabel();

    bool duplicateFlag() const { return m_hold.flagged(); }
    int carriedKeyState() const { return m_carryState; }

    // Plays an audio prompt; empty until the voice keyer exists.
    std::function<void(const QString&)> audioPrompt;

signals:
    void currentCallChanged(const QString& call);
    // The rate figures must be recomputed (TimeStats).
    void ratesDue();
    // A stored setting changed: the preferences file must be written.
    void preferencesChanged();
    // The view changed outside a window call (Mains from the CW sender).
    void viewChanged();

private:
    QString& fieldText(EntryField field);
    void moveFocus(EntryField field);
    EntryField nextField(EntryField field) const;
    void prompt(const char* name, int level);
    void clearEntry();
    void typeKeyInto(EntryField field, int key);
    static bool carriesToClass(const QString& call, int key, bool caretAtEnd);

    Logbook& m_logbook;
    OperatingState& m_state;
    Preferences& m_prefs;
    Dialogs& m_dialogs;
    Clock& m_clock;
    ExchangeValidator m_validator;
    LogList m_list;
    EntryView m_view;

    int m_carryState = 0; // 0 none, 3 letter to section, 4 digit to class
    int m_carriedKey = 0;
    bool m_justFound = false;
    bool m_missingFlag = false;
    bool m_invalidSectionFlag = false;
    QString m_findText;
    bool m_startsFreshCall = false; // the next key follows a dupe report
    DupeKeyHold m_hold;
};
