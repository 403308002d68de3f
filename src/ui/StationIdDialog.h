#pragma once

#include <QDialog>

class QLineEdit;
struct Preferences;

// frmStationID, " Amateur Station I.D.": the station's own call, class, section, UTC offset
// and operator, shown at every start-up and from the Setup menu.
class StationIdDialog : public QDialog {
    Q_OBJECT
public:
    explicit StationIdDialog(const Preferences& current, QWidget* parent = nullptr);

    // Copies the fields into the preferences (a non-numeric UTC offset becomes 0).
    void applyTo(Preferences& prefs) const;

    QLineEdit* callField() const { return m_call; }
    QLineEdit* classField() const { return m_class; }
    QLineEdit* sectionField() const { return m_section; }
    QLineEdit* utcField() const { return m_utc; }
    QLineEdit* operatorField() const { return m_operator; }

private:
    void cmdDone_Click();

    QLineEdit* m_call;
    QLineEdit* m_class;
    QLineEdit* m_section;
    QLineEdit* m_utc;
    QLineEdit* m_operator;
};
