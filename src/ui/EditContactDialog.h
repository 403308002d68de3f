#pragma once

#include "entry/ContactEditor.h"

#include <QDialog>
#include <map>

class ExchangeValidator;
class Logbook;
class QLabel;
class QLineEdit;
class QPushButton;

// frmEditCon, "Edit Contact Entry - Field Day": shows the eight editable fields of one contact
// and the editor's warnings; Done, Delete Dupe and Cancel are the editor's.
class EditContactDialog : public QDialog {
    Q_OBJECT
public:
    EditContactDialog(Logbook& logbook, const ExchangeValidator& validator, int recNo, QWidget* parent = nullptr);

    QLineEdit* field(const QString& objectName) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showState();
    void finish(ContactEditor::Outcome outcome, bool stored);

    ContactEditor m_editor;
    std::map<ContactEditor::Field, QLineEdit*> m_fields;
    QLabel* m_modeWarning;
    QLabel* m_sectionWarning;
    QLabel* m_dupeLabel;
    QPushButton* m_deleteDupe;
};
