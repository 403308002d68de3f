#include "spots/SpotSession.h"

#include "spots/SpotBoard.h"

namespace {
const QString kTelnet = QStringLiteral("Telnet");
const QString kTnc = QStringLiteral("TNC");
const QString kAgw = QStringLiteral("AGW Packet Engine");
const QString kNone = QStringLiteral("None");
const QString kBreak = QStringLiteral("\r\n");
} // namespace

SpotSession::SpotSession(SpotBoard& board, QObject* parent) : QObject(parent), m_board(board)
{
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &SpotSession::pollTick);
    connect(&m_telnet, &SpotSource::lineReceived, this, &SpotSession::takeLine);
    connect(&m_telnet, &SpotSource::promptReceived, this, [this](const QString& prompt) { append(prompt); });
    connect(&m_telnet, &SpotSource::failed, this, &SpotSession::sourceFailed);
    connect(&m_telnet, &SpotSource::closedByPeer, this,
            [this] { sourceFailed(QStringLiteral("ERROR: The connection is reset by remote side.!")); });
}

QString SpotSession::sendPrompt() const
{
    if (m_settings.source == kTnc)
        return QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):");
    if (m_settings.source == kAgw)
        return QStringLiteral("Send text (use : to send cmds such as :C VESKA or :D)");
    return QStringLiteral("Type text to send and press enter:");
}

void SpotSession::chooseSource(const QString& source)
{
    if (m_listening)
        closePort();
    m_settings.source = source;
    if (source == kTnc) {
        m_settings.baud = QStringLiteral("9600");
        m_settings.parity = QStringLiteral("N");
        m_settings.dataBits = QStringLiteral("8");
        m_settings.stopBits = QStringLiteral("1");
        m_settings.handshaking = 3;
        m_settings.tncCommandChar = QStringLiteral("03");
    }
}

void SpotSession::openPort()
{
    append(QStringLiteral("** Attempting to Open Port **") + kBreak + kBreak);
    if (m_settings.source == kNone)
        return;
    m_listening = true;
    emit listeningChanged(true);
    if (m_settings.source == kTelnet) {
        m_telnet.close();
        m_telnet.open(m_settings.telnetHost, static_cast<quint16>(m_settings.telnetPort.toUInt()));
        append(QStringLiteral("Attempting connection to: ") + m_settings.telnetHost + QLatin1Char(':') +
               m_settings.telnetPort + kBreak + kBreak);
    }
    m_ticks = 0;
    m_poll.start();
}

void SpotSession::closePort()
{
    if (m_listening) {
        m_listening = false;
        emit listeningChanged(false);
        append(kBreak + QStringLiteral("** Port Closed **"));
        m_telnet.close();
    }
    m_poll.stop();
}

void SpotSession::sendText(const QString& text)
{
    if (!m_listening)
        openPort();
    if (m_settings.source == kTelnet && !m_telnet.sendLine(text))
        append(kBreak + QStringLiteral("**  Connection not yet established.  Please wait a moment and try again.") +
               kBreak);
}

void SpotSession::pollTick()
{
    if (++m_ticks % kTicksPerDisplayRefresh == 0)
        emit displayRefreshDue();
}

void SpotSession::append(const QString& text)
{
    m_received.append(text);
    emit textChanged();
}

void SpotSession::takeLine(const QString& line)
{
    const std::optional<SpotLine> spot = m_received.takeLine(line, m_settings.listDxOnly != 0);
    emit textChanged();
    if (spot)
        m_board.BandMapSpots(spot->call, spot->frequencyKHz, spot->record);
}

void SpotSession::sourceFailed(const QString& text)
{
    m_telnet.close();
    append(text);
    closePort();
    emit beep();
}
