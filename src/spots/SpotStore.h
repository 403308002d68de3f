#pragma once

#include "log/Frequency.h"

#include <QDateTime>
#include <QString>
#include <array>

// The last 50 spots for the band maps, oldest in slot 0, newest in slot 49. A frequency of 0
// marks a slot not to draw: superseded by a newer spot of the same call, or dismissed.
class SpotStore {
public:
    static constexpr int kSlots = 50;

    struct Slot {
        QString call;
        Frequency frequency;
        QDateTime received; // local clock
        QString prefix;
    };

    // Pushes the oldest out, puts the spot in slot 49, and zeroes the frequency of the oldest
    // earlier spot of the same call so only the newest is drawn.
    void add(const QString& call, Frequency frequency, const QDateTime& received);
    // A click that dismisses a label: the slot stays but is no longer drawn.
    void dismiss(int slot);

    const Slot& slot(int index) const { return m_slots[static_cast<size_t>(index)]; }
    const std::array<Slot, kSlots>& all() const { return m_slots; }

private:
    std::array<Slot, kSlots> m_slots;
};
