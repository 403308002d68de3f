#include "reports/StationStats.h"

#include "log/ContactLog.h"

#include <QHash>
#include <QTimeZone>
#include <algorithm>

namespace StationStats {

const std::array<QString, BandBuckets>& bandBucketNames()
{
    static const std::array<QString, BandBuckets> names{
        QStringLiteral("160"), QStringLiteral("80"), QStringLiteral("40"),     QStringLiteral("20"),
        QStringLiteral("15"),  QStringLiteral("10"), QStringLiteral("VHF/UHF")};
    return names;
}

int bandBucket(const QString& band)
{
    const auto& names = bandBucketNames();
    for (int i = 0; i < BandBuckets - 1; ++i) {
        if (names[static_cast<size_t>(i)] == band)
            return i;
    }
    return BandBuckets - 1;
}

QString sectionTotalsText(const ContactLog& log, const QString& abbr, const QString& name)
{
    std::array<int, BandBuckets> bands{};
    int cw = 0, dig = 0, ph = 0;
    for (const ContactRecord& r : log.records()) {
        if (r.section != abbr)
            continue;
        ++bands[static_cast<size_t>(bandBucket(r.band))];
        if (r.mode == QLatin1String("CW"))
            ++cw;
        else if (r.mode == QLatin1String("DIG"))
            ++dig;
        else if (r.mode == QLatin1String("PH"))
            ++ph;
    }
    int total = 0;
    for (int n : bands)
        total += n;
    const auto n = [](int v) { return QString::number(v); };
    return QStringLiteral(" ") + name + QStringLiteral("    Total =") + n(total) + QLatin1Char('\n') +
           QStringLiteral("  160 =") + n(bands[0]) + QStringLiteral("  80 =") + n(bands[1]) + QStringLiteral("  40 =") +
           n(bands[2]) + QStringLiteral("  20 =") + n(bands[3]) + QStringLiteral("  15 =") + n(bands[4]) +
           QStringLiteral("  10 =") + n(bands[5]) + QLatin1Char('\n') + QStringLiteral("  VHF/UHF=") + n(bands[6]) +
           QStringLiteral("  CW=") + n(cw) + QStringLiteral("  DIG=") + n(dig) + QStringLiteral("  SSB=") + n(ph);
}

OperatorCounts operatorCounts(const ContactLog& log)
{
    OperatorCounts c;
    std::vector<std::pair<QString, int>> rows;
    QHash<QString, size_t> rowOf;
    for (const ContactRecord& r : log.records()) {
        ++c.bandCounts[static_cast<size_t>(bandBucket(r.band))];
        const auto it = rowOf.constFind(r.op);
        if (it != rowOf.constEnd()) {
            ++rows[*it].second;
        } else {
            rowOf.insert(r.op, rows.size());
            rows.emplace_back(r.op, 1);
        }
    }
    c.total = log.size();
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    for (const auto& [initials, count] : rows)
        c.rows.emplace_back(initials, QString::number(count).rightJustified(6, QLatin1Char(' ')));
    return c;
}

QDateTime contactMoment(const QString& date, const QString& time)
{
    QDateTime t = QDateTime::fromString(date + QLatin1Char(' ') + time, QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    t.setTimeZone(QTimeZone::utc());
    return t;
}

RateGraph rateGraph(const ContactLog& log)
{
    RateGraph g;
    g.enough = log.size() >= RateGraph::MinimumContacts;
    if (!g.enough)
        return g;
    std::vector<std::pair<QDateTime, QString>> moments;
    for (const ContactRecord& r : log.records()) {
        const QDateTime m = contactMoment(r.date, r.time);
        if (m.isValid())
            moments.emplace_back(m, r.band);
    }
    if (moments.empty())
        return g;
    const QDateTime first = moments.front().first;
    const QDateTime last = moments.back().first;
    g.spanSeconds = first.secsTo(last);
    for (int i = 0; i <= RateGraph::Steps; ++i) {
        const QDateTime at = first.addSecs(g.spanSeconds * i / RateGraph::Steps);
        g.timeLabels.push_back(at.toString(QStringLiteral("hh:mm")));
        g.dateLabels.push_back(at.toString(QStringLiteral("MM/dd")));
    }
    for (size_t i = 0; i < moments.size(); ++i) {
        int count = 0;
        for (size_t j = i + 1; j-- > 0;) {
            if (moments[j].first.secsTo(moments[i].first) >= 600)
                break;
            ++count;
        }
        RatePoint p{first.secsTo(moments[i].first), count * 6, moments[i].second};
        g.maxRate = std::max(g.maxRate, p.rate);
        g.points.push_back(p);
    }
    return g;
}

} // namespace StationStats
