#include "entry/ClockDisplay.h"

#include "util/Clock.h"

namespace ClockDisplay {

QString utcTime(const QDateTime& local, float utcOffsetHours)
{
    return shiftedUtc(local, utcOffsetHours).time().toString(QStringLiteral("HH:mm:ss"));
}

QString localTime(const QDateTime& local)
{
    const QTime t = local.time();
    const int h12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    return QStringLiteral("%1:%2:%3")
        .arg(h12)
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'));
}

QString amPm(const QDateTime& local)
{
    return local.time().hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
}

} // namespace ClockDisplay
