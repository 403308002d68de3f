#pragma once

#include <QDateTime>
#include <QString>

// The clock displays, refreshed every second.
namespace ClockDisplay {
// lblutctime: the local time of day plus the offset, "hh:nn:ss".
QString utcTime(const QDateTime& local, float utcOffsetHours);
// lblCurTime: the local time on the 12-hour clock without its suffix, "h:nn:ss".
QString localTime(const QDateTime& local);
// Label16: "AM" or "PM".
QString amPm(const QDateTime& local);
} // namespace ClockDisplay
