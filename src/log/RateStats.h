#pragma once

#include <QDateTime>
#include <QString>

class Clock;
class ContactLog;

// The rate figures (lblAQSO60, lblAQSO20): contacts in the last hour, and the last 20 minutes
// times 3. Run by the window's one-minute timer, after every logging attempt, reload and New.
struct RateFigures {
    int lastHour = 0;       // lblAQSO60
    int last20Hourly = 0;   // lblAQSO20
    bool operator==(const RateFigures&) const = default;
};

// `nowUtc` is the local time shifted by the UTC offset (shiftedUtc). The walk runs from the
// newest record back and stops at the first one an hour old or older; records whose stamp cannot
// be read are passed over.
RateFigures TimeStats(const ContactLog& log, const QDateTime& nowUtc);
// The same at the clock's present local time shifted by the operator's UTC offset.
RateFigures TimeStats(const ContactLog& log, const Clock& clock, float utcOffsetHours);
