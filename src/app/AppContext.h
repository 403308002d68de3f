#pragma once

#include "settings/UserSettingsStore.h"

#include <QString>
#include <functional>
#include <memory>

class BackupScheduler;
class PacketSpotWindow;
class SpotBoard;
class SpotSession;
class Clock;
class CwKeyer;
class MonotonicKeyingClock;
class DataFolderLock;
class Dialogs;
class MainWindow;
class RigPoller;
class RttyLink;
class Station;
class WsjtxListener;
class StationIdDialog;
class VoiceActions;
class SiteClock;
class StationSync;

// Builds the program's services and windows in the start-up order and owns them for the run.
class AppContext {
public:
    struct Options {
        QString dataDir;       // the working directory: log, preferences, backups
        QString documentsRoot; // empty: the platform's documents folder
        UserSettingsStore userStore;
        // Shows the station setup window modally; true when it was closed with Done.
        std::function<bool(StationIdDialog&)> runStationId;
    };

    AppContext(Options options, Dialogs& dialogs, Clock& clock);
    ~AppContext();

    // Data-folder lock, folders, preferences, shared preferences, main window, station setup,
    // log, backup timer. False (after telling the operator, with nothing else built) when
    // another copy of the program holds the data folder: the caller ends the program.
    bool start();

    Station& station() { return *m_station; }
    MainWindow& window() { return *m_window; }
    BackupScheduler& backups() { return *m_backups; }
    RigPoller& rigPoller() { return *m_rigPoller; }
    CwKeyer& cwKeyer() { return *m_cwKeyer; }
    WsjtxListener& wsjtx() { return *m_wsjtx; }
    RttyLink& rttyLink() { return *m_rtty; }
    VoiceActions& voice() { return *m_voice; }
    SpotBoard& spotBoard() { return *m_spotBoard; }
    SpotSession& spotSession() { return *m_spotSession; }

private:
    // The CW keyer with cw.txt loaded, taking the main window's keys.
    void startCwKeyer();
    void startWsjtxListener();
    // The spot store and its source; Ctrl+D opens "DX Spotting Setup" over them.
    void startSpotting();
    void showSpotting();
    // Log sharing with the other stations: Options > Log Sharing.
    void startSharing();

    Options m_options;
    Dialogs& m_dialogs;
    Clock& m_clock;
    std::unique_ptr<DataFolderLock> m_lock;
    std::unique_ptr<SiteClock> m_siteClock; // the computer's clock set to the time master's
    std::unique_ptr<Station> m_station;
    std::unique_ptr<BackupScheduler> m_backups;
    std::unique_ptr<RigPoller> m_rigPoller;
    std::unique_ptr<MonotonicKeyingClock> m_keyingClock;
    std::unique_ptr<CwKeyer> m_cwKeyer;
    std::unique_ptr<WsjtxListener> m_wsjtx;
    std::unique_ptr<RttyLink> m_rtty;
    std::unique_ptr<SpotBoard> m_spotBoard;
    std::unique_ptr<SpotSession> m_spotSession;
    PacketSpotWindow* m_spotWindow = nullptr; // owned by the main window once made
    std::unique_ptr<VoiceActions> m_voice;
    std::unique_ptr<StationSync> m_sync;
    std::unique_ptr<MainWindow> m_window;
};
