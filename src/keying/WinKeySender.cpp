#include "keying/WinKeySender.h"

#include "keying/CwSendBuffer.h"
#include "keying/WinKeyClient.h"
#include "keying/WinKeyProtocol.h"

WinKeySender::WinKeySender(CwSendBuffer& buffer, WinKeyClient& keyer, QObject* parent)
    : QObject(parent), m_buffer(buffer), m_keyer(keyer)
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &WinKeySender::tick);
}

void WinKeySender::WKTransmit()
{
    if (!m_buffer.beginRun())
        return;
    m_held = 0;
    if (!m_keyer.isOpen() && !m_keyer.isOpening())
        openKeyer();
    m_timer.start();
    tick();
}

void WinKeySender::tick()
{
    if (!m_keyer.isOpen()) {
        if (m_keyer.isOpening())
            return;
        m_buffer.clear();
    } else if (m_keyer.status() > 4 || (m_keyer.status() & WinKeyProtocol::Xoff)) {
        ++m_held;
        return;
    }
    const std::optional<QChar> ch = m_buffer.takeFirstOrEndRun();
    if (!ch) {
        m_timer.stop();
        emit runFinished();
        return;
    }
    // '!' goes too: the contact was logged when the text was handed over.
    m_keyer.sendChar(ch->unicode());
}
