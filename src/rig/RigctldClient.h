#pragma once

// Hamlib's rigctld speaks one command per line over TCP (default port 4532):
//   "f\n"          -> "14025000\n"            frequency in Hz
//   "m\n"          -> "CW\n500\n"             mode, then passband in Hz
//   "F 14025000\n" -> "RPRT 0\n"              set frequency
//   "M CW 0\n"     -> "RPRT 0\n"              set mode (passband 0: the rig's default)
// Errors come back as "RPRT -n". The frames are built in RigFrames and read in RigParsers;
// this class only owns the socket, with the same queue-and-take shape as SerialPort so the
// poller drives both alike.

#include <QByteArray>
#include <QObject>
#include <QString>

class QTcpSocket;

class RigctldClient : public QObject {
    Q_OBJECT
public:
    // At most `readLimit` received bytes wait in memory; beyond that the peer is held back by
    // TCP flow control.
    explicit RigctldClient(qint64 readLimit, QObject* parent = nullptr);

    // Starts connecting; the outcome arrives as connected() or failed().
    void open(const QString& host, quint16 port);
    void close();
    bool isOpen() const; // connecting or connected
    bool isConnected() const;
    void Output(const QByteArray& bytes);
    QByteArray Input();
    qint64 OutBufferCount() const;
    qint64 InBufferCount() const;

signals:
    void connected();
    void failed(const QString& reason);

private:
    QTcpSocket* m_socket;
};
