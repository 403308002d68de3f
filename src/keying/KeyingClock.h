#pragma once

#include <QtGlobal>

// The keying thread's time: a monotonic clock in nanoseconds and the two ways of waiting for
// an element. Tests use a virtual clock that moves on at once, so exact element times can be
// checked without waiting for them.
class KeyingClock {
public:
    virtual ~KeyingClock() = default;
    virtual qint64 nowNs() const = 0;
    // Returns once the clock has reached `deadlineNs` (no earlier; as little later as it can).
    virtual void waitUntilNs(qint64 deadlineNs) = 0;
    // A plain sleep of `ns`, relative to when it is called.
    virtual void sleepNs(qint64 ns) = 0;
};

// CLOCK_MONOTONIC: sleeps in the kernel up to shortly before the deadline, then spins the
// rest, so an element edge lands within microseconds of its schedule without holding a core
// for the whole element.
class MonotonicKeyingClock final : public KeyingClock {
public:
    qint64 nowNs() const override;
    void waitUntilNs(qint64 deadlineNs) override;
    void sleepNs(qint64 ns) override;
};
