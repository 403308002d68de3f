#include "rig/BandPlanLookup.h"

#include <QFile>

namespace {

// Comma-separated fields, a quoted one running to its closing quote.
QStringList splitFields(const QString& line)
{
    QStringList out;
    QString cur;
    bool quoted = false;
    for (QChar c : line) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(',') && !quoted) {
            out << cur.trimmed();
            cur.clear();
        } else
            cur += c;
    }
    out << cur.trimmed();
    return out;
}

} // namespace

BandPlanLookup BandPlanLookup::load(const QString& dataDir)
{
    QFile f(dataDir + QStringLiteral("/BandPlan.txt"));
    if (f.open(QIODevice::ReadOnly)) {
        BandPlanLookup plan = parse(f.readAll());
        if (!plan.isEmpty())
            return plan;
    }
    QFile builtIn(QStringLiteral(":/fdlog/BandPlan.txt"));
    return builtIn.open(QIODevice::ReadOnly) ? parse(builtIn.readAll()) : BandPlanLookup{};
}

BandPlanLookup BandPlanLookup::parse(const QByteArray& content)
{
    BandPlanLookup plan;
    const QStringList lines = QString::fromLatin1(content).split(QLatin1Char('\n'));
    bool first = true;
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        const QStringList f = splitFields(line);
        if (first) {
            plan.m_effective = f.value(0);
            first = false;
            continue;
        }
        // Edges in MHz as written, to the hertz: 14.15 is 14150000, not a single's 14149999.6.
        const auto lower = Frequency::fromMHzText(f.value(3));
        const auto upper = Frequency::fromMHzText(f.value(4));
        if (f.size() != 5 || !lower || !upper || plan.m_rows.size() >= 200)
            return {};
        Row r{f.value(0), f.value(1), f.value(2), *lower, *upper};
        plan.m_rows.push_back(r);
    }
    return plan;
}

const BandPlanLookup::Row* BandPlanLookup::find(Frequency f) const
{
    for (const Row& r : m_rows) {
        if (r.classLetter != QLatin1String("O") && r.lower <= f && r.upper > f)
            return &r;
    }
    return nullptr;
}

QString BandPlanLookup::modeWordFor(Frequency f) const
{
    const Row* r = find(f);
    if (!r || r->band == QLatin1String("160"))
        return {};
    if (r->mode != QLatin1String("PH"))
        return r->mode;
    // 60 m channels are upper sideband by rule, unlike the other bands below 10 MHz.
    const bool lowerSideband = r->band == QLatin1String("80") || r->band == QLatin1String("40");
    return QLatin1String(lowerSideband ? "LSB" : "USB");
}
