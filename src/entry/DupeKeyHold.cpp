#include "entry/DupeKeyHold.h"

#include "util/Clock.h"

void DupeKeyHold::reported()
{
    m_flag = true;
    m_active = true;
    m_reportMs = m_clock.monotonicMs();
}

qint64 DupeKeyHold::remainingMs() const
{
    if (!m_active)
        return 0;
    return qMax<qint64>(0, HoldMs - (m_clock.monotonicMs() - m_reportMs));
}

bool DupeKeyHold::end()
{
    if (!m_active || remainingMs() > 0)
        return false;
    m_active = false;
    m_flag = false;
    return true;
}
