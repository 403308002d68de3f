#include "log/RateStats.h"

#include "log/ContactLog.h"
#include "log/DateTimeText.h"
#include "util/Clock.h"

namespace {
constexpr qint64 TwentyMinutes = 1200;
constexpr qint64 OneHour = 3600;
}  // namespace

RateFigures TimeStats(const ContactLog& log, const QDateTime& nowUtc)
{
    // Whole seconds, as the clock display shows them.
    const QDateTime now(nowUtc.date(), QTime(nowUtc.time().hour(), nowUtc.time().minute(), nowUtc.time().second()),
                        Qt::UTC);
    int in20 = 0;
    int in60 = 0;
    for (int i = log.size(); i >= 1; --i) {
        const ContactRecord& r = log.record(i);
        const QDateTime stamp = DateTimeText::parseLogStamp(r.date, r.time);
        if (!stamp.isValid())
            continue;
        const qint64 age = stamp.secsTo(now);
        if (age >= OneHour)
            break;
        if (age < TwentyMinutes)
            ++in20;
        ++in60;
    }
    return {in60, 3 * in20};
}

RateFigures TimeStats(const ContactLog& log, const Clock& clock, float utcOffsetHours)
{
    return TimeStats(log, shiftedUtc(clock.localNow(), utcOffsetHours));
}
