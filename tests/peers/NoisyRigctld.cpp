#include "peers/NoisyRigctld.h"

#include <QTcpSocket>

namespace {
// Enough queued to keep the kernel's buffers full without piling up here.
constexpr qint64 kFloodQueue = 256 * 1024;
} // namespace

NoisyRigctld::NoisyRigctld(QByteArray reply, bool flood, QObject* parent)
    : QObject(parent), m_reply(std::move(reply)), m_flood(flood)
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = m_server.nextPendingConnection()) {
            if (m_flood) {
                connect(s, &QTcpSocket::bytesWritten, this, [this, s] { pump(s); });
                pump(s);
            } else {
                connect(s, &QTcpSocket::readyRead, this, [this, s] {
                    const int lines = static_cast<int>(s->readAll().count('\n'));
                    for (int i = 0; i < lines; ++i)
                        m_written += s->write(m_reply);
                });
            }
        }
    });
}

void NoisyRigctld::pump(QTcpSocket* s)
{
    while (s->bytesToWrite() < kFloodQueue)
        m_written += s->write(m_reply);
}
