#pragma once

#include <QtGlobal>

class Clock;

// The pause after a dupe report. An operator typing ahead must not start the next call with
// keys meant for the dupe, and a key typed then must not surface later in some field either:
// for 3 s every key is dropped (the window beeps and shows the call field locked). The first
// key after the 3 s starts a fresh call. Nothing blocks: the window's timer calls end() when
// remainingMs() has passed, and a key arriving before that timer ends the hold itself.
class DupeKeyHold {
public:
    static constexpr qint64 HoldMs = 3000;

    explicit DupeKeyHold(const Clock& clock) : m_clock(clock) {}

    // A dupe was reported now: the flag is set and the hold starts.
    void reported();
    // The duplicate flag: set by a report, cleared by the next logging attempt or the end of
    // the hold.
    bool flagged() const { return m_flag; }
    void clearFlag() { m_flag = false; }

    // The hold has started and not been ended yet (the call field shows locked).
    bool active() const { return m_active; }
    // The hold is active and its 3 s have not passed: a key now must be dropped.
    bool dropsKeys() const { return remainingMs() > 0; }
    qint64 remainingMs() const;
    // Once the 3 s are over: ends the hold and clears the flag; true when it did.
    bool end();

private:
    const Clock& m_clock;
    bool m_flag = false;
    bool m_active = false;
    qint64 m_reportMs = 0;
};
