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
class FrequencyTestWindow;

// "Rig Interface Setup": the rig list and port settings, Test / End Test and the readouts.
// The polling itself is RigPoller's; this window turns its controls into RigSettings and
// redraws from the poller's readouts.
class RigSetupWindow : public QWidget {
    Q_OBJECT
public:
    RigSetupWindow(Station& station, RigPoller& poller, Dialogs& dialogs, QWidget* parent = nullptr);
    ~RigSetupWindow() override;

    RigPoller& poller() { return *m_poller; }

    void rigChosen();         // a rig chosen in the list
    void test();              // Test
    void endTest();           // End Test
    void openFrequencyTest(); // opens the frequency-test window while polling
    void shutdown();          // the program ends: Yaesu CAT off, port closed

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
    FrequencyTestWindow* m_frequencyTest = nullptr;

    QListWidget* m_rigList;
    QButtonGroup* m_port;
    QButtonGroup* m_baud;
    QButtonGroup* m_parity;
    QButtonGroup* m_data;
    QButtonGroup* m_stop;
    QButtonGroup* m_power;
    QButtonGroup* m_rate;
    QRadioButton* m_modeByRig;
    QRadioButton* m_modeByFrequency;
    QRadioButton* m_modeNotUsed;
    QCheckBox* m_useFrequency;
    QCheckBox* m_convertFromHex;
    QCheckBox* m_catOnOff;
    QCheckBox* m_convertToHex;
    QLineEdit* m_frequencyCommand;
    QLineEdit* m_modeCommand;
    QLabel* m_icomAddressNote;
    QPushButton* m_testButton;
    QPushButton* m_endTestButton;
    QPushButton* m_changeFrequencyButton;
    QLabel* m_pollingNote;
    QLabel* m_frequencyReadout;
    QLabel* m_modeReadout;
    QLineEdit* m_rawReadout;
    QTableWidget* m_portTable;
    QWidget* m_serialBox;
    QWidget* m_commandBox;
    QWidget* m_rigctldBox;
    QWidget* m_pegasusBox;
    QLineEdit* m_rigctldHost;
    QLineEdit* m_rigctldPort;
    QLineEdit* m_pegasusFolder;
};
