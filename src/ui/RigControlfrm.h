#pragma once

#include "rig/RigSettings.h"

#include <QWidget>

class Dialogs;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;
class RigPoller;
class Station;
class frmFrequencyTest;

// "Rig Interface Setup": the rig list and port settings, Test / End Test and the readouts.
// The polling itself is RigPoller's; this window turns its controls into RigSettings and
// redraws from the poller's readouts.
class RigControlfrm : public QWidget {
    Q_OBJECT
public:
    RigControlfrm(Station& station, Dialogs& dialogs, QWidget* parent = nullptr);
    ~RigControlfrm() override;

    RigPoller& poller() { return *m_poller; }

    void List1_Click();              // a rig chosen in the list
    void Command1_Click();           // Test
    void Command2_Click();           // End Test
    void cmdChangeFrequency_Click(); // opens the frequency-test window while polling
    void Form_Unload();              // the program ends: Yaesu CAT off, port closed

    // The controls' choices as settings (what Test uses and rig.ini keeps).
    RigSettings readControls() const;
    void saveSettings();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildControls();
    void showSettings(const RigSettings& s);
    void redrawReadouts();
    void applyRigSelection(const QString& name);

    Station& m_station;
    Dialogs& m_dialogs;
    RigPoller* m_poller;
    frmFrequencyTest* m_frequencyTest = nullptr;

    QListWidget* List1;
    QButtonGroup* m_port;
    QButtonGroup* m_baud;
    QButtonGroup* m_parity;
    QButtonGroup* m_data;
    QButtonGroup* m_stop;
    QButtonGroup* m_power;
    QButtonGroup* m_rate;
    QRadioButton* OptRig;
    QRadioButton* OptFreq;
    QRadioButton* OptDont;
    QCheckBox* chkFrequency;
    QCheckBox* ChkConvHex;
    QCheckBox* chkConvToHex;
    QLineEdit* txtFreq;
    QLineEdit* txtMode;
    QLabel* Label10;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* cmdChangeFrequency;
    QLabel* lblPolling;
    QLabel* lblFreq;
    QLabel* lblMode;
    QLineEdit* txtUnprocessed;
    QTableWidget* tblPorts;
    QLineEdit* txtRigctldHost;
    QLineEdit* txtRigctldPort;
    QLineEdit* txtPegasusFolder;
};
