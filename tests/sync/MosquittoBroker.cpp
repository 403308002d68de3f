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

bool MosquittoBroker::start()
{
    if (m_port == 0) {
        m_port = freeLoopbackPort();
        const QString passwordFile = m_dir.filePath(QStringLiteral("passwd"));
        QProcess mp;
        mp.start(QStringLiteral("mosquitto_passwd"), {QStringLiteral("-c"), QStringLiteral("-b"), passwordFile,
                                                      QString::fromLatin1(User), QString::fromLatin1(Password)});
        if (!mp.waitForFinished(10000) || mp.exitStatus() != QProcess::NormalExit || mp.exitCode() != 0) {
            m_error = QStringLiteral("mosquitto_passwd failed: %1 %2")
                          .arg(mp.errorString(), QString::fromLocal8Bit(mp.readAll()));
            return false;
        }
        const struct passwd* pw = getpwuid(geteuid());
        QFile conf(m_dir.filePath(QStringLiteral("mosquitto.conf")));
        if (!pw || !conf.open(QIODevice::WriteOnly)) {
            m_error = QStringLiteral("cannot write the broker configuration");
            return false;
        }
        conf.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous false\npassword_file %2\n"
                                  "persistence false\nuser %3\n")
                       .arg(m_port)
                       .arg(passwordFile, QString::fromLocal8Bit(pw->pw_name))
                       .toLocal8Bit());
    }
    m_broker.setProcessChannelMode(QProcess::MergedChannels);
    m_broker.start(QStringLiteral("mosquitto"),
                   {QStringLiteral("-c"), m_dir.filePath(QStringLiteral("mosquitto.conf"))});
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
