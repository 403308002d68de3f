#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>

class QUdpSocket;

// A running cwdaemon, over UDP (default 127.0.0.1:6789). Plain datagrams are text to send;
// requests start with ESC (0x1B): "2<wpm>" speed, "4" abort, "h<tag>" asks the daemon to
// answer "h<tag>\r\n" once everything queued before it has been keyed. The daemon keeps
// only the latest such request, so one is in flight at a time and what follows it waits for
// its answer. A '!' in the text becomes one, so the contact is logged when the daemon reaches it.
class CwdaemonClient : public QObject {
    Q_OBJECT
public:
    explicit CwdaemonClient(QObject* parent = nullptr);

    // "HOST:PORT" or "HOST"; false when it is no address.
    bool setTarget(const QString& hostPort);
    QString target() const;

    void setSpeed(int wpm);
    // Text up to each '!' goes out as it is; each '!' becomes an echo request "!<n>".
    void send(const QString& text);
    // Asks for an answer once what is queued has been keyed; echoed(tag) then follows.
    void requestEcho(const QString& tag);
    void abort();

    // Datagram frames, for the tests and the sender.
    static QByteArray speedRequest(int wpm);
    static QByteArray echoRequest(const QString& tag);
    static QByteArray abortRequest();

signals:
    void echoed(const QString& tag);
    void logMarkReached();

private:
    void readReplies();
    void flush();
    void write(const QByteArray& datagram);

    QUdpSocket* m_socket;
    QHostAddress m_host{QHostAddress::LocalHost};
    quint16 m_port = 6789;
    int m_marks = 0;
    QList<QByteArray> m_queue; // datagrams held behind the echo request in flight
    bool m_awaitingEcho = false;
};
