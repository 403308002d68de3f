#include "VirtualKeyingClock.h"
#include "keying/CwKeyer.h"
#include "keying/CwdaemonClient.h"
#include "support/WaitFor.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>
#include <gtest/gtest.h>

namespace {

// The real daemon from Debian, keying nothing and making no sound, and a client of ours that
// has heard it answer.
struct Cwdaemon : ::testing::Test {
    QProcess daemon;
    QString target;
    CwdaemonClient client;
    QStringList events; // the client's echo tags and "log" for each log mark

    void SetUp() override
    {
        QUdpSocket probe; // a free port, released for the daemon
        ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
        const quint16 port = probe.localPort();
        probe.close();
        daemon.start(QStringLiteral("/usr/sbin/cwdaemon"),
                     {QStringLiteral("-n"), QStringLiteral("-d"), QStringLiteral("null"), QStringLiteral("-x"),
                      QStringLiteral("n"), QStringLiteral("-p"), QString::number(port)});
        ASSERT_TRUE(daemon.waitForStarted(5000)) << "cwdaemon missing: run scripts/install-deps";
        target = QStringLiteral("127.0.0.1:%1").arg(port);
        ASSERT_TRUE(client.setTarget(target));
        QObject::connect(&client, &CwdaemonClient::logMarkReached, [this] { events << QStringLiteral("log"); });
        QObject::connect(&client, &CwdaemonClient::echoed, [this](const QString& tag) { events << tag; });
        // The daemon answers an echo request only after text; ask until it listens.
        QTimer ask;
        QObject::connect(&ask, &QTimer::timeout, [this] {
            client.send(QStringLiteral("E"));
            client.requestEcho(QStringLiteral("ready"));
        });
        client.setSpeed(60);
        ask.start(300);
        WAIT_TRUE(events.contains(QStringLiteral("ready")), 5000);
        ask.stop();
        client.abort(); // drops probes still queued
        events.clear();
    }
    void TearDown() override
    {
        daemon.kill();
        daemon.waitForFinished(5000);
    }
};

TEST(CwdaemonFrames, Requests)
{
    EXPECT_EQ(CwdaemonClient::speedRequest(25), "\x1b" + QByteArray("225"));
    EXPECT_EQ(CwdaemonClient::echoRequest(QStringLiteral("end")), "\x1b" + QByteArray("hend"));
    EXPECT_EQ(CwdaemonClient::abortRequest(), "\x1b" + QByteArray("4"));
    CwdaemonClient c;
    EXPECT_FALSE(c.setTarget(QStringLiteral("127.0.0.1:99999")));
    EXPECT_FALSE(c.setTarget(QStringLiteral("no host:1")));
}

TEST_F(Cwdaemon, FunctionKeyLogsWhenTheDaemonReachesTheMark)
{
    QTemporaryDir dir;
    VirtualKeyingClock clock;
    CwKeyer keyer(dir.path(), UserSettingsStore(dir.filePath(QStringLiteral("user.ini"))), clock);
    int logged = 0;
    keyer.hisCall = [] { return QStringLiteral("K1ABC"); };
    keyer.logContact = [&] { ++logged; };
    keyer.settings().output = CwSettings::Cwdaemon;
    keyer.settings().cwdaemonHost = target;
    keyer.settings().wpm = QStringLiteral("60");
    keyer.settings().messages[1] = QStringLiteral("$ TU!");
    keyer.apply();
    EXPECT_TRUE(keyer.windowKey(KeyerHandoff::Key::F2, false, QStringLiteral("CW")));
    EXPECT_EQ(logged, 0); // not before the daemon has keyed "K1ABC TU"
    WAIT_EQ(logged, 1, 10000);
}

// fdlog-cli cw: exit code and the one line on stderr.
TEST_F(Cwdaemon, CliKeysThroughEachOutput)
{
    struct Row {
        QStringList args;
        int exitCode;
        QString stderrStart;
    };
    const std::vector<Row> rows{
        {{"--output", "cwdaemon", "--port", target, "--wpm", "60", "tu"}, 0, {}},
        {{"--output", "cwdaemon", "--port", "127.0.0.1:9", "--wpm", "60", "E"},
         1,
         "fdlog-cli: no answer from cwdaemon at 127.0.0.1:9"},
        {{"--output", "serial", "--port", "/dev/ttyNoSuchPort", "E"}, 1, "fdlog-cli: /dev/ttyNoSuchPort: "},
        {{"--output", "parallel", "--port", "/dev/parport97", "E"}, 1, "fdlog-cli: /dev/parport97: "},
        {{"--output", "serial", "--port", "/dev/null", "--line", "cts", "E"}, 2, {}},
        {{"--output", "cwdaemon", "--port", target, "--wpm", "0", "E"}, 2, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.join(QLatin1Char(' ')).toStdString());
        QProcess cli;
        cli.start(QStringLiteral(FDLOG_CLI), QStringList{QStringLiteral("cw")} + row.args);
        ASSERT_TRUE(cli.waitForFinished(15000));
        EXPECT_EQ(cli.exitCode(), row.exitCode);
        const QString err = QString::fromLocal8Bit(cli.readAllStandardError());
        EXPECT_TRUE(err.startsWith(row.stderrStart)) << err.toStdString();
    }
}

} // namespace
