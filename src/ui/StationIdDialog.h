#pragma once

#include "log/RulesEdition.h"

#include <QDialog>
#include <memory>

class Dialogs;
class QComboBox;
class QLineEdit;
class QPushButton;
struct Preferences;

// frmStationID, " Amateur Station I.D.": the station's own call, class, section, UTC offset
// and operator, shown at every start-up and from the Setup menu.
class StationIdDialog : public QDialog {
    Q_OBJECT
public:
    // Without `dialogs` the operator's messages go to message boxes of its own.
    explicit StationIdDialog(const Preferences& current, QWidget* parent = nullptr, Dialogs* dialogs = nullptr);
    ~StationIdDialog() override;

    // Copies the fields into the preferences (a non-numeric UTC offset becomes 0; one outside
    // -12..+14 hours is not taken).
    void applyTo(Preferences& prefs) const;

    QLineEdit* callField() const { return m_call; }
    QLineEdit* classField() const { return m_class; }
    QLineEdit* sectionField() const { return m_section; }
    QLineEdit* utcField() const { return m_utc; }
    QLineEdit* operatorField() const { return m_operator; }
    QComboBox* rulesField() const { return m_rules; }

    // The rules choice shown and chosen ("ARRL Field Day 2025" / "As written").
    void setRules(RulesEdition edition);
    RulesEdition rules() const;

private:
    void cmdDone_Click();
    // False, after telling the operator and putting the cursor back, when the offset is a
    // number outside -12..+14 hours.
    bool offsetAcceptable();

    std::unique_ptr<Dialogs> m_ownDialogs;
    Dialogs* m_dialogs;
    QPushButton* m_done;
    QLineEdit* m_call;
    QLineEdit* m_class;
    QLineEdit* m_section;
    QLineEdit* m_utc;
    QLineEdit* m_operator;
    QComboBox* m_rules;
};
