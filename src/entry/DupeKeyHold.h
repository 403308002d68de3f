#pragma once

#include <QtGlobal>
#include <optional>
#include <vector>

class Clock;

// The pause after a dupe report, so that an operator typing ahead does not start the next call
// with keys meant for the dupe. The first call-field key within 3 s of the report is dropped;
// keys typed after it wait here and are handed back, in order, when the 3 s are over. Nothing
// blocks: the window's timer asks release() when remainingMs() has passed.
class DupeKeyHold {
public:
    static constexpr qint64 HoldMs = 3000;

    explicit DupeKeyHold(const Clock& clock) : m_clock(clock) {}

    // A dupe was reported now.
    void reported();
    // The duplicate flag: set by a report, cleared by the next logging attempt or the first key
    // after the hold.
    bool flagged() const { return m_flag; }
    void clearFlag() { m_flag = false; }

    // A call-field key while the flag is set: true when it must be dropped (the hold starts),
    // false when the 3 s are already over (the flag is cleared).
    bool HoldKeysAfterDupe();

    bool holding() const { return m_holding; }
    qint64 remainingMs() const;
    void queue(int key) { m_queued.push_back(key); }
    // Once the hold is over: ends it, clears the flag and returns the queued keys. Nothing while
    // the hold lasts or when there is none.
    std::optional<std::vector<int>> release();

private:
    const Clock& m_clock;
    bool m_flag = false;
    bool m_holding = false;
    qint64 m_reportMs = 0;
    std::vector<int> m_queued;
};
