#pragma once

#include "keying/KeyLine.h"

#include <QtGlobal>
#include <functional>
#include <mutex>
#include <vector>

class KeyingClock;

// Keeps every call with the keying clock's time, for tests and the timing benchmark.
class RecordingKeyLine final : public KeyLine {
public:
    struct Event {
        bool down;
        qint64 atNs;
    };
    // A stretch of unchanged line state.
    struct Run {
        bool down;
        qint64 ns;
        bool operator==(const Run&) const = default;
    };

    explicit RecordingKeyLine(const KeyingClock& clock) : m_clock(clock) {}

    void setKeyDown(bool down) override;

    std::vector<Event> events() const;
    void clear();
    // The calls merged into stretches of one state; the last one ends at `endNs`.
    std::vector<Run> runs(qint64 endNs) const;

    // Called on the keying thread after each call is recorded, with the number of calls so
    // far: lets a test act at an exact point of the sending.
    std::function<void(int calls)> onCall;

private:
    const KeyingClock& m_clock;
    mutable std::mutex m_mutex;
    std::vector<Event> m_events;
};
