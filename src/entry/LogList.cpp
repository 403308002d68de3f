#include "entry/LogList.h"

#include "log/ContactLog.h"
#include "log/DateTimeText.h"

#include <algorithm>

namespace {
constexpr int LatestRows = 20;
}

LogList::LogList(const ContactLog& log) : m_log(log) {}

const QStringList& LogList::headers()
{
    static const QStringList h{"Rec#", "Call", "Class", "Sec", "Date", "Time", "Bnd", "Mode", "Opr", "Freq"};
    return h;
}

void LogList::RefreshLogList()
{
    const int n = m_log.size();
    const int first = (m_showAll || n < LatestRows) ? 1 : n - LatestRows + 1;
    m_rows.clear();
    m_rows.reserve(static_cast<size_t>(n - first + 1));
    for (int i = first; i <= n; ++i)
        m_rows.push_back(i);
    changed(m_showAll ? Content::All : Content::Latest);
}

void LogList::toggleShowAll()
{
    m_showAll = !m_showAll;
    RefreshLogList();
}

QString LogList::cmdListCaption() const
{
    return m_showAll ? QStringLiteral("All") : QStringLiteral("Last 20");
}

void LogList::beginPrevious()
{
    m_rows.clear();
    changed(Content::Previous);
}

void LogList::addPrevious(int recNo)
{
    m_rows.push_back(recNo);
    changed(Content::Previous);
}

void LogList::find(const QString& text, bool partial)
{
    m_rows.clear();
    if (!text.isEmpty()) {
        const auto& records = m_log.records();
        for (size_t i = 0; i < records.size(); ++i) {
            const QString& call = records[i].call;
            if (partial ? call.contains(text) : call == text)
                m_rows.push_back(static_cast<int>(i) + 1);
        }
    }
    changed(Content::Found);
}

void LogList::sortByColumn(int column)
{
    if (column < 0 || column >= ColumnCount)
        return;
    std::vector<std::pair<QString, int>> keyed;
    keyed.reserve(m_rows.size());
    for (int row = 0; row < rowCount(); ++row)
        keyed.emplace_back(cell(row, column), m_rows[static_cast<size_t>(row)]);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i)
        m_rows[i] = keyed[i].second;
    changed(m_content);
}

QString LogList::cell(int row, int column) const
{
    const int recNo = recordAt(row);
    if (recNo < 1 || recNo > m_log.size())
        return {};
    // The previous-contacts list leaves the operator out.
    if (column == Opr && m_content == Content::Previous)
        return {};
    return columnText(m_log.record(recNo), recNo, column);
}

QString LogList::columnText(const ContactRecord& r, int recNo, int column)
{
    switch (column) {
    case RecNo:
        return QString::number(recNo);
    case Call:
        return r.call;
    case Class:
        return r.cls;
    case Sec:
        return r.section;
    case Date: {
        auto d = DateTimeText::parseLogDate(r.date);
        if (!d)
            d = DateTimeText::parseDate(r.date);
        return d ? d->toString(QStringLiteral("yyyy/MM/dd")) : r.date;
    }
    case Time: {
        auto t = DateTimeText::parseLogTime(r.time);
        if (!t)
            t = DateTimeText::parseTime(r.time);
        return t ? t->toString(QStringLiteral("H:mm")) : r.time;
    }
    case Bnd:
        return r.band;
    case Mode:
        return r.mode;
    case Opr:
        return r.op;
    case Freq:
        return r.freq;
    default:
        return {};
    }
}

void LogList::changed(Content c)
{
    m_content = c;
    ++m_version;
}
