#include "spots/TelnetSpotSource.h"

#include "spots/SocketErrorText.h"

#include <QTimer>

TelnetSpotSource::TelnetSpotSource(QObject* parent) : SpotSource(parent)
{
    // Reads stay small so a flood is handled in slices between other events.
    m_socket.setReadBufferSize(64 * 1024);
    connect(&m_socket, &QTcpSocket::connected, this, &SpotSource::opened);
    connect(&m_socket, &QTcpSocket::readyRead, this, &TelnetSpotSource::readAvailable);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &TelnetSpotSource::socketError);
}

void TelnetSpotSource::open(const QString& host, quint16 port)
{
    close();
    m_socket.connectToHost(host, port);
}

bool TelnetSpotSource::isOpen() const
{
    return m_socket.state() == QAbstractSocket::ConnectedState;
}

bool TelnetSpotSource::sendLine(const QString& text)
{
    if (!isOpen())
        return false;
    m_text.lineSent();
    m_socket.write(text.toLatin1() + "\r\n");
    return true;
}

void TelnetSpotSource::close()
{
    m_socket.abort();
    m_text.clear();
}

void TelnetSpotSource::readAvailable()
{
    // A bounded slice per turn of the event loop: under a flood the rest waits for the next
    // turn, so timers, paints and keys run in between. Bytes without line ends cost little and
    // go through in bigger pieces.
    qint64 bytes = 0;
    int lineCount = 0;
    while (m_socket.bytesAvailable() > 0 && bytes < kSliceBytes && lineCount < kSliceLines) {
        const QByteArray chunk = m_socket.read(kReadBytes);
        bytes += chunk.size();
        const QStringList lines = m_text.feed(chunk);
        lineCount += static_cast<int>(lines.size());
        for (const QString& line : lines)
            emit lineReceived(line);
    }
    if (const auto prompt = m_text.takePrompt())
        emit promptReceived(*prompt);
    if (m_socket.bytesAvailable() > 0 && !m_sliceQueued) {
        m_sliceQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_sliceQueued = false;
            readAvailable();
        });
    }
}

void TelnetSpotSource::socketError(QAbstractSocket::SocketError error)
{
    if (error == QAbstractSocket::RemoteHostClosedError) {
        // The last lines the cluster sent come before the news that it left.
        while (m_socket.bytesAvailable() > 0)
            readAvailable();
        emit closedByPeer();
        return;
    }
    const QString text = socketErrorText(error);
    m_socket.abort();
    emit failed(text);
}
