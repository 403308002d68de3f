#pragma once

#include "spots/AgwFrame.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <vector>

// A packet engine of our own on loopback. Answers register with OK, a connect with the CONNECTED notice followed by the
// node's data (split across frames mid-line), and a disconnect with the DISCONNECTED notice.
class LoopbackEngine : public QObject {
public:
    QByteArray nodeData = "Hello from GB7DJK\rDX de K1TTT:     14025.0  W1";
    QByteArray nodeData2 = "AW         CW\r";
    std::vector<AgwFrame> received;
    bool lieAboutLength = false;

    LoopbackEngine()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            m_client = m_server.nextPendingConnection();
            connect(m_client, &QTcpSocket::readyRead, this, [this] {
                for (const AgwFrame& f : m_reader.feed(m_client->readAll()))
                    answer(f);
            });
        });
    }
    quint16 port() const { return m_server.serverPort(); }

private:
    void reply(char kind, const QString& from, const QByteArray& data)
    {
        QByteArray bytes = AgwFrame{.kind = kind, .callFrom = from, .callTo = "N0CALL", .data = data}.encode();
        if (lieAboutLength && kind == 'D')
            bytes[31] = '\x40';
        m_client->write(bytes);
    }
    void answer(const AgwFrame& f)
    {
        received.push_back(f);
        if (f.kind == 'X') {
            reply('X', f.callFrom, QByteArray(1, '\1'));
        } else if (f.kind == 'C') {
            reply('C', f.callTo, "*** CONNECTED With Station " + f.callTo.toLatin1() + "\r" + '\0');
            reply('D', f.callTo, nodeData);
            reply('D', f.callTo, nodeData2);
        } else if (f.kind == 'd') {
            reply('d', f.callTo, "*** DISCONNECTED From Station " + f.callTo.toLatin1() + "\r" + '\0');
        }
    }

    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
    AgwFrameReader m_reader;
};
