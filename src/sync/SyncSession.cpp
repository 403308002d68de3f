#include "sync/SyncSession.h"

#include "sync/SharedLog.h"
#include "util/Clock.h"

#include <QRandomGenerator>
#include <QTimer>

namespace {

constexpr int kFirstTripsMs = 250;   // apart while the first offset is being measured
constexpr int kLaterTripsMs = 10000; // then, to follow a drifting clock

} // namespace

SyncSession::SyncSession(SharedLog& log, Settings settings, const Clock& clock, QObject* parent)
    : QObject(parent), m_log(log), m_settings(std::move(settings)), m_clock(clock)
{
    connect(&m_timeTimer, &QTimer::timeout, this, &SyncSession::askTheTime);
    connect(&m_client, &MqttClient::connected, this, &SyncSession::onConnected);
    connect(&m_client, &MqttClient::messageReceived, this,
            [this](const QString& topic, const QByteArray& payload, bool) { onMessage(topic, payload); });
    connect(&m_client, &MqttClient::refused, this, [this](const QString& reason) {
        emit refused(QStringLiteral("The broker %1:%2 refused station %3 (%4): check the user name and the "
                                    "password.")
                         .arg(m_settings.host)
                         .arg(m_settings.port)
                         .arg(m_settings.station, reason.endsWith(QLatin1Char('.')) ? reason.chopped(1) : reason));
    });
    connect(&m_client, &MqttClient::connectionLost, this, [this](const QString& reason, bool everConnected) {
        emit connectionLost(QStringLiteral("No connection to the broker %1:%2 (%3).")
                                .arg(m_settings.host)
                                .arg(m_settings.port)
                                .arg(reason),
                            everConnected);
    });
    connect(&m_log, &SharedLog::localChanges, this, &SyncSession::publishKeys);
    connect(&m_log, &SharedLog::localChanges, this, &SyncSession::publishStatus);
    connect(&m_log, &SharedLog::failed, this, &SyncSession::failed);
}

SyncSession::~SyncSession()
{
    stop();
}

bool SyncSession::start(QString* error)
{
    if (m_settings.event.isEmpty() || m_settings.event.contains(QLatin1Char('/')) ||
        m_settings.event.contains(QLatin1Char('+')) || m_settings.event.contains(QLatin1Char('#'))) {
        *error = QStringLiteral("the event name \"%1\" must be a word without /, + or #").arg(m_settings.event);
        return false;
    }
    if (!m_log.isOpen() && !m_log.open(error))
        return false;
    m_stopped = false;
    MqttClient::Options o;
    o.host = m_settings.host;
    o.port = m_settings.port;
    o.clientId = QStringLiteral("fdlog-%1-%2").arg(m_settings.event, m_settings.station);
    o.user = m_settings.user;
    o.password = m_settings.password;
    o.caFile = m_settings.caFile;
    o.willTopic = topicPrefix() + m_settings.station + QStringLiteral("/status");
    o.willPayload = "offline";
    return m_client.open(o, error);
}

void SyncSession::stop()
{
    m_stopped = true;
    m_timeTimer.stop();
    // A clean close sends no will, so the station says it itself. The client's thread writes its
    // queue in order before it closes, so the broker has this before it sees the disconnect.
    if (m_client.isConnected())
        m_client.publish(topicPrefix() + m_settings.station + QStringLiteral("/status"), "offline", 1, true);
    m_client.close();
}

void SyncSession::onConnected()
{
    m_brokerHolds.clear();
    m_client.subscribe(topicPrefix() + QStringLiteral("+/+"), 1);
    if (m_settings.timeMaster) {
        m_client.subscribe(topicPrefix() + QStringLiteral("+/time/ask"), 0);
    } else {
        m_client.subscribe(topicPrefix() + m_settings.station + QStringLiteral("/time/answer"), 0);
        m_offset.clear();
        m_timeTimer.start(kFirstTripsMs);
    }
    // The broker sends the retained contacts while it handles the subscription, so this marker
    // comes back after all of them.
    m_helloNonce = QByteArray::number(QRandomGenerator::global()->generate64(), 16);
    m_client.publish(topicPrefix() + m_settings.station + QStringLiteral("/hello"), m_helloNonce, 1, false);
}

void SyncSession::onMessage(const QString& topic, const QByteArray& payload)
{
    if (m_stopped)
        return;
    const QString prefix = topicPrefix();
    if (!topic.startsWith(prefix))
        return;
    const QStringList parts = topic.mid(prefix.size()).split(QLatin1Char('/'));
    if (parts.size() == 3 && parts[1] == QLatin1String("time"))
        return onTimeMessage(parts[0], parts[2], payload);
    if (parts.size() != 2)
        return;
    if (parts[1] == QLatin1String("status"))
        return onStatus(parts[0], payload);
    if (parts[1] == QLatin1String("hello")) {
        if (parts[0] == m_settings.station && payload == m_helloNonce) {
            m_helloNonce.clear();
            storeArrived();
            publishWhatTheBrokerLacks();
            publishStatus();
            emit caughtUp();
        }
        return;
    }
    bool ok = false;
    const int seq = parts[1].toInt(&ok);
    if (!ok || payload.isEmpty())
        return;
    const std::optional<SyncEntry> e = SyncEntry::fromPayload({parts[0], seq}, payload);
    if (!e)
        return;
    m_brokerHolds[e->key] = payload;
    // An older copy than ours (a station that was away edited nothing newer): ours goes back up.
    if (m_log.receive(*e) == SyncLog::Apply::Older && m_helloNonce.isEmpty()) {
        if (const SyncEntry* mine = m_log.table().find(e->key))
            publish(*mine);
    }
    // While the retained contacts pour in after a connect they are stored in a few large writes
    // (not only at the marker's return: a broker short of queue room may drop the marker).
    if (m_log.hasPending() && !m_storeQueued) {
        // Messages that arrive together are stored with one write.
        m_storeQueued = true;
        QTimer::singleShot(m_helloNonce.isEmpty() ? 0 : 250, this, &SyncSession::storeArrived);
    }
}

void SyncSession::storeArrived()
{
    m_storeQueued = false;
    if (m_stopped)
        return;
    for (const SyncKey& k : m_log.store())
        if (const SyncEntry* e = m_log.table().find(k))
            emit contactStored(*e);
}

void SyncSession::publish(const SyncEntry& e)
{
    const QByteArray payload = e.payload();
    if (m_client.publish(topicPrefix() + e.key.station + QLatin1Char('/') + QString::number(e.key.seq), payload, 1,
                         true))
        m_brokerHolds[e.key] = payload;
}

void SyncSession::publishKeys(const std::vector<SyncKey>& keys)
{
    if (!m_client.isConnected())
        return; // published on the next connect
    for (const SyncKey& k : keys)
        if (const SyncEntry* e = m_log.table().find(k))
            publish(*e);
}

void SyncSession::publishWhatTheBrokerLacks()
{
    for (const auto& [key, e] : m_log.table().entries()) {
        const auto it = m_brokerHolds.find(key);
        if (it == m_brokerHolds.end() || it->second != e.payload())
            publish(e);
    }
}

void SyncSession::askTheTime()
{
    if (!m_client.isConnected())
        return;
    m_client.publish(topicPrefix() + m_settings.station + QStringLiteral("/time/ask"),
                     QByteArray::number(m_clock.utcNow().toMSecsSinceEpoch()), 0, false);
}

void SyncSession::onTimeMessage(const QString& station, const QString& kind, const QByteArray& payload)
{
    const qint64 now = m_clock.utcNow().toMSecsSinceEpoch();
    if (kind == QLatin1String("ask") && m_settings.timeMaster) {
        bool ok = false;
        payload.toLongLong(&ok);
        if (ok)
            m_client.publish(topicPrefix() + station + QStringLiteral("/time/answer"),
                             payload + ',' + QByteArray::number(now) + ',' + m_settings.station.toLatin1(), 0, false);
        return;
    }
    if (kind != QLatin1String("answer") || station != m_settings.station || m_settings.timeMaster)
        return;
    const QList<QByteArray> f = payload.split(',');
    bool sentOk = false, masterOk = false;
    const qint64 sent = f.value(0).toLongLong(&sentOk), master = f.value(1).toLongLong(&masterOk);
    if (!sentOk || !masterOk)
        return;
    m_offset.addTrip(sent, master, now);
    if (!m_offset.ready())
        return;
    if (m_timeTimer.interval() != kLaterTripsMs)
        m_timeTimer.start(kLaterTripsMs);
    emit clockOffsetMeasured(m_offset.offsetMs());
    publishStatus();
}

void SyncSession::setOwnStatus(const QString& band, const QString& mode)
{
    m_band = band;
    m_mode = mode;
    publishStatus();
}

void SyncSession::publishStatus()
{
    if (!m_client.isConnected())
        return;
    int count = 0;
    QString lastCall;
    for (const auto& [key, e] : m_log.table().entries())
        if (key.station == m_settings.station && e.record) {
            ++count;
            lastCall = e.record->call;
        }
    const QByteArray payload =
        (QStringList{m_band, m_mode, QString::number(count), lastCall, QString::number(clockOffsetMs())}.join(
             QLatin1Char(',')))
            .toLatin1();
    m_client.publish(topicPrefix() + m_settings.station + QStringLiteral("/status"), payload, 1, true);
}

void SyncSession::onStatus(const QString& station, const QByteArray& payload)
{
    if (station == m_settings.station || !SyncLog::validStation(station))
        return;
    PeerStatus& p = m_peers[station];
    p.station = station;
    p.lastHeard = m_clock.utcNow();
    const QStringList f = QString::fromLatin1(payload).split(QLatin1Char(','));
    p.online = f.size() == 5;
    if (p.online) {
        p.band = f[0];
        p.mode = f[1];
        p.contacts = f[2].toInt();
        p.lastCall = f[3];
        p.offsetMs = f[4].toLongLong();
    }
    emit peersChanged();
}

QStringList SyncSession::stationsOn(const QString& band, const QString& mode) const
{
    QStringList out;
    for (const auto& [name, p] : m_peers)
        if (p.online && p.band == band && p.mode == mode)
            out << name;
    return out;
}
