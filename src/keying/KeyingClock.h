#pragma once

#include <QtGlobal>
#include <functional>

// The keying thread's time: a monotonic clock in nanoseconds and the two ways of waiting for
// an element. Tests use a virtual clock that moves on at once, so exact element times can be
// checked without waiting for them.
class KeyingClock {
public:
    virtual ~KeyingClock() = default;
    virtual qint64 nowNs() const = 0;
    // Returns once the clock has reached `deadlineNs` (no earlier; as little later as it can).
    // `beforeEdge`, when set, runs once on the way, close to the deadline but with time to
    // spare, so what must be done before the next edge is off that edge's critical path.
    virtual void waitUntilNs(qint64 deadlineNs, const std::function<void()>& beforeEdge) = 0;
    // A plain sleep of `ns`, relative to when it is called.
    virtual void sleepNs(qint64 ns) = 0;
};

// CLOCK_MONOTONIC: sleeps in the kernel up to shortly before the deadline, then spins the
// rest, so an element edge lands within microseconds of its schedule without holding a core
// for the whole element. The spun tail (0.3 to 2 ms) follows how late the kernel has been
// waking the thread. Waits come from one thread at a time (the keying thread), which should
// have set its timer slack to the minimum.
class MonotonicKeyingClock final : public KeyingClock {
public:
    qint64 nowNs() const override;
    void waitUntilNs(qint64 deadlineNs, const std::function<void()>& beforeEdge) override;
    void sleepNs(qint64 ns) override;

private:
    qint64 m_spinNs = 300'000;
};
