// The "Hamlib rigctld" entry against the real rigctld with Hamlib's dummy rig (model 1).
#include "WaitFor.h"
#include "log/OperatingState.h"
#include "rig/RigPoller.h"
#include "settings/Preferences.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QProcess>
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

struct Rigctld : ::testing::Test {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    Preferences prefs;
    OperatingState state{prefs};
    RigPoller poller{state, dialogs, dir.path()};
    QProcess rigctld;
    quint16 port = 0;

    void SetUp() override
    {
        const QString exe = QStandardPaths::findExecutable("rigctld");
        ASSERT_FALSE(exe.isEmpty()) << "rigctld is missing: install libhamlib-utils (scripts/install-deps)";
        port = freePort();
        ASSERT_NE(port, 0);
        rigctld.start(exe, {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port)});
        ASSERT_TRUE(rigctld.waitForStarted(5000));
        // Ready once it accepts a connection.
        WAIT_TRUE(accepts(), 5000);
        RigSettings& s = poller.settings();
        s.selectRig("Hamlib rigctld");
        s.rigctldHost = "127.0.0.1";
        s.rigctldPort = port;
        s.pollRate = QLatin1Char('F');
    }
    void TearDown() override
    {
        poller.Command2_Click();
        if (rigctld.state() != QProcess::NotRunning) {
            rigctld.kill();
            rigctld.waitForFinished(5000);
        }
    }
    bool accepts() const
    {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        return probe.waitForConnected(200);
    }
};

} // namespace

TEST_F(Rigctld, SetsFrequencyAndModeAndPollsThemBack)
{
    state.selectMode("DIG");
    ASSERT_TRUE(poller.Command1_Click());
    // The dummy rig starts somewhere; whatever it says becomes the readout.
    WAIT_TRUE(poller.frequencyReadout() != "No Response", 5000);
    WAIT_TRUE(poller.polling(), 1000);

    poller.ChangeFrequency(14.025f);
    WAIT_TRUE(!poller.changing(), 5000);
    WAIT_EQ(state.frequency(), QString("14.025"), 5000);
    EXPECT_EQ(state.band(), "20");
    WAIT_EQ(state.mode(), QString("CW"), 5000);
    EXPECT_EQ(poller.frequencyReadout(), "14.02500");

    poller.ChangeFrequency(7.2f);
    WAIT_TRUE(!poller.changing(), 5000);
    WAIT_EQ(state.band(), QString("40"), 5000);
    WAIT_EQ(state.mode(), QString("PH"), 5000);
    EXPECT_TRUE(dialogs.calls.empty()) << dialogs.messages().join('|').toStdString();
}

TEST_F(Rigctld, GoneAwayIsReportedOnceAndTestReconnects)
{
    ASSERT_TRUE(poller.Command1_Click());
    WAIT_TRUE(poller.frequencyReadout() != "No Response", 5000);
    rigctld.kill();
    ASSERT_TRUE(rigctld.waitForFinished(5000));
    WAIT_TRUE(!poller.polling(), 5000);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_TRUE(dialogs.calls[0].text.contains("Lost the connection to rigctld"))
        << dialogs.calls[0].text.toStdString();

    // Nobody listens now: Test reports the refused connection, once.
    ASSERT_TRUE(poller.Command1_Click());
    WAIT_TRUE(!poller.polling(), 5000);
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_TRUE(dialogs.calls[1].text.startsWith("Cannot reach rigctld at 127.0.0.1:"))
        << dialogs.calls[1].text.toStdString();

    rigctld.start(QStandardPaths::findExecutable("rigctld"),
                  {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port)});
    ASSERT_TRUE(rigctld.waitForStarted(5000));
    WAIT_TRUE(accepts(), 5000);
    ASSERT_TRUE(poller.Command1_Click());
    WAIT_TRUE(poller.frequencyReadout() != "No Response", 5000);
    EXPECT_TRUE(poller.polling());
}
