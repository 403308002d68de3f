#pragma once

#include <QtGlobal>
#include <deque>

// How far this computer's clock is from the time master's, from timed round trips: the master
// stamps its time into the answer, which is taken as the time half-way through the round trip.
// The median of the recent trips is kept, so one trip held up on the network does not move it.
class ClockOffsetEstimator {
public:
    static constexpr int Window = 9;       // trips kept
    static constexpr int Enough = 5;       // trips before an offset is given
    static constexpr qint64 WarnMs = 2000; // beyond this the operator is told

    // sentMs and receivedMs on this computer's clock, masterMs on the master's.
    void addTrip(qint64 sentMs, qint64 masterMs, qint64 receivedMs);
    bool ready() const { return static_cast<int>(m_offsets.size()) >= Enough; }
    // The master's time minus ours, in milliseconds.
    qint64 offsetMs() const;
    int trips() const { return static_cast<int>(m_offsets.size()); }
    void clear() { m_offsets.clear(); }

private:
    std::deque<qint64> m_offsets;
};
