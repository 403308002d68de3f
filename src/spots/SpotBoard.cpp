#include "spots/SpotBoard.h"

#include "util/Clock.h"

#include <cmath>

SpotBoard::SpotBoard(const Clock& clock, QObject* parent) : QObject(parent), m_clock(clock) {}

bool SpotBoard::BandMapSpots(const QString& call, const QString& frequencyKHz, const QString& record)
{
    if (!m_ownCall.isEmpty() && call.compare(m_ownCall, Qt::CaseInsensitive) == 0)
        emit ownCallSpotted(record);
    bool numeric = false;
    const double kHz = frequencyKHz.trimmed().toDouble(&numeric);
    if (!numeric || !std::isfinite(kHz) || std::fabs(kHz) > 1e12)
        return false;
    QString rec = record;
    if (const qsizetype cr = rec.indexOf(QLatin1Char('\r')); cr >= 0)
        rec.truncate(cr);
    const Frequency frequency = Frequency::fromHz(std::llround(kHz * 1000.0));
    m_store.add(call, frequency, m_clock.localNow());

    if (m_rows.size() >= static_cast<size_t>(kMaxRows))
        m_rows.pop_back();
    SpotRow row = rowFor(call, frequency, rec);
    row.dupe = m_worked && m_worked(call);
    m_rows.push_front(std::move(row));
    emit spotAdded();
    return true;
}

void SpotBoard::refreshDupes()
{
    for (SpotRow& row : m_rows)
        row.dupe = m_worked && m_worked(row.call);
}

SpotRow SpotBoard::rowFor(const QString& call, Frequency frequency, const QString& record)
{
    SpotRow row;
    row.call = call;
    row.columns = {
        QString::number(static_cast<double>(frequency.hz) / 1e6, 'f', 5),
        QString(),
        QString(),
        record.left(11).trimmed() + QStringLiteral("  ") + record.mid(34, 25).trimmed(),
        record.mid(61).trimmed(),
        record.mid(67, 4),
        record.mid(72).trimmed(),
    };
    return row;
}
