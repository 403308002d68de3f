#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

// Reading dates and times the way operators type them, and the log's own stamps.
namespace DateTimeText {

// Numeric dates with "/", "-" or "." between the parts: year first (2026/06/27, 2026-6-27) or
// month first (06/27/2026, 6/27/26; a two-digit year is 20yy). Surrounding blanks are ignored.
std::optional<QDate> parseDate(const QString& text);

// "18:30", "9:45", "18:30:05", with an optional AM or PM ("6:30 PM").
std::optional<QTime> parseTime(const QString& text);

// A record's "yyyy/mm/dd" date and "hh:mm:ss" time, read strictly and quickly.
std::optional<QDate> parseLogDate(const QString& date);
std::optional<QTime> parseLogTime(const QString& time);

// A record's "yyyy/mm/dd" and "hh:mm:ss" stamps as one date-time (no time zone); invalid
// when either is not in that form. Fast: it runs over the whole log.
QDateTime parseLogStamp(const QString& date, const QString& time);

// The log's stamp formats.
QString logDate(const QDate& d);
QString logTime(const QTime& t);

}  // namespace DateTimeText
