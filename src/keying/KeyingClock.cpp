#include "keying/KeyingClock.h"

#include <algorithm>
#include <cerrno>
#include <time.h>

namespace {

// The spun tail before a deadline: never less than the kernel's wake-up latency on a quiet
// machine (tens of µs) with room for the work done before the edge; never more than a short
// element's worth of busy core.
constexpr qint64 MinSpinNs = 300'000;
constexpr qint64 MaxSpinNs = 2'000'000;
// What a wake-up later than the tail adds to it, and how fast it shrinks back (1/64 of the
// excess per wait: a couple of seconds of sending).
constexpr qint64 SpinHeadroomNs = 150'000;
constexpr int SpinRelax = 64;

timespec toTimespec(qint64 ns)
{
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    return ts;
}

} // namespace

qint64 MonotonicKeyingClock::nowNs() const
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

void MonotonicKeyingClock::waitUntilNs(qint64 deadlineNs, const std::function<void()>& beforeEdge)
{
    if (deadlineNs - nowNs() > m_spinNs) {
        const qint64 wakeNs = deadlineNs - m_spinNs;
        const timespec ts = toTimespec(wakeNs);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        }
        // A loaded machine wakes us late: widen the tail at once to cover that, and let it
        // shrink back slowly once wake-ups are prompt again.
        const qint64 lateNs = nowNs() - wakeNs;
        m_spinNs = std::clamp(std::max(m_spinNs - (m_spinNs - MinSpinNs) / SpinRelax, lateNs + SpinHeadroomNs),
                              MinSpinNs, MaxSpinNs);
    }
    if (beforeEdge)
        beforeEdge();
    while (nowNs() < deadlineNs) {
    }
}

void MonotonicKeyingClock::sleepNs(qint64 ns)
{
    if (ns <= 0)
        return;
    timespec ts = toTimespec(ns);
    while (clock_nanosleep(CLOCK_MONOTONIC, 0, &ts, &ts) == EINTR) {
    }
}
