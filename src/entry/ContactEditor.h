#pragma once

#include "log/ContactRecord.h"

#include <QString>

class ExchangeValidator;
class Logbook;

// The rules of the edit-contact window (frmEditCon) for one record: its eight editable fields
// (the frequency is never edited), the checks when a field is left, and Done / Delete Dupe /
// Cancel. The window shows the fields, the two "   Invalid!" labels, the " Dupe!" label and
// the "Delete Dupe" button from here and closes when an operation returns Closed.
class ContactEditor {
public:
    enum class Field { Call, Class, Section, Date, Time, Band, Mode, Initials };
    enum class Outcome { Open, Closed };

    ContactEditor(Logbook& logbook, const ExchangeValidator& validator, int recNo);

    int recNo() const { return m_recNo; }
    QString text(Field f) const;
    void setText(Field f, const QString& text);

    // Every field filters with KeyFilters::upperCase; Enter in the call, class or initials field is Done.
    struct Key {
        int key = 0;       // character to insert, 0: none
        bool done = false; // run save()
    };
    Key keyPress(Field f, int key) const;

    // A field was left; true when the focus must go back to it.
    bool fieldLeft(Field f);
    bool modeWarningVisible() const { return m_modeInvalid; }
    bool sectionWarningVisible() const { return m_sectionInvalid; }
    // " Dupe!" and "Delete Dupe" after a Done that found the same call, band and mode elsewhere.
    bool dupeVisible() const { return m_dupe; }

    // Stores the fields into the record (dates and times in the log's own form), rewrites the
    // log and reloads it; Open when another record has the same call, band and mode.
    Outcome save();
    // Deletes the edited record after the "Are you sure?" question.
    Outcome deleteDupe();
    Outcome cancel() const { return Outcome::Closed; }

private:
    Logbook& m_logbook;
    const ExchangeValidator& m_validator;
    int m_recNo;
    // The contact as the window opened it: found again by it when the log was rewritten meanwhile.
    ContactRecord m_opened;
    ContactRecord m_fields;
    bool m_modeInvalid = false;
    bool m_sectionInvalid = false;
    bool m_dupe = false;
};
