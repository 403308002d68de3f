#include "spots/SpotSession.h"

#include "rig/RigFrames.h"
#include "rig/SerialPort.h"
#include "rig/SerialPortTable.h"
#include "settings/UserSettingsStore.h"
#include "spots/SpotBoard.h"

namespace {
const QString kTelnet = QStringLiteral("Telnet");
const QString kTnc = QStringLiteral("TNC");
const QString kAgw = QStringLiteral("AGW Packet Engine");
const QString kNone = QStringLiteral("None");
const QString kBreak = QStringLiteral("\r\n");
const QString kTitle = QStringLiteral("DX Spotting Setup");
const QString kAgwHostKey = QStringLiteral("SpotAgwHost");
const QString kAgwPortKey = QStringLiteral("SpotAgwPort");
const QString kPeerReset = QStringLiteral("ERROR: The connection is reset by remote side.!");
} // namespace

SpotSession::SpotSession(SpotBoard& board, QObject* parent)
    : QObject(parent), m_board(board), m_tnc(SerialPortTable::systemDefault()), m_title(kTitle)
{
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &SpotSession::pollTick);
    for (SpotSource* source :
         {static_cast<SpotSource*>(&m_telnet), static_cast<SpotSource*>(&m_tnc), static_cast<SpotSource*>(&m_agw)}) {
        connect(source, &SpotSource::lineReceived, this, &SpotSession::takeLine);
        connect(source, &SpotSource::promptReceived, this, [this](const QString& prompt) { append(prompt); });
        connect(source, &SpotSource::closedByPeer, this, [this] { sourceFailed(kPeerReset); });
    }
    connect(&m_telnet, &SpotSource::failed, this, &SpotSession::sourceFailed);
    connect(&m_tnc, &SpotSource::failed, this, &SpotSession::sourceFailed);
    connect(&m_agw, &SpotSource::opened, this,
            [this] { append(QStringLiteral("** Successfully connected to AGW Packet Engine **") + kBreak); });
    connect(&m_agw, &SpotSource::failed, this, [this](const QString& text) {
        if (m_agw.isOpen() || !m_listening)
            return sourceFailed(text);
        // Never reached the engine: the operator has to start it first.
        stopListening();
        emit message(QStringLiteral("The AGW Packet Engine did not answer (%1).  Please run and configure the "
                                    "AGW Packet Engine, then click Open Port.")
                         .arg(text),
                     QStringLiteral("Unable to connect to the AGW Packet Engine."));
    });
    connect(&m_agw, &AgwSpotSource::stationConnected, this, [this](const QString& call) {
        append(QStringLiteral("** Connected to ") + call + QStringLiteral(" **") + kBreak);
        setTitle(kTitle + QStringLiteral(" - Connected to ") + call);
    });
    connect(&m_agw, &AgwSpotSource::stationDisconnected, this, [this](const QString& call) {
        append(QStringLiteral("** Disconnected from ") + call + QStringLiteral(" **") + kBreak);
        setTitle(kTitle);
    });
}

SpotSession::~SpotSession()
{
    if (m_listening)
        m_agw.close();
}

QString SpotSession::sendPrompt() const
{
    if (m_settings.source == kTnc)
        return QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):");
    if (m_settings.source == kAgw)
        return QStringLiteral("Send text (use : to send cmds such as :C VESKA or :D)");
    return QStringLiteral("Type text to send and press enter:");
}

void SpotSession::setAgwAddress(const QString& host, quint16 port)
{
    m_agwHost = host;
    m_agwPort = port;
}

void SpotSession::loadAgwAddress(const UserSettingsStore& store)
{
    const QString host = store.value(kAgwHostKey).trimmed();
    bool ok = false;
    const uint port = store.value(kAgwPortKey).toUInt(&ok);
    setAgwAddress(host.isEmpty() ? QString::fromLatin1(kAgwHost) : host,
                  ok && port > 0 && port <= 0xFFFF ? quint16(port) : kAgwPort);
}

void SpotSession::saveAgwAddress(UserSettingsStore& store) const
{
    store.setValue(kAgwHostKey, m_agwHost);
    store.setValue(kAgwPortKey, QString::number(m_agwPort));
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
    m_tnc.close();
    if (m_settings.source == kNone)
        return;
    m_listening = true;
    emit listeningChanged(true);
    m_ticks = 0;
    m_poll.start();
    if (m_settings.source == kTelnet) {
        m_telnet.close();
        m_telnet.open(m_settings.telnetHost, static_cast<quint16>(m_settings.telnetPort.toUInt()));
        append(QStringLiteral("Attempting connection to: ") + m_settings.telnetHost + QLatin1Char(':') +
               m_settings.telnetPort + kBreak + kBreak);
    } else if (m_settings.source == kTnc) {
        openTnc();
    } else if (m_settings.source == kAgw) {
        openAgw();
    }
}

void SpotSession::openTnc()
{
    TncSpotSource::Settings s;
    s.port = m_settings.port;
    s.settings = m_settings.baud + QLatin1Char(',') + m_settings.parity + QLatin1Char(',') + m_settings.dataBits +
                 QLatin1Char(',') + m_settings.stopBits;
    s.handshaking = m_settings.handshaking;
    s.powerLine = m_settings.powerLine.isEmpty() ? QLatin1Char('N') : m_settings.powerLine[0];
    if (m_tnc.open(s)) {
        append(QStringLiteral("** TNC Serial Port Open **") + kBreak + kBreak);
        return;
    }
    stopListening();
    append(QStringLiteral("** Unable to open TNC Serial Port **"));
    const PortOpenFailure f = portOpenFailure(PortUser::Tnc);
    emit message(f.text, f.title);
}

void SpotSession::openAgw()
{
    if (m_board.ownCall().isEmpty()) {
        stopListening();
        emit message(QStringLiteral("Please enter your call sign on the setup form to transmit!"),
                     QStringLiteral("Call Sign Required!"));
        return;
    }
    m_agw.open(m_agwHost, m_agwPort, m_board.ownCall());
}

void SpotSession::closePort()
{
    if (m_listening) {
        append(kBreak + QStringLiteral("** Port Closed **"));
        m_tnc.close();
        m_telnet.close();
        m_agw.close();
        setTitle(kTitle);
    }
    stopListening();
}

void SpotSession::stopListening()
{
    m_poll.stop();
    if (!m_listening)
        return;
    m_listening = false;
    emit listeningChanged(false);
}

void SpotSession::sendText(const QString& text)
{
    if (!m_listening)
        openPort();
    if (m_settings.source == kTelnet && !m_telnet.sendLine(text))
        append(kBreak + QStringLiteral("**  Connection not yet established.  Please wait a moment and try again.") +
               kBreak);
    else if (m_settings.source == kTnc && m_settings.convertToHex != 0)
        m_tnc.sendBytes(RigFrames::spacedHexToBytes(text));
    else if (m_settings.source == kTnc)
        m_tnc.sendLine(text);
    else if (m_settings.source == kAgw)
        sendToAgw(text);
}

void SpotSession::sendToAgw(const QString& text)
{
    if (m_agw.sendCommandLine(text) == AgwSpotSource::LineResult::NeedsCall)
        emit message(QStringLiteral("You must enter a call sign to connect to such as :C VESKA"),
                     QStringLiteral("Call sign Required"));
}

void SpotSession::sendCommandCharacter()
{
    m_settings.listDxOnly = 0;
    if (!m_listening)
        openPort();
    if (m_settings.source == kTnc)
        m_tnc.sendCommandCharacter(m_settings.tncCommandChar);
}

void SpotSession::pollTick()
{
    if (m_settings.source == kTnc)
        m_tnc.poll();
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
    m_tnc.close();
    append(text);
    closePort();
    emit beep();
}

void SpotSession::setTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit titleChanged(title);
}
