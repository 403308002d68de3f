#pragma once

#include "util/Clock.h"

// A clock that tests move by hand.
class ManualClock final : public Clock {
public:
    explicit ManualClock(QDateTime local = QDateTime(QDate(2026, 6, 27), QTime(14, 0, 0)),
                         QDateTime utc = QDateTime(QDate(2026, 6, 27), QTime(18, 0, 0), Qt::UTC))
        : m_local(std::move(local)), m_utc(std::move(utc))
    {
    }

    QDateTime localNow() const override { return m_local; }
    QDateTime utcNow() const override { return m_utc; }
    qint64 monotonicMs() const override { return m_ms; }

    void setLocal(const QDateTime& t) { m_local = t; }
    void setUtc(const QDateTime& t) { m_utc = t; }
    // Moves every reading forward together.
    void advanceMs(qint64 ms)
    {
        m_ms += ms;
        m_local = m_local.addMSecs(ms);
        m_utc = m_utc.addMSecs(ms);
    }

private:
    QDateTime m_local;
    QDateTime m_utc;
    qint64 m_ms = 1'000'000;
};
