#include "rig/RigctldClient.h"

#include <QTcpSocket>

RigctldClient::RigctldClient(qint64 readLimit, QObject* parent) : QObject(parent), m_socket(new QTcpSocket(this))
{
    m_socket->setReadBufferSize(readLimit);
    connect(m_socket, &QTcpSocket::connected, this, &RigctldClient::connected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        const QString reason = m_socket->errorString();
        // Aborting inside the socket's own error signal is not safe; let it return first.
        QMetaObject::invokeMethod(
            this,
            [this, reason] {
                m_socket->abort();
                emit failed(reason);
            },
            Qt::QueuedConnection);
    });
}

void RigctldClient::open(const QString& host, quint16 port)
{
    m_socket->abort();
    m_socket->connectToHost(host, port);
}

void RigctldClient::close()
{
    m_socket->abort();
}

bool RigctldClient::isOpen() const
{
    return m_socket->state() != QAbstractSocket::UnconnectedState;
}

bool RigctldClient::isConnected() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

void RigctldClient::Output(const QByteArray& bytes)
{
    if (isConnected())
        m_socket->write(bytes);
}

QByteArray RigctldClient::Input()
{
    return m_socket->readAll();
}

qint64 RigctldClient::OutBufferCount() const
{
    return m_socket->bytesToWrite();
}

qint64 RigctldClient::InBufferCount() const
{
    return m_socket->bytesAvailable();
}
