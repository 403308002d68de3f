#pragma once

#include "log/ContactRecord.h"

#include <QDialog>

class QLineEdit;

// frmEditCon, "Edit Contact Entry - Field Day": edits the eight entered fields of one contact
// (the rig frequency is never edited).
class EditContactDialog : public QDialog {
    Q_OBJECT
public:
    explicit EditContactDialog(const ContactRecord& record, QWidget* parent = nullptr);

    // The record with the edited fields.
    ContactRecord edited() const;

    QLineEdit* field(const QString& objectName) const;

private:
    ContactRecord m_original;
    QLineEdit* m_call;
    QLineEdit* m_class;
    QLineEdit* m_section;
    QLineEdit* m_date;
    QLineEdit* m_time;
    QLineEdit* m_band;
    QLineEdit* m_mode;
    QLineEdit* m_initials;
};
