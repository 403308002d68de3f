// The "Hamlib rigctld" entry against the real rigctld with Hamlib's dummy rig (model 1).
#include "ReportTo.h"
#include "peers/NoisyRigctld.h"
#include "support/WaitFor.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

quint16 freePort()
{
    QTcpServer s;
    if (!s.listen(QHostAddress::LocalHost, 0))
        return 0;
    return s.serverPort();
}

struct Rigctld : ::testing::Test, PollerParts {
    QProcess rigctld;
    quint16 port = 0;

    void SetUp() override
    {
        port = freePort();
        ASSERT_NE(port, 0);
        ASSERT_NO_FATAL_FAILURE(startRigctld());
        RigSettings& s = poller.settings();
        s.selectRig("Hamlib rigctld");
        s.rigctldHost = "127.0.0.1";
        s.rigctldPort = port;
        s.pollRate = QLatin1Char('F');
    }
    void TearDown() override
    {
        poller.stop();
        if (rigctld.state() != QProcess::NotRunning) {
            rigctld.kill();
            rigctld.waitForFinished(5000);
        }
    }
    void startRigctld()
    {
        const QString exe = QStandardPaths::findExecutable("rigctld");
        ASSERT_FALSE(exe.isEmpty()) << "rigctld is missing: install libhamlib-utils (scripts/install-deps)";
        rigctld.start(exe, {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port)});
        ASSERT_TRUE(rigctld.waitForStarted(5000));
        // Ready once it accepts a connection.
        probe.abort();
        WAIT_TRUE(accepts(), 5000);
    }
    // The probe stays connected: rigctld 4.5 can close a newer client's socket when one
    // disconnects while another connects, which would fail the poller's first connection.
    bool accepts()
    {
        if (probe.state() == QAbstractSocket::ConnectedState)
            return true;
        probe.abort();
        probe.connectToHost(QHostAddress::LocalHost, port);
        return probe.waitForConnected(200);
    }
    QTcpSocket probe;
};

} // namespace

TEST_F(Rigctld, SetsFrequencyAndModeAndPollsThemBack)
{
    state.selectMode("DIG");
    ASSERT_TRUE(poller.start());
    // The dummy rig starts somewhere; whatever it says becomes the readout.
    WAIT_TRUE(poller.frequencyReadout() != "No Response", 15000);
    WAIT_TRUE(poller.polling(), 1000);

    poller.ChangeFrequency(Frequency::fromMHz(14.025));
    WAIT_TRUE(!poller.changing(), 5000);
    WAIT_EQ(state.frequency(), QString("14.025"), 5000);
    EXPECT_EQ(state.band(), "20");
    WAIT_EQ(state.mode(), QString("CW"), 5000);

    poller.ChangeFrequency(Frequency::fromMHz(7.2));
    WAIT_TRUE(!poller.changing(), 5000);
    WAIT_EQ(state.band(), QString("40"), 5000);
    WAIT_EQ(state.mode(), QString("PH"), 5000);

    // The dummy rig set to a data mode (PKTUSB, RTTY, RTTYR) is read as digital.
    for (const char* word : {"PKT", "RTTY", "RTTY-R"}) {
        SCOPED_TRACE(word);
        poller.ChangeMode(Frequency::fromMHz(14.074), word);
        WAIT_TRUE(!poller.changing(), 5000);
        WAIT_EQ(state.mode(), QString("DIG"), 5000);
        poller.ChangeMode(Frequency::fromMHz(14.074), "USB");
        WAIT_TRUE(!poller.changing(), 5000);
        WAIT_EQ(state.mode(), QString("PH"), 5000);
    }
    EXPECT_TRUE(dialogs.calls.empty()) << dialogs.messages().join('|').toStdString();
}

TEST_F(Rigctld, GoneAwayIsReportedOnceAndTestReconnects)
{
    ASSERT_TRUE(poller.start());
    WAIT_TRUE(poller.frequencyReadout() != "No Response", 15000);
    rigctld.kill();
    ASSERT_TRUE(rigctld.waitForFinished(5000));
    WAIT_TRUE(!poller.polling(), 5000);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_TRUE(dialogs.calls[0].text.contains("Lost the connection to rigctld"))
        << dialogs.calls[0].text.toStdString();

    // Nobody listens now: Test reports the refused connection, once.
    ASSERT_TRUE(poller.start());
    WAIT_TRUE(!poller.polling(), 5000);
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_TRUE(dialogs.calls[1].text.startsWith("Cannot reach rigctld at 127.0.0.1:"))
        << dialogs.calls[1].text.toStdString();

    ASSERT_NO_FATAL_FAILURE(startRigctld());
    ASSERT_TRUE(poller.start());
    WAIT_TRUE(poller.frequencyReadout() != "No Response", 15000);
    EXPECT_TRUE(poller.polling());
}

namespace {

// The poller pointed at a port where something other than rigctld answers.
struct NoisyPort : PollerParts {
    NoisyRigctld peer;

    explicit NoisyPort(const QByteArray& reply, bool flood = false) : peer(reply, flood)
    {
        state.selectMode("CW");
        RigSettings& s = poller.settings();
        s.selectRig("Hamlib rigctld");
        s.rigctldHost = "127.0.0.1";
        s.rigctldPort = peer.port();
        s.pollRate = QLatin1Char('F');
    }
    ~NoisyPort() { poller.stop(); }
};

} // namespace

TEST(RigctldNoise, RepliesThatDoNotParseWholeLeaveModeAndFrequencyAlone)
{
    const std::pair<const char*, QByteArray> rows[] = {
        {"binary", QByteArray("\x01\xff\x13\x37\n", 5)},
        {"signed number", "-14025000\n"},
        {"no line end", "14025000"},
    };
    for (const auto& [what, reply] : rows) {
        SCOPED_TRACE(what);
        NoisyPort p(reply);
        QSignalSpy readings(&p.poller, &RigPoller::readingTaken);
        QSignalSpy saves(&p.state, &OperatingState::preferencesChanged);
        ASSERT_TRUE(p.poller.start());
        // The operator hears about it instead of the mode changing quietly.
        WAIT_EQ(p.dialogs.calls.size(), size_t(1), 10000);
        EXPECT_TRUE(p.dialogs.calls[0].text.contains("cannot be read")) << p.dialogs.calls[0].text.toStdString();
        EXPECT_GT(p.peer.written(), 0);
        EXPECT_EQ(p.state.mode(), "CW");
        EXPECT_TRUE(p.state.frequency().isEmpty());
        EXPECT_EQ(readings.count(), 0);
        EXPECT_EQ(saves.count(), 0);
        EXPECT_EQ(p.poller.frequencyReadout(), "No Response");
        EXPECT_EQ(p.poller.modeReadout(), "No Response");
    }
}

TEST(RigctldNoise, AFloodIsHeldToABoundedBuffer)
{
    NoisyPort p(QByteArray(64 * 1024, 'x') + "\n14025000\n", true);
    ASSERT_TRUE(p.poller.start());
    qint64 most = 0;
    int reads = 0;
    QObject::connect(&p.poller, &RigPoller::readoutsChanged, [&] {
        ++reads;
        most = std::max({most, p.poller.bufferedReplyBytes(), p.poller.linkBufferedBytes()});
    });
    WAIT_TRUE(reads >= 20, 10000);
    EXPECT_LE(most, RigPoller::kMaxReplyBytes);
    // The peer is held back by flow control rather than by our memory.
    EXPECT_LT(p.peer.written(), 64 * 1024 * 1024);
    EXPECT_EQ(p.state.mode(), "CW");
}
