#include "log/CallIndex.h"

#include "log/ContactLog.h"

#include <cstring>

namespace {

QString bandModeKey(const QString& band, const QString& mode) { return band + QLatin1Char('\t') + mode; }

bool isLatin1(const QString& s)
{
    for (QChar c : s) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

// Whether `needle` (n bytes) occurs in `hay` (h bytes).
bool containsBytes(const char* hay, qsizetype h, const char* needle, qsizetype n)
{
    if (n == 0)
        return true;
    for (qsizetype i = 0; i + n <= h; ++i) {
        if (hay[i] == needle[0] && std::memcmp(hay + i, needle, static_cast<size_t>(n)) == 0)
            return true;
    }
    return false;
}

}  // namespace

void CallIndex::take(int recNo) const
{
    const ContactRecord& r = m_log.record(recNo);
    m_byCall[r.call].push_back(recNo);
    Packed p{recNo, -1, {}};
    if (r.call.size() <= PackedLength && isLatin1(r.call)) {
        p.length = static_cast<int>(r.call.size());
        for (int i = 0; i < p.length; ++i)
            p.chars[i] = static_cast<char>(r.call[i].unicode());
    }
    m_byBandMode[bandModeKey(r.band, r.mode)].push_back(p);
}

void CallIndex::refresh() const
{
    if (!m_built || m_structureRevision != m_log.structureRevision() || m_indexed > m_log.size()) {
        m_byCall.clear();
        m_byBandMode.clear();
        m_indexed = 0;
        m_structureRevision = m_log.structureRevision();
        m_built = true;
    }
    while (m_indexed < m_log.size())
        take(++m_indexed);
}

const std::vector<int>& CallIndex::recordsWithCall(const QString& call) const
{
    static const std::vector<int> none;
    refresh();
    const auto it = m_byCall.constFind(call);
    return it == m_byCall.cend() ? none : *it;
}

QString CallIndex::partialMatches(const QString& typed, const QString& band, const QString& mode,
                                  qsizetype limit) const
{
    if (!isLatin1(typed))
        return walkRecords(typed, band, mode, limit);
    refresh();
    const auto it = m_byBandMode.constFind(bandModeKey(band, mode));
    if (it == m_byBandMode.cend())
        return {};
    const QByteArray t = typed.toLatin1();
    const qsizetype len = t.size();
    QString list;
    for (const Packed& p : *it) {
        bool match;
        if (p.length < 0) {
            match = typed.contains(QStringView(m_log.record(p.recNo).call).left(len));
        } else if (p.length >= len) {
            // A head as long as the typed text can only occur in it by being equal to it.
            match = len == 0
                    || (p.chars[0] == t[0] && std::memcmp(p.chars, t.constData(), static_cast<size_t>(len)) == 0);
        } else {
            match = containsBytes(t.constData(), len, p.chars, p.length);
        }
        if (!match)
            continue;
        list += QLatin1String("  ");
        list += m_log.record(p.recNo).call;
        if (list.size() > limit)
            break;
    }
    return list;
}

QString CallIndex::walkRecords(const QString& typed, const QString& band, const QString& mode, qsizetype limit) const
{
    const qsizetype len = typed.size();
    QString list;
    for (const ContactRecord& r : m_log.records()) {
        if (r.band != band || r.mode != mode || !typed.contains(QStringView(r.call).left(len)))
            continue;
        list += QLatin1String("  ");
        list += r.call;
        if (list.size() > limit)
            break;
    }
    return list;
}
