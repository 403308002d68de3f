#include "keying/KeyingClock.h"

#include <cerrno>
#include <time.h>

namespace {

// Kernel wake-up latency we do not trust the sleep with; spun instead.
constexpr qint64 SpinNs = 300'000;

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

void MonotonicKeyingClock::waitUntilNs(qint64 deadlineNs)
{
    if (deadlineNs - nowNs() > SpinNs) {
        const timespec ts = toTimespec(deadlineNs - SpinNs);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        }
    }
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
