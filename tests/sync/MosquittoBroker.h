#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real mosquitto on a free loopback port, with a password file made by mosquitto_passwd and
// no persistence (a restart loses every retained message, the hardest case for the stations).
// The configuration names the current user: mosquitto started as root would otherwise drop to
// its own user and could not read the files.
class MosquittoBroker {
public:
    static constexpr const char* User = "club";
    static constexpr const char* Password = "fieldday";

    // With `tls`, the listener speaks TLS only, with a certificate for 127.0.0.1 made here with
    // openssl (caFile()).
    explicit MosquittoBroker(bool tls = false) : m_tls(tls) {}
    ~MosquittoBroker() { kill(); }

    // Writes the files on first use, starts the broker and waits until it accepts connections.
    // False (with the reason in error()) when mosquitto or mosquitto_passwd is missing or fails.
    bool start();
    void kill();
    quint16 port() const { return m_port; }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    const QString& error() const { return m_error; }
    QString caFile() const { return m_dir.filePath(QStringLiteral("ca.crt")); }

private:
    bool run(const QString& program, const QStringList& args);

    bool m_tls = false;
    QTemporaryDir m_dir;
    QProcess m_broker;
    quint16 m_port = 0;
    QString m_error;
};

// A loopback port nothing listens on (free when asked).
quint16 freeLoopbackPort();
