#include "ClusterReplayServer.h"

ClusterReplayServer::ClusterReplayServer(Script script) : m_script(std::move(script))
{
    m_server.listen(QHostAddress::LocalHost);
    m_pace.setInterval(0);
    connect(&m_pace, &QTimer::timeout, this, &ClusterReplayServer::writeNext);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        m_client = m_server.nextPendingConnection();
        m_client->write(m_script.prompt);
        connect(m_client, &QTcpSocket::readyRead, this, [this] {
            received += m_client->readAll();
            if (received.contains("\r\n") && !m_pace.isActive() && m_sent == 0)
                m_pace.start();
        });
        if (!m_script.waitForLogin)
            m_pace.start();
    });
}

void ClusterReplayServer::writeNext()
{
    if (!m_client)
        return m_pace.stop();
    const QByteArray part = m_script.session.mid(m_sent, m_script.chunk);
    m_client->write(part);
    m_sent += part.size();
    if (m_sent >= m_script.session.size()) {
        m_pace.stop();
        finished = true;
        if (m_script.closeAfter)
            m_client->disconnectFromHost();
    }
}
