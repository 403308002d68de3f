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
    m_logHash.clear();
    const QByteArray now = logHash();
    m_inStep = now == m_table.savedHash();
    if (m_inStep)
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
    const ContactLog& log = m_logbook.log();
    // The fingerprint follows an appended line without reading the rest of the log.
    const QByteArray before = m_logHash;
    if (!m_logHash.isEmpty())
        m_logHash = SyncLog::chainHash(m_logHash, log.record(recNo));
    if (m_writing || !m_open)
        return;
    // The usual case, an Enter: only the new last line is unknown.
    std::vector<SyncKey> changed;
    const bool enter = m_inStep && recNo == log.size() && m_table.liveCount() == recNo - 1;
    if (enter) {
        const SyncEntry e{{m_station, m_table.nextSeq(m_station)}, 1, log.record(recNo)};
        m_table.put(e);
        changed.push_back(e.key);
    } else {
        changed = reconcile();
    }
    // Published before fdlog.sync is written: the contact itself is already on the disk, and
    // after a stop in between it would be taken up again under the same number and contents.
    emit localChanges(changed);
    // Sorting last, as an Enter almost always does, the log is already in the shared order.
    if (enter && !before.isEmpty() && m_table.lastLive() == m_table.find(changed.front()))
        m_inStep = saveTable(before, m_logHash);
    else
        writeBoth();
}

void SharedLog::onReloaded()
{
    m_logHash.clear();
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
    const size_t count = m_incoming.size();
    for (auto& [key, e] : m_incoming) {
        const SyncEntry* had = m_table.find(key);
        if (e.record && !(had && had->record))
            fresh.push_back(key);
        m_table.put(std::move(e));
    }
    m_incoming.clear();
    // The live case: one new contact, logged after every other.
    const bool tail = m_inStep && count == 1 && fresh.size() == 1 && m_table.lastLive() == m_table.find(fresh[0]);
    if (!(tail ? appendOne(*m_table.lastLive()->record) : writeBoth()))
        return {};
    return fresh;
}

const QByteArray& SharedLog::logHash()
{
    if (m_logHash.isEmpty())
        m_logHash = SyncLog::logHash(m_logbook.log().records());
    return m_logHash;
}

bool SharedLog::saveTable(const QByteArray& prevHash, const QByteArray& hash)
{
    QString error;
    if (m_table.save(prevHash, hash, &error))
        return true;
    emit failed(
        QStringLiteral("%1 could not be written (%2); the shared contacts are not stored.").arg(m_table.path(), error));
    m_inStep = false;
    return false;
}

bool SharedLog::appendOne(const ContactRecord& r)
{
    const QByteArray prev = logHash();
    if (!saveTable(prev, SyncLog::chainHash(prev, r)))
        return false;
    return writeLog([&] { return m_logbook.storeContact(r) == Logbook::StoreResult::Stored; });
}

bool SharedLog::writeBoth()
{
    const QByteArray prev = logHash();
    std::vector<ContactRecord> wanted = m_table.liveRecordsInOrder();
    const QByteArray next = SyncLog::logHash(wanted);
    if (!saveTable(prev, next))
        return false;
    if (prev == next)
        return m_inStep = true;
    return writeLog([&] {
        const std::vector<ContactRecord>& current = m_logbook.log().records();
        // One new contact that sorts after the last is appended (one write and fsync); anything
        // else, many contacts at once too, is an atomic rewrite and reload, as an import does.
        const bool tailOnly =
            wanted.size() == current.size() + 1 && std::equal(current.begin(), current.end(), wanted.begin());
        if (tailOnly)
            return m_logbook.storeContact(wanted.back()) == Logbook::StoreResult::Stored;
        m_logbook.log().assign(std::move(wanted));
        if (!m_logbook.rewriteAndReload())
            return false;
        m_logHash = next;
        return true;
    });
}

bool SharedLog::writeLog(const std::function<bool()>& write)
{
    // Called from the network's callbacks: the logbook's messages come back to the owner, who
    // tells the operator outside them.
    m_writing = true;
    QStringList held;
    m_logbook.holdMessages(&held);
    const bool ok = write();
    m_logbook.holdMessages(nullptr);
    m_writing = false;
    m_inStep = ok;
    if (!ok) {
        held.prepend(QStringLiteral("The log file could not be written; the shared contacts are not stored."));
        emit failed(held.join(QLatin1Char(' ')));
    }
    return ok;
}
