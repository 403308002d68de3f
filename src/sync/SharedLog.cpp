#include "sync/SharedLog.h"

#include "log/LogFile.h"
#include "log/Logbook.h"

#include <QFile>
#include <QHash>

SharedLog::SharedLog(Logbook& logbook, QString syncPath, QString station, QObject* parent)
    : QObject(parent), m_logbook(logbook), m_table(std::move(syncPath)), m_station(std::move(station))
{
    connect(&m_logbook, &Logbook::appended, this, &SharedLog::onAppended);
    connect(&m_logbook, &Logbook::reloaded, this, &SharedLog::onReloaded);
}

bool SharedLog::open(QString* error)
{
    m_open = false;
    if (!SyncLog::validStation(m_station)) {
        *error =
            QStringLiteral("the station name \"%1\" must be 1 to 20 capital letters, digits, - or _").arg(m_station);
        return false;
    }
    if (m_logbook.firstUnreadLine() > 0) {
        *error = QStringLiteral("line %1 of the log cannot be read; repair the log file before sharing it")
                     .arg(m_logbook.firstUnreadLine());
        return false;
    }
    QString why;
    if (!m_table.load(&why)) {
        *error = QStringLiteral("%1 cannot be read (%2)").arg(m_table.path(), why);
        return false;
    }
    // The journal of the last session becomes one block; changes from here on are appended.
    if (QFile::exists(m_table.path()) && !m_table.compact(&why)) {
        *error = QStringLiteral("%1 cannot be written (%2)").arg(m_table.path(), why);
        return false;
    }
    m_open = true;
    const QByteArray now = SyncLog::logHash(m_logbook.log().records());
    if (now == m_table.savedHash())
        return true;
    std::vector<SyncKey> changed;
    // The table was written but the log was not: the table holds the change, the log the state before.
    if (m_table.savedPrevHash() != now || m_table.entries().empty())
        changed = reconcile();
    if (!writeBoth()) {
        m_open = false;
        *error = QStringLiteral("%1 or the log cannot be written").arg(m_table.path());
        return false;
    }
    if (!changed.empty())
        emit localChanges(changed);
    return true;
}

std::vector<SyncKey> SharedLog::reconcile()
{
    QHash<QByteArray, std::vector<SyncKey>> byLine;
    for (const SyncEntry* e : m_table.liveInOrder())
        byLine[formatLogLine(*e->record)].push_back(e->key);
    std::vector<ContactRecord> unmatched;
    for (const ContactRecord& r : m_logbook.log().records()) {
        auto it = byLine.find(formatLogLine(r));
        if (it != byLine.end() && !it->empty())
            it->pop_back();
        else
            unmatched.push_back(r);
    }
    std::vector<SyncKey> missing;
    for (const auto& keys : std::as_const(byLine))
        missing.insert(missing.end(), keys.begin(), keys.end());
    std::vector<SyncKey> changed;
    // One contact gone and one come is an edit: the contact keeps its identity everywhere.
    if (missing.size() == 1 && unmatched.size() == 1) {
        SyncEntry e = *m_table.find(missing.front());
        ++e.rev;
        e.record = unmatched.front();
        m_table.put(e);
        return {e.key};
    }
    for (const SyncKey& k : missing) {
        SyncEntry e = *m_table.find(k);
        ++e.rev;
        e.record.reset();
        m_table.put(e);
        changed.push_back(k);
    }
    int seq = m_table.nextSeq(m_station);
    for (ContactRecord& r : unmatched) {
        const SyncEntry e{{m_station, seq++}, 1, std::move(r)};
        m_table.put(e);
        changed.push_back(e.key);
    }
    return changed;
}

void SharedLog::onAppended(int recNo)
{
    if (m_writing || !m_open)
        return;
    // The usual case, an Enter: only the new last line is unknown.
    const ContactLog& log = m_logbook.log();
    std::vector<SyncKey> changed;
    if (recNo == log.size() && m_table.liveCount() == recNo - 1) {
        const SyncEntry e{{m_station, m_table.nextSeq(m_station)}, 1, log.record(recNo)};
        m_table.put(e);
        changed.push_back(e.key);
    } else {
        changed = reconcile();
    }
    // Published before fdlog.sync is written: the contact itself is already on the disk, and
    // after a stop in between it would be taken up again under the same number and contents.
    emit localChanges(changed);
    writeBoth();
}

void SharedLog::onReloaded()
{
    if (m_writing || !m_open)
        return;
    std::vector<SyncKey> changed = reconcile();
    if (changed.empty())
        return;
    if (writeBoth())
        emit localChanges(changed);
}

SyncLog::Apply SharedLog::receive(const SyncEntry& e)
{
    const auto it = m_incoming.find(e.key);
    const SyncLog::Apply a = SyncLog::compare(it != m_incoming.end() ? &it->second : m_table.find(e.key), e);
    if (a == SyncLog::Apply::Newer)
        m_incoming[e.key] = e;
    return a;
}

std::vector<SyncKey> SharedLog::store()
{
    if (m_incoming.empty())
        return {};
    std::vector<SyncKey> fresh;
    for (auto& [key, e] : m_incoming) {
        const SyncEntry* had = m_table.find(key);
        if (e.record && !(had && had->record))
            fresh.push_back(key);
        m_table.put(std::move(e));
    }
    m_incoming.clear();
    if (!writeBoth())
        return {};
    return fresh;
}

bool SharedLog::writeBoth()
{
    const std::vector<ContactRecord>& current = m_logbook.log().records();
    std::vector<ContactRecord> wanted = m_table.liveRecordsInOrder();
    const QByteArray prev = SyncLog::logHash(current), next = SyncLog::logHash(wanted);
    QString error;
    if (!m_table.save(prev, next, &error)) {
        emit failed(QStringLiteral("%1 could not be written (%2); the shared contacts are not stored.")
                        .arg(m_table.path(), error));
        return false;
    }
    if (prev == next)
        return true;
    m_writing = true;
    // Called from the network's callbacks: the logbook's messages come back to the owner, who
    // tells the operator outside them.
    QStringList held;
    m_logbook.holdMessages(&held);
    bool ok = true;
    // One new contact that sorts after the last is appended (one write and fsync); anything
    // else, many contacts at once too, is an atomic rewrite and reload, as an import does.
    const bool tailOnly =
        wanted.size() == current.size() + 1 && std::equal(current.begin(), current.end(), wanted.begin());
    if (tailOnly) {
        ok = m_logbook.storeContact(wanted.back()) == Logbook::StoreResult::Stored;
    } else {
        m_logbook.log().assign(std::move(wanted));
        ok = m_logbook.rewriteAndReload();
    }
    m_logbook.holdMessages(nullptr);
    m_writing = false;
    if (!ok) {
        held.prepend(QStringLiteral("The log file could not be written; the shared contacts are not stored."));
        emit failed(held.join(QLatin1Char(' ')));
    }
    return ok;
}
