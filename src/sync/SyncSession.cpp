#include "sync/SyncSession.h"

#include "sync/SharedLog.h"
#include "util/Clock.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTimer>

namespace {

constexpr int kFirstTripsMs = 250;   // apart while the first offset is being measured
constexpr int kLaterTripsMs = 10000; // then, to follow a drifting clock
constexpr int kHelloAgainMs = 2000;  // a marker the broker dropped is sent again
constexpr int kHelloSoonMs = 20;     // the next marker while a catch-up still streams
constexpr int kQuietMs = 300;        // no arrival for this long: the stream has ended
constexpr int kCatchUpStoreMs = 250; // arrivals during a catch-up are stored together
// Topics asked for again in one round: well inside the queue a broker keeps for a client.
constexpr int kRequestChunk = 250;

// "4-6, 9" for a list of ascending numbers, the first few runs only.
QString numberRuns(const std::vector<int>& seqs)
{
    QStringList runs;
    for (size_t i = 0; i < seqs.size() && runs.size() < 5; ++i) {
        size_t j = i;
        while (j + 1 < seqs.size() && seqs[j + 1] == seqs[j] + 1)
            ++j;
        runs << (j == i ? QString::number(seqs[i]) : QStringLiteral("%1-%2").arg(seqs[i]).arg(seqs[j]));
        i = j;
    }
    return runs.join(QStringLiteral(", ")) + (runs.size() == 5 ? QStringLiteral(", ...") : QString());
}

} // namespace

SyncSession::SyncSession(SharedLog& log, Settings settings, const Clock& clock, QObject* parent)
    : QObject(parent), m_log(log), m_settings(std::move(settings)), m_clock(clock)
{
    connect(&m_timeTimer, &QTimer::timeout, this, &SyncSession::askTheTime);
    connect(&m_helloTimer, &QTimer::timeout, this, &SyncSession::sendHello);
    connect(&m_lastTimer, &QTimer::timeout, this, &SyncSession::publishLast);
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
    m_helloTimer.stop();
    m_lastTimer.stop();
    // A clean close sends no will, so the station says it itself. The client's thread writes its
    // queue in order before it closes, so the broker has this before it sees the disconnect.
    if (m_client.isConnected())
        m_client.publish(topicPrefix() + m_settings.station + QStringLiteral("/status"), "offline", 1, true);
    m_client.close();
}

void SyncSession::onConnected()
{
    m_brokerHolds.clear();
    m_hellos.clear();
    m_toRequest.clear();
    m_requested.clear();
    m_firstRound = true;
    m_caughtUp = false;
    m_arrivals = m_arrivalsAtHello = 0;
    m_sinceArrival.invalidate();
    // QoS 0 on the way in: the broker streams a late station's catch-up instead of waiting for
    // an acknowledgement every 20 messages. Nothing is lost by it: every contact is retained and
    // sent again on each connect, and a contact dropped on the way shows as a gap in its
    // station's numbers. The highest numbers come first, ahead of contacts the broker may have
    // no queue room left for.
    m_client.subscribe(topicPrefix() + QStringLiteral("+/last"), 0);
    m_client.subscribe(topicPrefix() + QStringLiteral("+/+"), 0);
    if (m_settings.timeMaster) {
        m_client.subscribe(topicPrefix() + QStringLiteral("+/time/ask"), 0);
    } else {
        m_client.subscribe(topicPrefix() + m_settings.station + QStringLiteral("/time/answer"), 0);
        m_offset.clear();
        m_timeTimer.start(kFirstTripsMs);
    }
    // The broker queues the retained contacts while it handles the subscription, before this
    // marker (it may still write the marker out first: see onHello).
    sendHello();
}

void SyncSession::sendHello()
{
    if (!m_client.isConnected())
        return;
    const QByteArray nonce = QByteArray::number(QRandomGenerator::global()->generate64(), 16);
    m_hellos.insert(nonce);
    m_client.publish(topicPrefix() + m_settings.station + QStringLiteral("/hello"), nonce, 1, false);
    m_helloTimer.start(kHelloAgainMs);
}

void SyncSession::onHello(const QByteArray& nonce)
{
    if (!m_hellos.contains(nonce))
        return;
    m_hellos.clear();
    m_helloTimer.stop();
    // The broker may send a marker ahead of retained messages it is still streaming: only one
    // that comes back with nothing arrived since the last one, and none for a moment while some
    // are known to be missing, shows the stream has ended.
    if (m_arrivals != m_arrivalsAtHello ||
        (m_sinceArrival.isValid() && m_sinceArrival.elapsed() < kQuietMs && !missingKeys().empty())) {
        m_arrivalsAtHello = m_arrivals;
        m_helloTimer.start(kHelloSoonMs);
        return;
    }
    storeArrived();
    if (!m_requested.isEmpty()) {
        m_client.unsubscribe(m_requested);
        m_requested.clear();
        if (!m_toRequest.empty())
            return requestNextChunk();
        return settle(false);
    }
    if (m_firstRound) {
        m_firstRound = false;
        publishWhatTheBrokerLacks();
        publishLast();
        m_lastTimer.start(m_settings.lastAgainMs);
        publishStatus();
    }
    settle(true);
}

std::vector<SyncKey> SyncSession::missingKeys()
{
    std::vector<SyncKey> out;
    for (const auto& [station, last] : m_lastSeq) {
        if (station == m_settings.station)
            continue;
        int& complete = m_complete[station];
        while (complete < last && m_log.holds({station, complete + 1}))
            ++complete;
        for (int seq = complete + 1; seq <= last; ++seq)
            if (!m_log.holds({station, seq}))
                out.push_back({station, seq});
    }
    return out;
}

void SyncSession::settle(bool mayAsk)
{
    const std::vector<SyncKey> missing = missingKeys();
    if (missing.empty()) {
        m_incompleteText.clear();
        if (!m_caughtUp) {
            m_caughtUp = true;
            emit caughtUp();
        }
        return;
    }
    m_caughtUp = false;
    if (mayAsk) {
        m_toRequest = missing;
        return requestNextChunk();
    }
    QStringList parts;
    for (size_t i = 0; i < missing.size();) {
        std::vector<int> seqs;
        const QString& station = missing[i].station;
        for (; i < missing.size() && missing[i].station == station; ++i)
            seqs.push_back(missing[i].seq);
        parts << QStringLiteral("%1 of %2 (numbers %3)").arg(seqs.size()).arg(station, numberRuns(seqs));
    }
    const QString text = QStringLiteral("The log is not complete: contacts are missing from the broker, %1. They "
                                        "come when their station connects again.")
                             .arg(parts.join(QStringLiteral("; ")));
    if (text != m_incompleteText) {
        m_incompleteText = text;
        emit incomplete(text);
    }
}

void SyncSession::requestNextChunk()
{
    const size_t n = std::min<size_t>(m_toRequest.size(), kRequestChunk);
    for (size_t i = 0; i < n; ++i)
        m_requested << topicPrefix() + m_toRequest[i].station + QLatin1Char('/') + QString::number(m_toRequest[i].seq);
    m_toRequest.erase(m_toRequest.begin(), m_toRequest.begin() + static_cast<std::ptrdiff_t>(n));
    m_client.subscribe(m_requested, 0);
    sendHello();
}

void SyncSession::publishLast()
{
    if (m_client.isConnected())
        m_client.publish(topicPrefix() + m_settings.station + QStringLiteral("/last"),
                         QByteArray::number(m_log.table().nextSeq(m_settings.station) - 1), 1, true);
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
        if (parts[0] == m_settings.station)
            onHello(payload);
        return;
    }
    bool ok = false;
    if (parts[1] == QLatin1String("last")) {
        const int last = payload.toInt(&ok);
        if (!ok || !SyncLog::validStation(parts[0]) || last <= m_lastSeq[parts[0]])
            return;
        m_lastSeq[parts[0]] = last;
        // A station said more than has come: ask for the rest, unless a catch-up or a round of
        // asking is on its way (it looks again when it ends).
        if (!m_firstRound && !m_helloTimer.isActive() && !missingKeys().empty()) {
            storeArrived();
            settle(true);
        }
        return;
    }
    const int seq = parts[1].toInt(&ok);
    if (!ok || payload.isEmpty())
        return;
    const std::optional<SyncEntry> e = SyncEntry::fromPayload({parts[0], seq}, payload);
    if (!e)
        return;
    m_brokerHolds[e->key] = payload;
    ++m_arrivals;
    m_sinceArrival.start();
    int& last = m_lastSeq[e->key.station];
    last = std::max(last, e->key.seq);
    // An older copy than ours (a station that was away edited nothing newer): ours goes back up.
    if (m_log.receive(*e) == SyncLog::Apply::Older && !m_firstRound) {
        if (const SyncEntry* mine = m_log.table().find(e->key))
            publish(*mine);
    }
    // While the retained contacts pour in after a connect they are stored in a few large writes
    // (not only at the marker's return: a broker short of queue room may drop the marker).
    if (m_log.hasPending() && !m_storeQueued) {
        // Messages that arrive together are stored with one write.
        m_storeQueued = true;
        QTimer::singleShot(m_caughtUp ? 0 : m_catchUpStoreMs, this, &SyncSession::storeArrived);
    }
}

void SyncSession::storeArrived()
{
    m_storeQueued = false;
    if (m_stopped)
        return;
    QElapsedTimer took;
    took.start();
    const std::vector<SyncKey> stored = m_log.store();
    // During a catch-up each store rewrites the whole log: store less often as it grows, so
    // that writing takes a fifth of the time at most.
    m_catchUpStoreMs = std::max<qint64>(kCatchUpStoreMs, 4 * took.elapsed());
    for (const SyncKey& k : stored)
        if (const SyncEntry* e = m_log.table().find(k))
            emit contactStored(*e);
    // What was missing has come after all (its station published it again).
    if (!m_incompleteText.isEmpty() && m_hellos.isEmpty())
        settle(false);
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
    bool own = false;
    for (const SyncKey& k : keys)
        if (const SyncEntry* e = m_log.table().find(k)) {
            publish(*e);
            own = own || k.station == m_settings.station;
        }
    if (own)
        publishLast();
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
    const int count = m_log.table().liveCountOf(m_settings.station);
    const SyncEntry* last = m_log.table().lastLiveOf(m_settings.station);
    const QString lastCall = last ? last->record->call : QString();
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
