#include "rig/SerialPort.h"

#include <QSerialPort>

SerialPort::SerialPort(SerialPortTable table, QObject* parent)
    : QObject(parent), m_table(std::move(table)), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError e) { onError(static_cast<int>(e)); });
}

SerialPort::~SerialPort() = default;

std::optional<SerialPort::ParsedSettings> SerialPort::parseSettings(const QString& s)
{
    const QStringList f = s.split(QLatin1Char(','));
    if (f.size() != 4)
        return std::nullopt;
    ParsedSettings p;
    bool ok = false;
    p.baud = f[0].trimmed().toInt(&ok);
    if (!ok || p.baud <= 0)
        return std::nullopt;
    const QString parity = f[1].trimmed().toUpper();
    if (parity != QLatin1String("N") && parity != QLatin1String("O") && parity != QLatin1String("E"))
        return std::nullopt;
    p.parity = parity[0].toLatin1();
    p.dataBits = f[2].trimmed().toInt(&ok);
    if (!ok || (p.dataBits != 7 && p.dataBits != 8))
        return std::nullopt;
    p.stopBits = f[3].trimmed().toInt(&ok);
    if (!ok || (p.stopBits != 1 && p.stopBits != 2))
        return std::nullopt;
    return p;
}

void SerialPort::setDTREnable(bool on)
{
    m_dtr = on;
    // A pseudo-terminal or a three-wire adapter has no modem lines; that is no reason to fail.
    if (m_port->isOpen())
        m_port->setDataTerminalReady(on);
}

void SerialPort::setRTSEnable(bool on)
{
    m_rts = on;
    // Qt refuses RTS changes under hardware flow control: the line belongs to the handshake.
    if (m_port->isOpen() && m_port->flowControl() != QSerialPort::HardwareControl)
        m_port->setRequestToSend(on);
}

bool SerialPort::PortOpen() const
{
    return m_port->isOpen();
}

bool SerialPort::setPortOpen(bool open)
{
    if (!open) {
        if (m_port->isOpen()) {
            // Hand what is still queued to the driver (without waiting) so the last command,
            // such as a rig's CAT-off bytes, is not lost with the port.
            m_port->flush();
            m_port->close();
        }
        return true;
    }
    if (m_port->isOpen())
        return true;
    const auto p = parseSettings(m_settings);
    const QString device = devicePath();
    if (!p || device.isEmpty())
        return false;
    m_port->setPortName(device);
    m_port->setBaudRate(p->baud);
    m_port->setParity(p->parity == 'O'   ? QSerialPort::OddParity
                      : p->parity == 'E' ? QSerialPort::EvenParity
                                         : QSerialPort::NoParity);
    m_port->setDataBits(p->dataBits == 7 ? QSerialPort::Data7 : QSerialPort::Data8);
    m_port->setStopBits(p->stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    // Qt has no "both": RTS/CTS is the part that matters for the radios that ask for it.
    m_port->setFlowControl(m_handshaking == 2 || m_handshaking == 3 ? QSerialPort::HardwareControl
                           : m_handshaking == 1                     ? QSerialPort::SoftwareControl
                                                                    : QSerialPort::NoFlowControl);
    if (!m_port->open(QIODevice::ReadWrite))
        return false;
    m_port->clearError();
    m_port->setDataTerminalReady(m_dtr);
    if (m_port->flowControl() != QSerialPort::HardwareControl)
        m_port->setRequestToSend(m_rts);
    m_port->clearError();
    return true;
}

void SerialPort::Output(const QByteArray& bytes)
{
    if (m_port->isOpen() && !bytes.isEmpty())
        m_port->write(bytes);
}

QByteArray SerialPort::Input()
{
    return m_port->isOpen() ? m_port->readAll() : QByteArray();
}

void SerialPort::setReadBufferSize(qint64 bytes)
{
    m_port->setReadBufferSize(bytes);
}

qint64 SerialPort::InBufferCount() const
{
    return m_port->isOpen() ? m_port->bytesAvailable() : 0;
}

qint64 SerialPort::OutBufferCount() const
{
    return m_port->isOpen() ? m_port->bytesToWrite() : 0;
}

bool SerialPort::openWith(int port, const QString& settings, int handshaking, QChar powerLine)
{
    if (PortOpen())
        setPortOpen(false);
    setCommPort(port);
    setSettings(settings);
    setHandshaking(handshaking);
    setDTREnable(false);
    setRTSEnable(false);
    if (!setPortOpen(true))
        return false;
    if (powerLine == QLatin1Char('R'))
        setRTSEnable(true);
    else if (powerLine == QLatin1Char('D'))
        setDTREnable(true);
    return true;
}

void SerialPort::onError(int error)
{
    // Line-control requests a pty or a bare adapter cannot honour are not failures of the link.
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError && error != QSerialPort::WriteError)
        return;
    if (!m_port->isOpen())
        return;
    const QString reason = m_port->errorString();
    m_port->clearError();
    // Closing from inside the notifier that reported the error is safe only once it returns.
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
            if (m_port->isOpen())
                m_port->close();
            emit failed(reason);
        },
        Qt::QueuedConnection);
}

PortOpenFailure portOpenFailure(PortUser user)
{
    switch (user) {
    case PortUser::Rig:
        return {QStringLiteral("The comm port that you selected for rig interface is either in use, invalid or "
                               "the settings that you have selected are invalid.  Please select another "
                               "combination or choose None for your rig selection."),
                QStringLiteral("Invalid Comm Settings.")};
    case PortUser::Tnc:
        return {QStringLiteral("The comm port that you selected for DX Spotting is either in use, invalid or "
                               "the settings that you have selected are invalid.  Please select another "
                               "combination or choose None for your DX Spot selection."),
                QStringLiteral("Invalid Comm Settings.")};
    case PortUser::Cw:
        return {
            QStringLiteral("The port you have selected for CW keying is invalid.  Please select another or enter 0 for "
                           "none."),
            QStringLiteral("Invalid port.")};
    case PortUser::Voice:
        return {QStringLiteral("The port you have selected for Phone keying is invalid.  Please select "
                               "another or enter 0 for none."),
                QStringLiteral("Invalid port.")};
    }
    return {};
}
