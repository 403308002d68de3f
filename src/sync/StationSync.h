#pragma once

#include <QObject>
#include <QString>
#include <memory>

class Clock;
class Logbook;
class SharedLog;
class SiteClock;
class SyncSession;
class UserSettingsStore;

// Log sharing as a service of the running program: started and stopped from the station
// window, it owns the shared log and the session, sets the site clock from the time master's
// and says when another station sits on this one's band and mode.
class StationSync : public QObject {
    Q_OBJECT
public:
    struct Config {
        QString broker; // HOST:PORT
        QString station;
        QString user;
        QString password;
        QString event;
        bool timeMaster = false;
        QString caFile;

        // Kept in the per-user settings store (the password with them, never in fdpref.dat).
        static Config load(const UserSettingsStore& store, int year);
        void save(UserSettingsStore& store) const;
    };

    StationSync(Logbook& logbook, QString dataDir, const Clock& computerClock, SiteClock& siteClock,
                QObject* parent = nullptr);
    ~StationSync() override;

    // False, with the reason, for a bad address or a log that cannot be shared.
    bool start(const Config& config, QString* error);
    void stop();
    SyncSession* session() const { return m_session.get(); }
    void setBandMode(const QString& band, const QString& mode);
    // "" or the warning line for the main window.
    QString bandModeWarning() const;

signals:
    void stateText(const QString& text);
    // fdlog.sync or the log could not be written: for the operator, shown outside the network's
    // callbacks (connect it queued).
    void storeFailed(const QString& text);
    void warningChanged(const QString& text);
    void peersChanged();
    void clockOffsetMeasured(qint64 offsetMs);

private:
    void checkBandMode();

    Logbook& m_logbook;
    QString m_dataDir;
    const Clock& m_computerClock;
    SiteClock& m_siteClock;
    std::unique_ptr<SharedLog> m_shared;
    std::unique_ptr<SyncSession> m_session;
    QString m_band, m_mode, m_warning;
};
