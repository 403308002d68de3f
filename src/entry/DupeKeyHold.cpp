#include "entry/DupeKeyHold.h"

#include "util/Clock.h"

void DupeKeyHold::reported()
{
    m_flag = true;
    m_reportMs = m_clock.monotonicMs();
}

bool DupeKeyHold::HoldKeysAfterDupe()
{
    if (m_clock.monotonicMs() - m_reportMs < HoldMs) {
        m_holding = true;
        return true;
    }
    m_flag = false;
    return false;
}

qint64 DupeKeyHold::remainingMs() const
{
    if (!m_holding)
        return 0;
    return qMax<qint64>(0, HoldMs - (m_clock.monotonicMs() - m_reportMs));
}

std::optional<std::vector<int>> DupeKeyHold::release()
{
    if (!m_holding || remainingMs() > 0)
        return std::nullopt;
    m_holding = false;
    m_flag = false;
    std::vector<int> keys;
    keys.swap(m_queued);
    return keys;
}
