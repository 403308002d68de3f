#include "sync/ClockOffsetEstimator.h"

#include <algorithm>
#include <vector>

void ClockOffsetEstimator::addTrip(qint64 sentMs, qint64 masterMs, qint64 receivedMs)
{
    if (receivedMs < sentMs)
        return; // our own clock was set back during the trip
    m_offsets.push_back(masterMs - (sentMs + (receivedMs - sentMs) / 2));
    if (static_cast<int>(m_offsets.size()) > Window)
        m_offsets.pop_front();
}

qint64 ClockOffsetEstimator::offsetMs() const
{
    if (m_offsets.empty())
        return 0;
    std::vector<qint64> sorted(m_offsets.begin(), m_offsets.end());
    const auto mid = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2);
    std::nth_element(sorted.begin(), mid, sorted.end());
    return *mid;
}
