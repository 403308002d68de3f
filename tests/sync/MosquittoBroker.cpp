#include "MosquittoBroker.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <pwd.h>
#include <unistd.h>

quint16 freeLoopbackPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

bool MosquittoBroker::run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setWorkingDirectory(m_dir.path());
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return true;
    m_error = QStringLiteral("%1 failed: %2 %3").arg(program, p.errorString(), QString::fromLocal8Bit(p.readAll()));
    return false;
}

bool MosquittoBroker::start()
{
    if (m_port == 0) {
        m_port = freeLoopbackPort();
        const QString passwordFile = m_dir.filePath("passwd");
        // With TLS, one self-signed certificate for 127.0.0.1 is both the server's and the stations' CA.
        if (!run("mosquitto_passwd", {"-c", "-b", passwordFile, User, Password}) ||
            (m_tls && !run("openssl",
                           {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "server.key", "-out", "ca.crt",
                            "-days", "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"})))
            return false;
        const struct passwd* pw = getpwuid(geteuid());
        QFile conf(m_dir.filePath("mosquitto.conf"));
        if (!pw || !conf.open(QIODevice::WriteOnly)) {
            m_error = "cannot write the broker configuration";
            return false;
        }
        QString text = QString("listener %1 127.0.0.1\nallow_anonymous false\npassword_file %2\npersistence false\n"
                               "user %3\n")
                           .arg(m_port)
                           .arg(passwordFile, QString::fromLocal8Bit(pw->pw_name));
        if (m_tls)
            text += QString("cafile %1\ncertfile %1\nkeyfile %2\n").arg(caFile(), m_dir.filePath("server.key"));
        conf.write(text.toLocal8Bit());
    }
    m_broker.setProcessChannelMode(QProcess::MergedChannels);
    m_broker.start("mosquitto", {"-c", m_dir.filePath("mosquitto.conf")});
    if (!m_broker.waitForStarted(10000)) {
        m_error = QStringLiteral("mosquitto could not be started: %1").arg(m_broker.errorString());
        return false;
    }
    const bool up = QTest::qWaitFor(
        [this] {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, m_port);
            return probe.waitForConnected(200) || m_broker.state() == QProcess::NotRunning;
        },
        10000);
    if (!up || m_broker.state() == QProcess::NotRunning) {
        m_error = QStringLiteral("mosquitto did not listen: %1").arg(QString::fromLocal8Bit(m_broker.readAll()));
        return false;
    }
    return true;
}

void MosquittoBroker::kill()
{
    if (m_broker.state() == QProcess::NotRunning)
        return;
    m_broker.kill();
    m_broker.waitForFinished(5000);
}
