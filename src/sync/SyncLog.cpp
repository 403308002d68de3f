#include "sync/SyncLog.h"

#include "log/LogFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <limits>
#include <unistd.h>

namespace {

QByteArray lineWithoutEnd(const ContactRecord& r)
{
    QByteArray line = formatLogLine(r);
    line.chop(2);
    return line;
}

// "TEXT," prefix parsed off `rest`; false when there is no comma.
bool takeField(QByteArrayView& rest, QByteArrayView& field)
{
    const qsizetype comma = rest.indexOf(',');
    if (comma < 0)
        return false;
    field = rest.first(comma);
    rest = rest.sliced(comma + 1);
    return true;
}

int positiveNumber(QByteArrayView text)
{
    bool ok = false;
    const int n = QByteArray(text.data(), text.size()).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

} // namespace

QByteArray SyncEntry::payload() const
{
    QByteArray out = QByteArray::number(rev) + ',';
    out += record ? lineWithoutEnd(*record) : QByteArray("-");
    return out;
}

std::optional<SyncEntry> SyncEntry::fromPayload(const SyncKey& key, QByteArrayView payload)
{
    QByteArrayView rest = payload, revText;
    if (!takeField(rest, revText))
        return std::nullopt;
    SyncEntry e{key, positiveNumber(revText), std::nullopt};
    if (e.rev == 0 || !SyncLog::validStation(key.station) || key.seq <= 0)
        return std::nullopt;
    if (rest == "-")
        return e;
    ContactRecord r;
    if (!parseLogLine(rest, r) || r.date.size() != 10 || r.time.size() != 8)
        return std::nullopt;
    e.record = std::move(r);
    return e;
}

bool SyncLog::validStation(const QString& name)
{
    if (name.isEmpty() || name.size() > 20)
        return false;
    return std::all_of(name.begin(), name.end(), [](QChar c) {
        return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
               c == QLatin1Char('-') || c == QLatin1Char('_');
    });
}

bool SyncLog::before(const SyncEntry& a, const SyncEntry& b)
{
    const int d = QString::compare(a.record->date, b.record->date);
    if (d != 0)
        return d < 0;
    const int t = QString::compare(a.record->time, b.record->time);
    if (t != 0)
        return t < 0;
    return a.key < b.key;
}

QByteArray SyncLog::chainHash(const QByteArray& prev, const ContactRecord& line)
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    h.addData(prev);
    h.addData(formatLogLine(line));
    return h.result().toHex();
}

QByteArray SyncLog::logHash(const std::vector<ContactRecord>& records)
{
    QByteArray h = "0";
    for (const ContactRecord& r : records)
        h = chainHash(h, r);
    return h;
}

bool SyncLog::load(QString* error)
{
    m_entries.clear();
    m_changed.clear();
    m_prevHash.clear();
    m_hash.clear();
    m_rewrite = true;
    QFile f(m_path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    QList<QByteArray> lines = f.readAll().split('\n');
    lines.removeLast(); // empty, or a line cut off before its end
    std::vector<SyncEntry> block;
    m_order.clear();
    m_liveBy.clear();
    const auto takeBlock = [&] {
        for (SyncEntry& e : block)
            m_entries[e.key] = std::move(e);
        block.clear();
    };
    // The order is built once the file is read.
    const auto indexAll = [this] {
        for (const auto& [key, e] : m_entries)
            index(e, 1);
    };
    bool whole = false;
    int lineNo = 0;
    for (QByteArray& line : lines) {
        ++lineNo;
        if (line.endsWith('\r'))
            line.chop(1);
        // "#end" closes a block; "#log" heads a file written whole before the journal.
        const bool end = line.startsWith("#end ");
        if (end || line.startsWith("#log ")) {
            whole = !end;
            const QList<QByteArray> parts = line.split(' ');
            m_prevHash = parts.value(1) == "-" ? QByteArray() : parts.value(1);
            m_hash = parts.value(2);
            if (end)
                takeBlock();
            continue;
        }
        if (line.isEmpty())
            continue;
        QByteArrayView rest = line, station, seq;
        std::optional<SyncEntry> e;
        if (takeField(rest, station) && takeField(rest, seq))
            e = SyncEntry::fromPayload({QString::fromLatin1(station), positiveNumber(seq)}, rest);
        if (e) {
            block.push_back(std::move(*e));
            continue;
        }
        // A bad line in a block cut short by a stop is that block's loss, not the file's.
        if (whole || std::any_of(lines.begin() + lineNo, lines.end(),
                                 [](const QByteArray& l) { return l.startsWith("#end "); })) {
            if (error)
                *error = QStringLiteral("line %1 cannot be read").arg(lineNo);
            m_entries.clear();
            return false;
        }
        break;
    }
    if (whole)
        takeBlock();
    indexAll();
    return true;
}

namespace {

QByteArray entryLine(const SyncEntry& e)
{
    return e.key.station.toLatin1() + ',' + QByteArray::number(e.key.seq) + ',' + e.payload() + "\r\n";
}

QByteArray trailer(const QByteArray& prevHash, const QByteArray& hash)
{
    return "#end " + (prevHash.isEmpty() ? QByteArray("-") : prevHash) + ' ' + hash + "\r\n";
}

} // namespace

bool SyncLog::save(const QByteArray& prevHash, const QByteArray& hash, QString* error)
{
    if (m_rewrite) {
        m_prevHash = prevHash;
        m_hash = hash;
        return compact(error);
    }
    std::sort(m_changed.begin(), m_changed.end());
    m_changed.erase(std::unique(m_changed.begin(), m_changed.end()), m_changed.end());
    QByteArray out;
    for (const SyncKey& k : m_changed)
        out += entryLine(m_entries.at(k));
    out += trailer(prevHash, hash);
    QFile f(m_path);
    const bool ok = f.open(QIODevice::WriteOnly | QIODevice::Append) && f.write(out) == out.size() && f.flush() &&
                    ::fsync(f.handle()) == 0;
    if (!ok) {
        if (error)
            *error = f.errorString();
        // Whatever part of the block reached the disk must not run into the next one.
        m_rewrite = true;
        return false;
    }
    m_changed.clear();
    m_prevHash = prevHash;
    m_hash = hash;
    return true;
}

bool SyncLog::compact(QString* error)
{
    QByteArray out;
    for (const auto& [key, e] : m_entries)
        out += entryLine(e);
    out += trailer(m_prevHash, m_hash);
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size() || !f.commit()) {
        if (error)
            *error = f.errorString();
        m_rewrite = true;
        return false;
    }
    m_changed.clear();
    m_rewrite = false;
    return true;
}

void SyncLog::index(const SyncEntry& e, int step)
{
    if (!e.record)
        return;
    if (step > 0)
        m_order.insert(&e);
    else
        m_order.erase(&e);
    m_liveBy[e.key.station] += step;
}

void SyncLog::put(const SyncEntry& e)
{
    const auto [it, fresh] = m_entries.try_emplace(e.key, e);
    if (!fresh) {
        index(it->second, -1);
        it->second = e;
    }
    index(it->second, 1);
    m_changed.push_back(e.key);
}

const SyncEntry* SyncLog::lastLiveOf(const QString& station) const
{
    auto it = m_entries.lower_bound(SyncKey{station, std::numeric_limits<int>::max()});
    while (it != m_entries.begin()) {
        --it;
        if (it->first.station != station)
            break;
        if (it->second.record)
            return &it->second;
    }
    return nullptr;
}

const SyncEntry* SyncLog::find(const SyncKey& key) const
{
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : &it->second;
}

SyncLog::Apply SyncLog::compare(const SyncEntry* have, const SyncEntry& e)
{
    if (!have || e.rev > have->rev)
        return Apply::Newer;
    if (e.rev < have->rev)
        return Apply::Older;
    const QByteArray mine = have->payload(), theirs = e.payload();
    return theirs == mine ? Apply::Same : theirs > mine ? Apply::Newer : Apply::Older;
}

SyncLog::Apply SyncLog::apply(const SyncEntry& e)
{
    const Apply a = compare(find(e.key), e);
    if (a == Apply::Newer)
        put(e);
    return a;
}

int SyncLog::nextSeq(const QString& station) const
{
    const auto it = m_entries.lower_bound(SyncKey{station, std::numeric_limits<int>::max()});
    if (it == m_entries.begin())
        return 1;
    const auto last = std::prev(it);
    return last->first.station == station ? last->first.seq + 1 : 1;
}

std::vector<ContactRecord> SyncLog::liveRecordsInOrder() const
{
    std::vector<ContactRecord> out;
    out.reserve(m_order.size());
    for (const SyncEntry* e : m_order)
        out.push_back(*e->record);
    return out;
}
