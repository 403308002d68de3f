#include "util/Clock.h"

#include <QElapsedTimer>

QDateTime SystemClock::localNow() const { return QDateTime::currentDateTime(); }

QDateTime SystemClock::utcNow() const { return QDateTime::currentDateTimeUtc(); }

qint64 SystemClock::monotonicMs() const
{
    static const QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

QDateTime shiftedUtc(const QDateTime& local, float utcOffsetHours)
{
    // Naive arithmetic on the wall-clock value: the offset is the operator's, not the zone's.
    const QDateTime naive(local.date(), local.time(), Qt::UTC);
    return naive.addSecs(static_cast<qint64>(utcOffsetHours * 60.0f) * 60);
}
