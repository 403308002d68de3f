#pragma once

#include "util/WsjtxMessage.h"

#include <QHostAddress>
#include <QObject>
#include <QString>

class QUdpSocket;

// Listens for WSJT-X's UDP messages (WsjtxMessage.h) and hands on each logged contact. Owned
// by the application for the whole run; the Options window changes its settings.
class WsjtxListener : public QObject {
    Q_OBJECT
public:
    struct Settings {
        bool enabled = true;
        QString address = QStringLiteral("127.0.0.1");
        quint16 port = 2237;
        QString multicastGroup; // empty: unicast to `address`
        friend bool operator==(const Settings&, const Settings&) = default;
    };

    explicit WsjtxListener(QObject* parent = nullptr);
    ~WsjtxListener() override;

    // Closes the socket and, when enabled, binds again with the new settings. False (after
    // emitting failed) when the address cannot be bound or the group joined.
    bool apply(const Settings& settings);
    void stop();
    bool listening() const;
    const Settings& settings() const { return m_settings; }
    // The port actually bound (differs from the setting only for port 0).
    quint16 boundPort() const;

signals:
    void qsoLogged(const Wsjtx::QsoLogged& qso);
    // A datagram on the port that is not a WSJT-X message we can read.
    void malformed(const QString& reason);
    void failed(const QString& text);

private:
    void readPending();

    Settings m_settings;
    QUdpSocket* m_socket = nullptr;
};
