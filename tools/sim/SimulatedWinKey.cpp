#include "sim/SimulatedWinKey.h"

namespace {
// Bytes following each command byte 00-1F (admin 00 is handled apart).
constexpr int kArgs[32] = {0, 1, 1, 1, 2, 3, 1, 0, 0, 1, 0, 1, 1, 1, 1, 15,
                           1, 1, 1, 0, 1, 0, 1, 1, 1, 1, 1, 2, 1, 1, 0, 0};
} // namespace

SimulatedWinKey::SimulatedWinKey(QObject* parent) : QObject(parent)
{
    connect(&m_pty, &PtyPeer::received, this, &SimulatedWinKey::onBytes);
    connect(&m_keying, &QTimer::timeout, this, &SimulatedWinKey::keyNext);
}

void SimulatedWinKey::setPaused(bool paused)
{
    m_paused = paused;
    if (!paused && !m_queue.isEmpty() && !m_keying.isActive())
        m_keying.start(charMs);
}

void SimulatedWinKey::turnPot(int offset)
{
    m_pot = offset;
    if (m_open)
        m_pty.write(QByteArray(1, char(0x80 | m_pot)));
}

void SimulatedWinKey::onBytes(const QByteArray& bytes)
{
    m_pending += bytes;
    while (!m_pending.isEmpty()) {
        const auto b = static_cast<unsigned char>(m_pending[0]);
        if (b >= 0x20) {
            m_pending.remove(0, 1);
            if (!m_open)
                continue;
            m_queue += char(b);
            if (!m_paused && !m_keying.isActive())
                m_keying.start(charMs);
            reportStatus();
            continue;
        }
        int length = 1 + kArgs[b];
        if (b == 0x00) {
            if (m_pending.size() < 2)
                return;
            length = m_pending[1] == 0x04 ? 3 : 2;
        }
        if (m_pending.size() < length)
            return;
        command(m_pending.left(length));
        m_pending.remove(0, length);
    }
}

void SimulatedWinKey::command(const QByteArray& frame)
{
    commands << frame;
    if (silent)
        return;
    const auto op = static_cast<unsigned char>(frame[0]);
    if (op == 0x00) {
        if (frame[1] == 0x04)
            m_pty.write(frame.mid(2, 1));
        else if (frame[1] == 0x02) {
            m_open = true;
            m_pty.write(QByteArray(1, char(version)));
        } else if (frame[1] == 0x03) {
            m_open = false;
            m_echo = false;
        }
        return;
    }
    if (op == 0x07) {
        m_pty.write(QByteArray(1, char(0x80 | m_pot)));
        return;
    }
    if (op == 0x0E)
        m_echo = frame[1] & 0x04;
    else if (op == 0x08)
        m_queue.chop(1);
    else if (op == 0x0A)
        m_queue.clear();
    else if (op == 0x15)
        m_lastStatus = -1;
    reportStatus();
}

void SimulatedWinKey::keyNext()
{
    if (m_paused || m_queue.isEmpty()) {
        m_keying.stop();
        reportStatus();
        return;
    }
    keyed += m_queue[0];
    if (m_echo)
        m_pty.write(m_queue.left(1));
    m_queue.remove(0, 1);
    reportStatus();
}

void SimulatedWinKey::reportStatus()
{
    if (!m_open)
        return;
    const bool busy = !m_queue.isEmpty() || m_keying.isActive();
    const int status = 0xC0 | (busy ? 0x04 : 0) | (m_queue.size() > xoffAt ? 0x01 : 0);
    if (status != m_lastStatus) {
        m_lastStatus = status;
        m_pty.write(QByteArray(1, char(status)));
    }
}
