#include "keying/CwdaemonClient.h"

#include <QUdpSocket>

CwdaemonClient::CwdaemonClient(QObject* parent) : QObject(parent), m_socket(new QUdpSocket(this))
{
    m_socket->bind(QHostAddress(QHostAddress::AnyIPv4), 0);
    connect(m_socket, &QUdpSocket::readyRead, this, &CwdaemonClient::readReplies);
}

bool CwdaemonClient::setTarget(const QString& hostPort)
{
    const qsizetype colon = hostPort.lastIndexOf(QLatin1Char(':'));
    const QString host = colon < 0 ? hostPort : hostPort.left(colon);
    bool ok = true;
    const int port = colon < 0 ? 6789 : hostPort.mid(colon + 1).toInt(&ok);
    QHostAddress address;
    if (host == QLatin1String("localhost"))
        address = QHostAddress::LocalHost;
    else if (!address.setAddress(host))
        return false;
    if (!ok || port <= 0 || port > 65535)
        return false;
    m_host = address;
    m_port = static_cast<quint16>(port);
    return true;
}

QString CwdaemonClient::target() const
{
    return QStringLiteral("%1:%2").arg(m_host.toString()).arg(m_port);
}

QByteArray CwdaemonClient::speedRequest(int wpm)
{
    return "\x1b"
           "2" +
           QByteArray::number(wpm);
}

QByteArray CwdaemonClient::echoRequest(const QString& tag)
{
    return "\x1b"
           "h" +
           tag.toLatin1();
}

QByteArray CwdaemonClient::abortRequest()
{
    return QByteArrayLiteral("\x1b"
                             "4");
}

void CwdaemonClient::write(const QByteArray& datagram)
{
    m_queue.append(datagram);
    flush();
}

void CwdaemonClient::flush()
{
    while (!m_awaitingEcho && !m_queue.isEmpty()) {
        const QByteArray d = m_queue.takeFirst();
        m_socket->writeDatagram(d, m_host, m_port);
        m_awaitingEcho = d.startsWith("\x1b"
                                      "h");
    }
}

void CwdaemonClient::setSpeed(int wpm)
{
    write(speedRequest(wpm));
}

void CwdaemonClient::send(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('!'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            requestEcho(QStringLiteral("!%1").arg(++m_marks));
        if (!parts[i].isEmpty())
            write(parts[i].toLatin1());
    }
}

void CwdaemonClient::requestEcho(const QString& tag)
{
    write(echoRequest(tag));
}

void CwdaemonClient::abort()
{
    m_queue.clear();
    m_awaitingEcho = false;
    m_socket->writeDatagram(abortRequest(), m_host, m_port);
}

void CwdaemonClient::readReplies()
{
    while (m_socket->hasPendingDatagrams()) {
        QByteArray reply(static_cast<int>(m_socket->pendingDatagramSize()), '\0');
        m_socket->readDatagram(reply.data(), reply.size());
        if (!reply.startsWith('h'))
            continue;
        const QString tag = QString::fromLatin1(reply.mid(1).trimmed());
        m_awaitingEcho = false;
        flush();
        if (tag.startsWith(QLatin1Char('!')))
            emit logMarkReached();
        else
            emit echoed(tag);
    }
}
