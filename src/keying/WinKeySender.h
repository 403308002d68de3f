#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class CwSendBuffer;
class WinKeyClient;

// WKTransmit: hands the CW send buffer to the keyer one character every 10 ms, holding while
// the keyer's status says it takes no more (XOFF), so its buffer never overflows. Characters
// appended meanwhile go out in the same run; emptying the buffer stops it. A closed keyer is
// opened first (openKeyer); when that fails the buffer is emptied.
class WinKeySender : public QObject {
    Q_OBJECT
public:
    WinKeySender(CwSendBuffer& buffer, WinKeyClient& keyer, QObject* parent = nullptr);

    std::function<void()> openKeyer = [] {};

    // Starts a run unless one is going (it takes what was appended).
    void WKTransmit();
    // Ticks spent waiting for the keyer since the run started.
    int heldTicks() const { return m_held; }

signals:
    void runFinished();

private:
    void tick();

    CwSendBuffer& m_buffer;
    WinKeyClient& m_keyer;
    QTimer m_timer;
    int m_held = 0;
};
