#pragma once

#include "sync/ClockOffsetEstimator.h"
#include "sync/MqttClient.h"
#include "sync/SyncLog.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <map>

class Clock;

class SharedLog;

// Shares the log through an MQTT broker. Topics, under fieldday/<event>/:
//   <station>/<seq>   one retained QoS 1 message per contact, payload SyncEntry::payload()
//                     ("REV,<log line>", or "REV,-" once deleted); an edit replaces it.
//   <station>/hello   a non-retained marker each station sends to itself after subscribing, again
//                     until one comes back with nothing arrived since the one before: then the
//                     retained contacts have all come (or were dropped by the broker), and the
//                     station publishes whatever the broker lacks or holds in an older form
//                     (its own contacts logged while away, or everything after a broker restart).
//   <station>/last    retained: the highest number the station has given a contact. With it a
//                     station tells a contact the broker dropped (a queue full of a late
//                     station's catch-up) from one never logged, and asks for it again. Said
//                     again every half minute: a burst whose tail (and its `last`) was dropped
//                     on the way to a connected station shows as a gap there too.
//   <station>/status  retained "BAND,MODE,CONTACTS,LAST_CALL,OFFSET_MS", "offline" as the
//                     broker's will when the station vanishes
//   <station>/time/ask     a station's clock reading (ms since the epoch, UTC), QoS 0
//   <station>/time/answer  the time master's reply: "ASKED,MASTER_MS,MASTER_NAME"
// A station stores every newer entry it hears, so the broker itself holds the whole log for a
// station that joins late.
class SyncSession : public QObject {
    Q_OBJECT
public:
    struct Settings {
        QString host;
        quint16 port = 1883;
        QString station;
        QString user;
        QString password;
        QString event;
        QString caFile;
        bool timeMaster = false; // answers the others' clock questions
        int lastAgainMs = 30000; // the station's highest number is said again this often
    };

    // `clock` is the computer's own (not the site clock the offset is applied to).
    SyncSession(SharedLog& log, Settings settings, const Clock& clock, QObject* parent = nullptr);
    ~SyncSession() override;

    // What the other stations see of this one and what it hears of them.
    struct PeerStatus {
        QString station;
        bool online = false;
        QString band, mode, lastCall;
        int contacts = 0;
        qint64 offsetMs = 0;
        QDateTime lastHeard; // this computer's UTC
    };
    void setOwnStatus(const QString& band, const QString& mode);
    const std::map<QString, PeerStatus>& peers() const { return m_peers; }
    // The online stations other than this one on the given band and mode.
    QStringList stationsOn(const QString& band, const QString& mode) const;
    qint64 clockOffsetMs() const { return m_offset.ready() ? m_offset.offsetMs() : 0; }

    // Opens the shared log and starts connecting. False, with the reason, when the log cannot be shared.
    bool start(QString* error);
    void stop();
    bool isConnected() const { return m_client.isConnected(); }
    const Settings& settings() const { return m_settings; }
    MqttClient& client() { return m_client; }
    QString topicPrefix() const { return QStringLiteral("fieldday/%1/").arg(m_settings.event); }

signals:
    // A contact from another station newly stored in the local log.
    void contactStored(const SyncEntry& entry);
    // Connected, and every contact of every station has been taken in.
    void caughtUp();
    // Contacts of other stations known to exist are neither here nor on the broker.
    void incomplete(const QString& text);
    // The broker refused the login; nothing more is tried.
    void refused(const QString& text);
    // The broker could not be reached or the connection was lost; reconnecting goes on.
    void connectionLost(const QString& text, bool everConnected);
    void failed(const QString& text);
    void peersChanged();
    // A new median offset to the time master's clock (master minus ours, ms).
    void clockOffsetMeasured(qint64 offsetMs);

private:
    void onConnected();
    void onMessage(const QString& topic, const QByteArray& payload);
    void publish(const SyncEntry& e);
    void publishKeys(const std::vector<SyncKey>& keys);
    void publishWhatTheBrokerLacks();
    void storeArrived();
    void sendHello();
    void onHello(const QByteArray& nonce);
    void publishLast();
    // Other stations' contacts known by their numbers and not held here.
    std::vector<SyncKey> missingKeys();
    // After a marker came back: up to date, or ask the broker again for what is missing (once
    // per round, `mayAsk`), or tell the operator what it does not hold.
    void settle(bool mayAsk);
    void requestNextChunk();
    void askTheTime();
    void publishStatus();
    void onStatus(const QString& station, const QByteArray& payload);
    void onTimeMessage(const QString& station, const QString& kind, const QByteArray& payload);

    SharedLog& m_log;
    Settings m_settings;
    const Clock& m_clock;
    ClockOffsetEstimator m_offset;
    QTimer m_timeTimer;
    MqttClient m_client;
    QSet<QByteArray> m_hellos; // markers on their way back
    QTimer m_helloTimer;
    QTimer m_lastTimer;
    bool m_firstRound = false; // the first marker since connecting is not back yet
    bool m_caughtUp = false;
    QString m_incompleteText;
    std::vector<SyncKey> m_toRequest;  // missing contacts still to be asked for again
    QStringList m_requested;           // their topics subscribed in the round on its way
    std::map<QString, int> m_lastSeq;  // each station's highest number, said or seen
    std::map<QString, int> m_complete; // 1..n of that station's numbers are all held here
    bool m_storeQueued = false;
    qint64 m_catchUpStoreMs = 250;
    qint64 m_arrivals = 0;        // contacts heard since connecting
    qint64 m_arrivalsAtHello = 0; // when the last marker came back
    QElapsedTimer m_sinceArrival;
    bool m_stopped = false; // messages already on their way are dropped
    // What the broker was heard holding since the last connect.
    std::map<SyncKey, QByteArray> m_brokerHolds;
    std::map<QString, PeerStatus> m_peers;
    QString m_band, m_mode;
};
