#pragma once

#include <QByteArray>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A loopback DX cluster: greets with a prompt, and once a line comes back replays a recorded
// session in small writes that end mid-line, then closes when told to.
class ClusterReplayServer : public QObject {
public:
    struct Script {
        QByteArray prompt = "login: ";
        QByteArray session;     // sent after the login line
        bool closeAfter = true; // close the connection once the session is out
    };

    explicit ClusterReplayServer(Script script) : m_script(std::move(script))
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
        });
    }
    quint16 port() const { return m_server.serverPort(); }
    QByteArray received;   // everything the client sent
    bool finished = false; // the whole session was written

private:
    void writeNext()
    {
        if (!m_client)
            return m_pace.stop();
        const QByteArray part = m_script.session.mid(m_sent, 7);
        m_client->write(part);
        m_sent += part.size();
        if (m_sent >= m_script.session.size()) {
            m_pace.stop();
            finished = true;
            if (m_script.closeAfter)
                m_client->disconnectFromHost();
        }
    }

    Script m_script;
    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
    QTimer m_pace;
    qsizetype m_sent = 0;
};

// A loopback port nothing listens on: bound once, then let go.
inline quint16 closedLoopbackPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}
