#include "spots/SpotStore.h"

#include "spots/SpotLine.h"

#include <algorithm>

void SpotStore::add(const QString& call, Frequency frequency, const QDateTime& received)
{
    std::move(m_slots.begin() + 1, m_slots.end(), m_slots.begin());
    m_slots.back() = Slot{call, frequency, received, CallPrefix(call)};
    for (int i = 0; i < kSlots - 1; ++i) {
        if (m_slots[static_cast<size_t>(i)].call == call) {
            m_slots[static_cast<size_t>(i)].frequency = Frequency{};
            break;
        }
    }
}

void SpotStore::dismiss(int slot)
{
    if (slot >= 0 && slot < kSlots)
        m_slots[static_cast<size_t>(slot)].frequency = Frequency{};
}
