#pragma once

#include "log/Frequency.h"

#include <QObject>

class Dialogs;
class QWidget;
class RigSetupWindow;
class RigPoller;
class Station;
class RigTuneWindow;

// The rig windows as the main window sees them: the rig interface setup window (created on
// first use and kept loaded), the tune window, the start-up opening, the Ctrl+R / Ctrl+G keys
// and the messages of the program's rig poller.
class RigWindows : public QObject {
    Q_OBJECT
public:
    RigWindows(Station& station, RigPoller& poller, Dialogs& dialogs, QWidget* parent);
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
    void ChangeFrequency(Frequency f);
    void ChangeMode(Frequency f, const QString& mode);

private:
    Station& m_station;
    RigPoller& m_poller;
    Dialogs& m_dialogs;
    QWidget* m_parent;
    RigSetupWindow* m_rigControl = nullptr;
    RigTuneWindow* m_tune = nullptr;
};
