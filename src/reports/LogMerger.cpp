#include "reports/LogMerger.h"

#include "log/ContactLog.h"

#include <algorithm>

namespace {

QString dupeKey(const ContactRecord& r)
{
    QString k;
    k.reserve(r.call.size() + r.band.size() + r.mode.size() + 2);
    k += r.call;
    k += QChar(0x1f);
    k += r.band;
    k += QChar(0x1f);
    k += r.mode;
    return std::move(k).toCaseFolded();
}

QString orderKey(const ContactRecord& r)
{
    return (r.date + r.time).toCaseFolded();
}

} // namespace

LogMerger::LogMerger(const std::vector<ContactRecord>& existing, bool eliminateDuplicates)
    : m_existing(existing), m_eliminate(eliminateDuplicates)
{
    m_prefixMax.reserve(existing.size());
    // Room for every contact the log can still take, reserved once: growing this vector of large
    // elements step by step cost more than the merge itself (copies and fresh pages each time).
    // Pages of the reserve that are never used are never touched.
    if (existing.size() < static_cast<size_t>(ContactLog::Capacity))
        m_incoming.reserve(static_cast<size_t>(ContactLog::Capacity) - existing.size());
    if (m_eliminate)
        m_seen.reserve(static_cast<qsizetype>(existing.size()));
    for (const ContactRecord& r : existing) {
        QString k = orderKey(r);
        m_prefixMax.push_back(m_prefixMax.empty() || k > m_prefixMax.back() ? std::move(k) : m_prefixMax.back());
        if (m_eliminate)
            m_seen.insert(dupeKey(r));
    }
}

LogMerger::Result LogMerger::add(ContactRecord r)
{
    if (m_eliminate) {
        const QString k = dupeKey(r);
        if (m_seen.contains(k)) {
            ++m_duplicates;
            return Result::Duplicate;
        }
        if (m_existing.size() + m_incoming.size() >= static_cast<size_t>(ContactLog::Capacity))
            return Result::Full;
        m_seen.insert(k);
    } else if (m_existing.size() + m_incoming.size() >= static_cast<size_t>(ContactLog::Capacity)) {
        return Result::Full;
    }
    // The first existing contact sorting after the new one is the first place where the running
    // maximum passes it; contacts added earlier never sort after it unless they sit in the same
    // gap, where insertion keeps them in stable order.
    QString key = orderKey(r);
    const auto gap =
        static_cast<size_t>(std::upper_bound(m_prefixMax.begin(), m_prefixMax.end(), key) - m_prefixMax.begin());
    m_incoming.push_back({gap, std::move(key), std::move(r)});
    return Result::Added;
}

std::vector<ContactRecord> LogMerger::merged() const
{
    LogMerger copy(*this);
    return copy.takeMerged();
}

std::vector<ContactRecord> LogMerger::takeMerged()
{
    std::vector<Incoming*> order;
    order.reserve(m_incoming.size());
    for (Incoming& i : m_incoming)
        order.push_back(&i);
    std::stable_sort(order.begin(), order.end(), [](const Incoming* a, const Incoming* b) {
        return a->gap != b->gap ? a->gap < b->gap : a->key < b->key;
    });
    std::vector<ContactRecord> out;
    out.reserve(m_existing.size() + order.size());
    size_t next = 0;
    for (size_t gap = 0; gap <= m_existing.size(); ++gap) {
        while (next < order.size() && order[next]->gap == gap)
            out.push_back(std::move(order[next++]->record));
        if (gap < m_existing.size())
            out.push_back(m_existing[gap]);
    }
    m_incoming.clear();
    return out;
}
