#pragma once

#include "util/Clock.h"

#include <atomic>

// The site's one time: this computer's clock moved by the offset measured against the time
// master, so contacts are stamped alike on every station without touching the computer's clock.
// The monotonic count is the computer's own.
class SiteClock final : public Clock {
public:
    explicit SiteClock(const Clock& base) : m_base(base) {}

    QDateTime localNow() const override { return m_base.localNow().addMSecs(m_offsetMs); }
    QDateTime utcNow() const override { return m_base.utcNow().addMSecs(m_offsetMs); }
    qint64 monotonicMs() const override { return m_base.monotonicMs(); }

    void setOffsetMs(qint64 ms) { m_offsetMs = ms; }
    qint64 offsetMs() const { return m_offsetMs; }

private:
    const Clock& m_base;
    std::atomic<qint64> m_offsetMs{0};
};
