#pragma once

#include <QByteArray>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A loopback DX cluster: greets with a prompt, and once a line comes back replays a recorded
// session in small writes that end mid-line, then closes when told to.
class ClusterReplayServer : public QObject {
    Q_OBJECT
public:
    struct Script {
        QByteArray prompt = "login: ";
        QByteArray session; // sent after the login line (at once when waitForLogin is false)
        bool waitForLogin = true;
        bool closeAfter = true; // close the connection once the session is out
        int chunk = 7;          // bytes per write
    };

    explicit ClusterReplayServer(Script script);
    quint16 port() const { return m_server.serverPort(); }
    QByteArray received;   // everything the client sent
    bool finished = false; // the whole session was written

private:
    void writeNext();

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
