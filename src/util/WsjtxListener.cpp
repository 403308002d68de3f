#include "util/WsjtxListener.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

WsjtxListener::WsjtxListener(QObject* parent) : QObject(parent) {}

WsjtxListener::~WsjtxListener() = default;

bool WsjtxListener::apply(const Settings& settings)
{
    stop();
    m_settings = settings;
    if (!settings.enabled)
        return true;

    m_socket = new QUdpSocket(this);
    const bool multicast = !settings.multicastGroup.trimmed().isEmpty();
    const QHostAddress group(settings.multicastGroup.trimmed());
    const QHostAddress address(settings.address.trimmed());
    QString problem;
    if (multicast && !group.isMulticast()) {
        problem = QStringLiteral("%1 is not a multicast group.").arg(settings.multicastGroup);
    } else if (!multicast && address.isNull()) {
        problem = QStringLiteral("%1 is not an IP address.").arg(settings.address);
    } else if (multicast) {
        // WSJT-X's multicast mode is meant for several programs listening at once.
        const auto any =
            group.protocol() == QAbstractSocket::IPv6Protocol ? QHostAddress::AnyIPv6 : QHostAddress::AnyIPv4;
        if (!m_socket->bind(QHostAddress(any), settings.port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
            problem = m_socket->errorString();
        else if (!m_socket->joinMulticastGroup(group))
            problem = QStringLiteral("Cannot join %1: %2").arg(settings.multicastGroup, m_socket->errorString());
    } else if (!m_socket->bind(address, settings.port)) {
        problem = m_socket->errorString();
    }
    if (!problem.isEmpty()) {
        stop();
        emit failed(QStringLiteral("WSJT-X listener on port %1 not started: %2").arg(settings.port).arg(problem));
        return false;
    }
    connect(m_socket, &QUdpSocket::readyRead, this, &WsjtxListener::readPending);
    return true;
}

void WsjtxListener::stop()
{
    if (!m_socket)
        return;
    m_socket->close();
    m_socket->deleteLater();
    m_socket = nullptr;
}

bool WsjtxListener::listening() const
{
    return m_socket && m_socket->state() == QAbstractSocket::BoundState;
}

quint16 WsjtxListener::boundPort() const
{
    return m_socket ? m_socket->localPort() : 0;
}

void WsjtxListener::readPending()
{
    while (m_socket && m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        const Wsjtx::Decoded d = Wsjtx::decode(datagram.data());
        if (d.kind == Wsjtx::Decoded::Kind::QsoLogged)
            emit qsoLogged(*d.qso);
        else if (d.kind == Wsjtx::Decoded::Kind::Malformed)
            emit malformed(d.error);
    }
}
