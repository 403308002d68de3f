#include "spots/TncSpotSource.h"

#include "rig/SerialPort.h"

namespace {
// What one poll takes from the port: a TNC at 19200 baud sends under 700 bytes in a tick.
constexpr qint64 kReadBufferBytes = 64 * 1024;
} // namespace

TncSpotSource::TncSpotSource(const SerialPortTable& table, QObject* parent)
    : SpotSource(parent), m_port(new SerialPort(table, this))
{
    m_port->setReadBufferSize(kReadBufferBytes);
    connect(m_port, &SerialPort::failed, this, [this](const QString& reason) {
        m_text.clear();
        emit failed(reason);
    });
}

TncSpotSource::~TncSpotSource() = default;

bool TncSpotSource::open(const Settings& s)
{
    close();
    const bool rtsHandshake = s.handshaking == 3 || s.handshaking == 4;
    m_port->setCommPort(s.port);
    m_port->setSettings(s.settings);
    m_port->setHandshaking(qBound(0, s.handshaking - 1, 3));
    m_port->setDTREnable(false);
    m_port->setRTSEnable(rtsHandshake);
    if (!m_port->setPortOpen(true))
        return false;
    if (s.powerLine == QLatin1Char('R'))
        m_port->setRTSEnable(true);
    else if (s.powerLine == QLatin1Char('D'))
        m_port->setDTREnable(true);
    emit opened();
    return true;
}

bool TncSpotSource::isOpen() const
{
    return m_port->PortOpen();
}

bool TncSpotSource::sendLine(const QString& text)
{
    if (!isOpen())
        return false;
    m_text.lineSent();
    m_port->Output(text.toLatin1() + '\r');
    return true;
}

bool TncSpotSource::sendBytes(const QByteArray& bytes)
{
    if (!isOpen())
        return false;
    m_port->Output(bytes);
    return true;
}

bool TncSpotSource::sendCommandCharacter(const QString& hex)
{
    bool ok = false;
    const uint byte = hex.trimmed().toUInt(&ok, 16);
    if (!ok || byte > 0xFF || !isOpen())
        return false;
    m_port->Output(QByteArray(1, static_cast<char>(byte)));
    return true;
}

void TncSpotSource::close()
{
    m_port->setPortOpen(false);
    m_text.clear();
}

void TncSpotSource::poll()
{
    if (!isOpen())
        return;
    const QByteArray bytes = m_port->Input();
    if (bytes.isEmpty())
        return;
    for (const QString& line : m_text.feed(bytes))
        emit lineReceived(line);
    if (const auto prompt = m_text.takePrompt())
        emit promptReceived(*prompt);
}
