#pragma once

#include <QObject>

class Dialogs;
class QWidget;
class RigSetupWindow;
class RigPoller;
class Station;
class RigTuneWindow;

// The rig windows as the main window sees them: the rig interface setup window (created on
// first use and kept loaded, as it owns the polling), the tune window, the start-up opening
// and the Ctrl+R / Ctrl+G keys.
class RigWindows : public QObject {
    Q_OBJECT
public:
    RigWindows(Station& station, Dialogs& dialogs, QWidget* parent);
    ~RigWindows() override;

    // Ctrl+R and Ctrl+G on the given window.
    void installShortcuts(QWidget* mainWindow);
    void showRigControl(); // Ctrl+R
    void showRigTune();    // Ctrl+G
    // Start-up: when the preferences name a rig, load the rig window (hidden) and start polling.
    void openAtStartup();
    // The program ends: the rig gets its CAT-off bytes and the port is closed.
    void shutdown();

    RigSetupWindow& rigControl();
    RigPoller& poller();
    // For the band map and other callers that tune the rig.
    void ChangeFrequency(float mhz);
    void ChangeMode(float mhz, const QString& mode);

private:
    Station& m_station;
    Dialogs& m_dialogs;
    QWidget* m_parent;
    RigSetupWindow* m_rigControl = nullptr;
    RigTuneWindow* m_tune = nullptr;
};
