#pragma once

#include <QDateTime>

// Where the program reads the time. Rules take a Clock so that tests move time by hand
// instead of sleeping.
class Clock {
public:
    virtual ~Clock() = default;
    // The computer's local wall-clock time.
    virtual QDateTime localNow() const = 0;
    // The computer's own idea of UTC (used only to suggest the UTC offset).
    virtual QDateTime utcNow() const = 0;
    // A monotonic millisecond count for holds and timeouts.
    virtual qint64 monotonicMs() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime localNow() const override;
    QDateTime utcNow() const override;
    qint64 monotonicMs() const override;
};

// Local time shifted by the operator's UTC offset (hours): the time every contact is stamped
// with. The result carries no time zone; only its date and time of day are meaningful.
QDateTime shiftedUtc(const QDateTime& local, float utcOffsetHours);
