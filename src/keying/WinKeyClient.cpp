#include "keying/WinKeyClient.h"

#include "keying/WinKeyProtocol.h"
#include "rig/SerialPort.h"

WinKeyClient::WinKeyClient(QObject* parent) : QObject(parent)
{
    // The port class has no read events: a short poll, well under a character time at 1200 baud.
    m_poll.setInterval(5);
    connect(&m_poll, &QTimer::timeout, this, &WinKeyClient::poll);
    m_answerTimer.setSingleShot(true);
    connect(&m_answerTimer, &QTimer::timeout, this,
            [this] { failOpen(m_phase == Phase::Echo ? NoEcho : NoOpenResponse); });
}

WinKeyClient::~WinKeyClient()
{
    close();
}

void WinKeyClient::open(const QString& device)
{
    if (m_phase != Phase::Closed) {
        emit opened(AlreadyOpen, m_version);
        return;
    }
    delete m_port;
    m_port = new SerialPort(SerialPortTable({device}), this);
    if (device.isEmpty() || !m_port->openWith(1, QStringLiteral("1200,N,8,2"), 0, QLatin1Char('D'))) {
        failOpen(ComOpenFailed);
        return;
    }
    m_port->Input(); // whatever the keyer said before we asked is not an answer
    m_status = 0;
    m_phase = Phase::Echo;
    m_port->Output(WinKeyProtocol::echoTest());
    m_answerTimer.start(m_answerTimeoutMs);
    m_poll.start();
}

void WinKeyClient::close()
{
    m_answerTimer.stop();
    m_poll.stop();
    if (m_port && m_port->PortOpen()) {
        if (m_phase == Phase::Open)
            m_port->Output(WinKeyProtocol::hostClose());
        m_port->setPortOpen(false);
    }
    m_phase = Phase::Closed;
    m_version = 0;
    m_status = 0;
}

void WinKeyClient::failOpen(int result)
{
    close();
    emit opened(result, 0);
}

void WinKeyClient::poll()
{
    if (!m_port || !m_port->PortOpen()) {
        close();
        return;
    }
    for (const char c : m_port->Input())
        take(static_cast<unsigned char>(c));
}

void WinKeyClient::take(unsigned char b)
{
    if (WinKeyProtocol::isStatus(b)) {
        const int value = WinKeyProtocol::statusValue(b);
        if (value != m_status) {
            m_status = value;
            emit statusChanged(value);
        }
        emit statusReceived(value);
        return;
    }
    if (WinKeyProtocol::isSpeedPot(b)) {
        if (m_phase == Phase::Open)
            emit speedPot(m_potMinWpm + WinKeyProtocol::speedPotOffset(b));
        return;
    }
    switch (m_phase) {
    case Phase::Echo:
        if (b != static_cast<unsigned char>(WinKeyProtocol::EchoProbe)) {
            failOpen(EchoMismatch);
            return;
        }
        m_phase = Phase::Version;
        m_port->Output(WinKeyProtocol::hostOpen());
        m_answerTimer.start(m_answerTimeoutMs);
        break;
    case Phase::Version:
        if (b == 0) {
            failOpen(NoOpenResponse);
            return;
        }
        m_answerTimer.stop();
        m_phase = Phase::Open;
        m_version = b;
        emit opened(Success, m_version);
        break;
    case Phase::Open:
        emit echoed(QChar(b));
        break;
    case Phase::Closed:
        break;
    }
}

int WinKeyClient::write(const QByteArray& bytes)
{
    if (m_phase != Phase::Open)
        return NotOpen;
    m_port->Output(bytes);
    return Success;
}

int WinKeyClient::sendChar(int code)
{
    // Codes below 0x20 would be taken as commands.
    if (code < 0x20 || code > 0x7F)
        return isOpen() ? Success : NotOpen;
    return write(QByteArray(1, static_cast<char>(code)));
}

int WinKeyClient::setSpeed(int wpm)
{
    return write(WinKeyProtocol::speed(wpm));
}
int WinKeyClient::setWeight(int w)
{
    return write(WinKeyProtocol::weight(w));
}
int WinKeyClient::setLeadTail(int leadIn, int tail)
{
    return write(WinKeyProtocol::leadTail(leadIn, tail));
}
int WinKeyClient::setRatio(int r)
{
    return write(WinKeyProtocol::ratio(r));
}
int WinKeyClient::setPinConfig(int pins)
{
    return write(WinKeyProtocol::pinConfig(pins));
}
int WinKeyClient::setMode(int m)
{
    return write(WinKeyProtocol::mode(m | WinKeyProtocol::SerialEcho));
}
int WinKeyClient::clearBuffer()
{
    return write(WinKeyProtocol::clearBuffer());
}
int WinKeyClient::backspace()
{
    return write(WinKeyProtocol::backspace());
}
int WinKeyClient::requestStatus()
{
    return write(WinKeyProtocol::requestStatus());
}
int WinKeyClient::setupSpeedPot(int minWpm, int rangeWpm)
{
    const int result = write(WinKeyProtocol::speedPotSetup(minWpm, rangeWpm));
    if (result == Success)
        m_potMinWpm = minWpm;
    return result;
}
int WinKeyClient::readSpeedPot()
{
    return write(WinKeyProtocol::readSpeedPot());
}
