#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>
#include <utility>
#include <vector>

// A loopback relay between one station and the broker that the test can cut and mend, as a
// pulled network cable would: cut() drops every connection and refuses new ones.
class BrokerLink {
public:
    explicit BrokerLink(quint16 brokerPort) : m_brokerPort(brokerPort)
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] { accept(); });
        m_server.listen(QHostAddress::LocalHost, 0);
        m_port = m_server.serverPort();
    }
    quint16 port() const { return m_port; }

    void cut()
    {
        m_server.close();
        for (auto& [in, out] : m_pairs) {
            in->abort();
            out->abort();
        }
        m_pairs.clear();
    }
    bool mend() { return m_server.listen(QHostAddress::LocalHost, m_port); }

private:
    void accept()
    {
        while (QTcpSocket* in = m_server.nextPendingConnection()) {
            auto* out = new QTcpSocket(in);
            QObject::connect(in, &QTcpSocket::readyRead, out, [in, out] { out->write(in->readAll()); });
            QObject::connect(out, &QTcpSocket::readyRead, in, [in, out] { in->write(out->readAll()); });
            QObject::connect(out, &QTcpSocket::disconnected, in, &QTcpSocket::disconnectFromHost);
            QObject::connect(in, &QTcpSocket::disconnected, out, &QTcpSocket::disconnectFromHost);
            out->connectToHost(QHostAddress::LocalHost, m_brokerPort);
            m_pairs.emplace_back(std::unique_ptr<QTcpSocket>(in), out);
        }
    }

    QTcpServer m_server;
    quint16 m_brokerPort;
    quint16 m_port = 0;
    std::vector<std::pair<std::unique_ptr<QTcpSocket>, QTcpSocket*>> m_pairs;
};
