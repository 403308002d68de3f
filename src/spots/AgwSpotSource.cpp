#include "spots/AgwSpotSource.h"

#include "spots/SocketErrorText.h"

#include <QtEndian>

AgwSpotSource::AgwSpotSource(QObject* parent) : SpotSource(parent)
{
    connect(&m_socket, &QTcpSocket::connected, this, [this] { send('X', {}); });
    connect(&m_socket, &QTcpSocket::readyRead, this, &AgwSpotSource::readAvailable);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError) {
            readAvailable();
            emit closedByPeer();
            return;
        }
        const QString text = socketErrorText(error);
        close();
        emit failed(text);
    });
}

void AgwSpotSource::open(const QString& host, quint16 port, const QString& ownCall)
{
    close();
    m_ownCall = ownCall;
    m_socket.connectToHost(host, port);
}

AgwSpotSource::LineResult AgwSpotSource::sendCommandLine(const QString& text)
{
    if (text.startsWith(QLatin1Char(':'))) {
        const QChar verb = text.size() > 1 ? text[1].toUpper() : QChar();
        const QString argument = text.mid(2).trimmed();
        if (verb == QLatin1Char('C')) {
            if (argument.isEmpty())
                return LineResult::NeedsCall;
            connectTo(argument.toUpper());
            return LineResult::Sent;
        }
        if (verb == QLatin1Char('D')) {
            if (m_connectedCall.isEmpty())
                return LineResult::NotConnected;
            disconnectStation();
            return LineResult::Sent;
        }
    }
    if (m_connectedCall.isEmpty())
        return LineResult::NotConnected;
    send('D', m_connectedCall, text.toLatin1() + '\r');
    return LineResult::Sent;
}

void AgwSpotSource::connectTo(const QString& call)
{
    send('C', call);
}

void AgwSpotSource::disconnectStation()
{
    if (!m_connectedCall.isEmpty())
        send('d', m_connectedCall);
}

void AgwSpotSource::close()
{
    if (m_socket.state() == QAbstractSocket::ConnectedState && !m_connectedCall.isEmpty()) {
        disconnectStation();
        m_socket.flush();
    }
    m_socket.abort();
    m_reader.clear();
    m_splitter.clear();
    m_connectedCall.clear();
    m_registered = false;
}

void AgwSpotSource::readAvailable()
{
    while (m_socket.bytesAvailable() > 0) {
        for (const AgwFrame& f : m_reader.feed(m_socket.read(16 * 1024)))
            take(f);
        if (m_reader.broken()) {
            close();
            emit failed(QStringLiteral("The AGW packet engine sent a frame that cannot be read."));
            return;
        }
    }
}

void AgwSpotSource::take(const AgwFrame& frame)
{
    if (frame.kind == 'R' && frame.data.size() >= 8) {
        emit engineVersion(qFromLittleEndian<qint32>(frame.data.constData()),
                           qFromLittleEndian<qint32>(frame.data.constData() + 4));
    } else if (frame.kind == 'X') {
        m_registered = !frame.data.isEmpty() && frame.data[0] == 1;
        if (m_registered)
            emit opened();
        else
            emit failed(QStringLiteral("The AGW packet engine refused to register ") + m_ownCall + QLatin1Char('.'));
    } else if (const auto call = agwConnectedCall(frame)) {
        m_connectedCall = *call;
        emit stationConnected(*call);
    } else if (const auto gone = agwDisconnectedCall(frame)) {
        m_connectedCall.clear();
        m_splitter.clear();
        emit stationDisconnected(*gone);
    } else if (frame.kind == 'D') {
        for (const QString& line : m_splitter.feed(frame.data))
            emit lineReceived(line);
    }
}

void AgwSpotSource::send(char kind, const QString& to, const QByteArray& data)
{
    AgwFrame f;
    f.kind = kind;
    f.pid = kind == 'D' ? 0xF0 : 0;
    f.callFrom = m_ownCall;
    f.callTo = to;
    f.data = data;
    m_socket.write(f.encode());
}
