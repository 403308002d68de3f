#pragma once

#include "log/CallIndex.h"
#include "log/DisplayColours.h"

#include <QString>

class ContactLog;
struct ContactRecord;
class Dialogs;

// The checks applied to the call, class and section as they are typed and logged, to the
// post-contest date and time, and to the edit-contact window's fields. It reads the log and
// the current band and mode but changes nothing; the caller shows what it returns.
class ExchangeValidator {
public:
    // The sections, classes and delta rule are those of the log's section table.
    ExchangeValidator(const ContactLog& log, Dialogs& dialogs);

    // What the as-you-type check wants on screen.
    struct CallCheck {
        LabelView dialog; // lblDialog
        LabelView dupe;   // lblDupe: the calls already worked that the typed text could become
        bool beeped = false;
    };
    // Run for every key typed in the call field, before the key is added to `callText`.
    // The list covers the given band and mode only and stops past 120 characters.
    CallCheck CheckCallAsTyped(const QString& callText, int key, bool warningOn, const QString& band,
                               const QString& mode) const;

    enum class Field { None, Call, Class, Section };
    struct Completeness {
        bool missing = false;
        QString message;           // the last failure's message
        Field focus = Field::None; // the last failure's field
    };
    // Required fields, in the order section, class, call: the last failure wins. Beeps per failure.
    Completeness checkComplete(const QString& call, const QString& cls, const QString& section) const;

    // True for "DX" and the table's abbreviations. An empty section is checkComplete's business.
    bool CheckSection(const QString& section) const;
    // "<sec> is not a valid section.  Do you want to edit the section?"; true for Yes. A retired
    // section is refused with the message naming its successors ("MAR is now NB or NS"): true.
    bool askEditInvalidSection(const QString& section) const;
    // The successor message of a retired section; empty for any other section.
    QString retiredSection(const QString& section) const;

    // Empty when the class is acceptable (or empty), else "Invalid Designator!" (with a beep).
    QString CheckClassDesignator(const QString& cls) const;

    // Both classes end in "D" under the rules as written: asks whether to clear the entry; true
    // for Yes. The current rules let D work D, so there is nothing to ask.
    bool CheckDeltaPair(const QString& ownClass, const QString& cls) const;

    // Station setup's UTC-offset field: numeric (leaving it otherwise returns the focus to it).
    static bool isNumericOffset(const QString& text);
    // The offset read when the setup window is confirmed: 0 for a field that is not numeric.
    static float offsetFromField(const QString& text);

    struct PostContest {
        bool ok = false;
        QString date;    // the date field as it must now show
        QString time;    // the time field as it must now show
        QString message; // "Invalid date format!" / "Invalid time format!" on failure
    };
    // Normalises the post-contest fields to "yyyy/mm/dd" and "hh:mm:ss" (945 -> 09:45:00).
    PostContest ValidatePostContestDateTime(const QString& date, const QString& time) const;

    // Edit-contact window checks, each run when its field is left. Date and time show their
    // message box; mode and section return whether the "   Invalid!" label must show.
    bool checkEditDate(const QString& date) const;
    bool checkEditTime(const QString& time) const;
    bool editModeInvalid(const QString& mode) const;
    bool editSectionInvalid(const QString& section) const;
    // The edit window's Done: another record (before or after `recNo`) with the same call, band
    // and mode. Beeps when there is one; the window then shows " Dupe!" and "Delete Dupe".
    bool editDoneIsDupe(int recNo, const QString& call, const QString& band, const QString& mode) const;

    // The first record with this call on this band and mode, 0 when there is none.
    int findDupe(const QString& call, const QString& band, const QString& mode) const;
    // The message line's report of a dupe: "Dupe: CALL CLASS SEC DATE TIME BAND ON MODE ...".
    static QString dupeReport(const ContactRecord& dupe, int recNo);

    // Fast lookups over the log, shared with the dupe test.
    const CallIndex& callIndex() const { return m_index; }

private:
    const ContactLog& m_log;
    CallIndex m_index;
    Dialogs& m_dialogs;
};
