#pragma once

#include "keying/KeyingClock.h"

#include <atomic>

// Moves on to every deadline at once: exact element times without waiting for them.
class VirtualKeyingClock final : public KeyingClock {
public:
    qint64 nowNs() const override { return m_now.load(); }
    void waitUntilNs(qint64 deadlineNs, const std::function<void()>& beforeEdge) override
    {
        if (beforeEdge)
            beforeEdge();
        if (deadlineNs > m_now.load())
            m_now = deadlineNs;
    }
    void sleepNs(qint64 ns) override { m_now += ns; }

private:
    std::atomic<qint64> m_now{1'000'000'000};
};
