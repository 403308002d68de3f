#include "keying/CwdaemonClient.h"
#include "support/WaitFor.h"

#include <QProcess>
#include <QTimer>
#include <QUdpSocket>
#include <gtest/gtest.h>

namespace {

// The real daemon from Debian, keying nothing and making no sound.
struct Cwdaemon : ::testing::Test {
    QProcess daemon;
    quint16 port = 0;

    void SetUp() override
    {
        QUdpSocket probe; // a free port, released for the daemon
        ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
        port = probe.localPort();
        probe.close();
        daemon.start(QStringLiteral("/usr/sbin/cwdaemon"),
                     {QStringLiteral("-n"), QStringLiteral("-d"), QStringLiteral("null"), QStringLiteral("-x"),
                      QStringLiteral("n"), QStringLiteral("-p"), QString::number(port)});
        ASSERT_TRUE(daemon.waitForStarted(5000)) << "cwdaemon missing: run scripts/install-deps";
    }
    void TearDown() override
    {
        daemon.kill();
        daemon.waitForFinished(5000);
    }
};

TEST(CwdaemonFrames, Requests)
{
    EXPECT_EQ(CwdaemonClient::speedRequest(25), QByteArray("\x1b"
                                                           "225"));
    EXPECT_EQ(CwdaemonClient::echoRequest(QStringLiteral("end")), QByteArray("\x1b"
                                                                             "hend"));
    EXPECT_EQ(CwdaemonClient::abortRequest(), QByteArray("\x1b"
                                                         "4"));
    CwdaemonClient c;
    EXPECT_TRUE(c.setTarget(QStringLiteral("127.0.0.1:7000")));
    EXPECT_EQ(c.target(), QStringLiteral("127.0.0.1:7000"));
    EXPECT_FALSE(c.setTarget(QStringLiteral("127.0.0.1:99999")));
    EXPECT_FALSE(c.setTarget(QStringLiteral("no host:1")));
}

TEST_F(Cwdaemon, KeysTextAndAnswersAtTheLogMarkAndTheEnd)
{
    CwdaemonClient client;
    ASSERT_TRUE(client.setTarget(QStringLiteral("127.0.0.1:%1").arg(port)));
    QStringList events;
    QObject::connect(&client, &CwdaemonClient::logMarkReached, [&] { events << QStringLiteral("log"); });
    QObject::connect(&client, &CwdaemonClient::echoed, [&](const QString& tag) { events << tag; });
    // The daemon answers an echo request only after text; ask until it listens.
    QTimer ask;
    QObject::connect(&ask, &QTimer::timeout, [&] {
        client.send(QStringLiteral("E"));
        client.requestEcho(QStringLiteral("ready"));
    });
    client.setSpeed(60);
    ask.start(300);
    WAIT_TRUE(events.contains(QStringLiteral("ready")), 5000);
    ask.stop();
    client.abort(); // drops probes still queued
    events.clear();
    client.send(QStringLiteral("TU!E"));
    client.requestEcho(QStringLiteral("end"));
    WAIT_EQ(events, (QStringList{QStringLiteral("log"), QStringLiteral("end")}), 10000);
}

} // namespace
