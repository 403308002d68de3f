#pragma once

#include <QByteArray>
#include <QTcpServer>

class QTcpSocket;

// Something listening where rigctld should be, on a loopback port: it answers every request
// line with `reply`, or, in flood mode, writes `reply` over and over without waiting to be
// asked and without ever reading.
class NoisyRigctld : public QObject {
    Q_OBJECT
public:
    explicit NoisyRigctld(QByteArray reply, bool flood = false, QObject* parent = nullptr);

    quint16 port() const { return m_server.serverPort(); }
    qint64 written() const { return m_written; }

private:
    void pump(QTcpSocket* s);

    QTcpServer m_server;
    QByteArray m_reply;
    bool m_flood;
    qint64 m_written = 0;
};
