#include "sync/StationSync.h"

#include "settings/UserSettingsStore.h"
#include "sync/SharedLog.h"
#include "sync/SiteClock.h"
#include "sync/SyncSession.h"

#include <QDir>

StationSync::Config StationSync::Config::load(const UserSettingsStore& store, int year)
{
    Config c;
    c.broker = store.value(QStringLiteral("SyncBroker"));
    c.station = store.value(QStringLiteral("SyncStation"));
    c.user = store.value(QStringLiteral("SyncUser"));
    c.password = store.value(QStringLiteral("SyncPassword"));
    c.event = store.value(QStringLiteral("SyncEvent"));
    if (c.event.isEmpty())
        c.event = QStringLiteral("fd%1").arg(year);
    c.timeMaster = store.value(QStringLiteral("SyncTimeMaster")) == QLatin1String("1");
    c.caFile = store.value(QStringLiteral("SyncCaFile"));
    return c;
}

void StationSync::Config::save(UserSettingsStore& store) const
{
    store.setValue(QStringLiteral("SyncBroker"), broker);
    store.setValue(QStringLiteral("SyncStation"), station);
    store.setValue(QStringLiteral("SyncUser"), user);
    store.setValue(QStringLiteral("SyncPassword"), password);
    store.setValue(QStringLiteral("SyncEvent"), event);
    store.setValue(QStringLiteral("SyncTimeMaster"), timeMaster ? QStringLiteral("1") : QStringLiteral("0"));
    store.setValue(QStringLiteral("SyncCaFile"), caFile);
}

StationSync::StationSync(Logbook& logbook, QString dataDir, const Clock& computerClock, SiteClock& siteClock,
                         QObject* parent)
    : QObject(parent), m_logbook(logbook), m_dataDir(std::move(dataDir)), m_computerClock(computerClock),
      m_siteClock(siteClock)
{
}

StationSync::~StationSync()
{
    stop();
}

bool StationSync::start(const Config& c, QString* error)
{
    stop();
    const qsizetype colon = c.broker.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const uint port = colon > 0 ? c.broker.mid(colon + 1).toUInt(&ok) : 0;
    if (!ok || port == 0 || port > 65535) {
        *error = QStringLiteral("The broker must be given as HOST:PORT, e.g. 192.168.1.10:1883.");
        return false;
    }
    SyncSession::Settings s{c.broker.left(colon).trimmed(),
                            static_cast<quint16>(port),
                            c.station.trimmed().toUpper(),
                            c.user,
                            c.password,
                            c.event.trimmed(),
                            c.caFile,
                            c.timeMaster};
    m_shared =
        std::make_unique<SharedLog>(m_logbook, QDir(m_dataDir).filePath(QStringLiteral("fdlog.sync")), s.station);
    m_session = std::make_unique<SyncSession>(*m_shared, s, m_computerClock);
    connect(m_session.get(), &SyncSession::caughtUp, this, [this] {
        emit stateText(QStringLiteral("Connected; the log is up to date."));
        m_session->setOwnStatus(m_band, m_mode);
    });
    connect(m_session.get(), &SyncSession::refused, this, [this](const QString& t) {
        emit stateText(t);
        stop();
    });
    connect(m_session.get(), &SyncSession::incomplete, this, &StationSync::stateText);
    connect(m_session.get(), &SyncSession::connectionLost, this, &StationSync::stateText);
    connect(m_session.get(), &SyncSession::failed, this, &StationSync::stateText);
    connect(m_session.get(), &SyncSession::failed, this, &StationSync::storeFailed);
    connect(m_session.get(), &SyncSession::peersChanged, this, [this] {
        checkBandMode();
        emit peersChanged();
    });
    connect(m_session.get(), &SyncSession::clockOffsetMeasured, this, [this](qint64 ms) {
        m_siteClock.setOffsetMs(ms);
        emit clockOffsetMeasured(ms);
    });
    m_siteClock.setOffsetMs(0);
    if (!m_session->start(error)) {
        m_session.reset();
        m_shared.reset();
        return false;
    }
    emit stateText(QStringLiteral("Connecting to %1...").arg(c.broker));
    return true;
}

void StationSync::stop()
{
    if (!m_session)
        return;
    m_session->stop();
    m_shared->close();
    // Deleted later: stop() may be called from one of the session's own signals.
    m_session.release()->deleteLater();
    m_shared.release()->deleteLater();
    m_warning.clear();
    emit warningChanged({});
    emit peersChanged();
}

void StationSync::setBandMode(const QString& band, const QString& mode)
{
    m_band = band;
    m_mode = mode;
    if (m_session)
        m_session->setOwnStatus(band, mode);
    checkBandMode();
}

QString StationSync::bandModeWarning() const
{
    return m_warning;
}

void StationSync::checkBandMode()
{
    const QStringList others = m_session ? m_session->stationsOn(m_band, m_mode) : QStringList();
    const QString w = others.isEmpty() ? QString()
                                       : QStringLiteral("%1 also on %2 %3: two stations on one band and mode.")
                                             .arg(others.join(QStringLiteral(", ")), m_band, m_mode);
    if (w == m_warning)
        return;
    m_warning = w;
    emit warningChanged(w);
}
