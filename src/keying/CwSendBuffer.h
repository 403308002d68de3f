#pragma once

#include "keying/PriorityInheritMutex.h"

#include <QString>
#include <atomic>
#include <optional>

// The text still to be sent and the flags around it, shared by the GUI thread (function keys,
// keyboard CW, code practice) and the keying thread. Emptying the buffer is how every stop
// works: the keying thread finishes the character it has taken and finds nothing more.
class CwSendBuffer {
public:
    QString text() const;
    bool isEmpty() const;
    void clear();
    void append(const QString& text);
    // Replaces the whole content (a new message).
    void replace(const QString& text);
    // Drops the last character still waiting; false when there was none.
    bool removeLast();

    // True while a run of the sender is working through the buffer.
    bool sending() const { return m_sending.load(); }

    // Marks a run as started; false when one already is (it will take what was appended).
    bool beginRun();
    // The next character for the running sender, or nullopt, in which case the run is over and
    // the sending flag is already down: an append after this starts a new run.
    std::optional<QChar> takeFirstOrEndRun();

    // F1 is to be repeated once it has been sent.
    std::atomic<bool> repeatArmed{false};
    // Keyboard CW mode: typed keys go to the buffer.
    std::atomic<bool> keyboardCw{false};

private:
    mutable PriorityInheritMutex m_mutex;
    QString m_text;
    std::atomic<bool> m_sending{false};
};
