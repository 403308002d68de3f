// The real poller on a real serial port: each test opens the slave side of a pseudo-terminal
// through SerialPort, with a simulated transceiver answering on the other side.
#include "ReportTo.h"
#include "log/OperatingState.h"
#include "peers/SimulatedRig.h"
#include "rig/RigPoller.h"
#include "rig/SerialPort.h"
#include "settings/Preferences.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include "WaitFor.h"
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using Kind = SimulatedRig::Kind;

namespace {

QByteArray hex(const char* spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

struct RigPollerPty : ::testing::Test {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    Preferences prefs;
    OperatingState state{prefs};
    ReportingPoller poller{state, dialogs, dir.path()};

    void start(SimulatedRig& rig, const char* type, QChar rate = QLatin1Char('F'))
    {
        ASSERT_TRUE(rig.isValid());
        RigSettings& s = poller.settings();
        s.selectRig(QString::fromLatin1(type));
        s.ports = SerialPortTable({rig.device()});
        s.port = 1;
        s.pollRate = rate;
        ASSERT_TRUE(poller.start()) << dialogs.messages().join('|').toStdString();
    }
    // Waits for the poller to be back to polling after a change, then for the rig's answer.
    void waitChangeDone()
    {
        WAIT_TRUE(!poller.changing(), 5000);
        EXPECT_TRUE(poller.polling());
    }
};

} // namespace

TEST_F(RigPollerPty, KenwoodSplitRepliesWithGarbageFollowAndTune)
{
    SimulatedRig rig(Kind::Kenwood);
    rig.splitReplies = true;
    rig.garbage = "?;\x01";
    start(rig, "Kenwood");
    WAIT_EQ(state.frequency(), QString("14.025"), 3000);
    EXPECT_EQ(state.band(), "20");
    WAIT_EQ(state.mode(), QString("CW"), 3000);
    EXPECT_EQ(poller.frequencyReadout(), "14.02500");
    EXPECT_TRUE(rig.received.startsWith("FA;MD;"));

    rig.received.clear();
    poller.ChangeFrequency(Frequency::fromMHz(7.04));
    EXPECT_TRUE(poller.changing()); // returned at once; the exchange runs on timers
    waitChangeDone();
    const qsizetype mode = rig.received.indexOf("MD3;");
    const qsizetype freq = rig.received.indexOf("FA00007040000;");
    ASSERT_GE(mode, 0) << rig.received.toStdString();
    EXPECT_GT(freq, mode);
    WAIT_EQ(state.band(), QString("40"), 3000);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(RigPollerPty, ElecraftPhoneSegmentGetsUpperSideband)
{
    SimulatedRig rig(Kind::Kenwood);
    rig.mode = 2;
    start(rig, "Elecraft");
    WAIT_EQ(state.band(), QString("20"), 3000);
    EXPECT_EQ(state.mode(), "PH");
    rig.received.clear();
    poller.ChangeFrequency(Frequency::fromMHz(28.4));
    waitChangeDone();
    EXPECT_GE(rig.received.indexOf("MD2;FA00028400000;"), 0) << rig.received.toStdString();
    WAIT_EQ(state.band(), QString("10"), 3000);
}

TEST_F(RigPollerPty, Kenwood2UsesTheVfoTheRigReports)
{
    SimulatedRig rig(Kind::KenwoodIF);
    rig.vfo = 1;
    rig.mode = 2;
    start(rig, "Kenwood 2");
    WAIT_EQ(poller.vfoFlag(), 1, 3000);
    EXPECT_EQ(state.mode(), "PH");
    rig.received.clear();
    poller.ChangeFrequency(Frequency::fromMHz(7.2));
    waitChangeDone();
    EXPECT_GE(rig.received.indexOf("MD1;"), 0) << rig.received.toStdString();
    EXPECT_GE(rig.received.indexOf("FB00007200000;"), 0) << rig.received.toStdString();
    WAIT_EQ(state.band(), QString("40"), 3000);
}

TEST_F(RigPollerPty, Ftdx9000TextCommands)
{
    SimulatedRig rig(Kind::Ftdx9000);
    rig.hz = 28400000;
    rig.mode = 2;
    start(rig, "Yaesu FTdx9000");
    WAIT_EQ(state.band(), QString("10"), 3000);
    WAIT_EQ(state.mode(), QString("PH"), 3000);
    rig.received.clear();
    poller.ChangeFrequency(Frequency::fromMHz(14.025));
    waitChangeDone();
    EXPECT_GE(rig.received.indexOf("MD03;"), 0) << rig.received.toStdString();
    EXPECT_GE(rig.received.indexOf("FA14025000;"), 0) << rig.received.toStdString();
    WAIT_EQ(state.band(), QString("20"), 3000);
}

TEST_F(RigPollerPty, IcomWithEchoAndGarbageAlternatesAndTunes)
{
    SimulatedRig rig(Kind::Icom);
    rig.echo = true;
    rig.garbage = hex("FE 00 13");
    rig.splitReplies = true;
    start(rig, "Icom");
    WAIT_EQ(state.frequency(), QString("14.025"), 3000);
    WAIT_EQ(state.mode(), QString("CW"), 3000);
    EXPECT_TRUE(rig.received.startsWith(hex("FE FE 64 E0 03 FD FE FE 64 E0 04 FD")));
    rig.received.clear();
    poller.ChangeFrequency(Frequency::fromMHz(7.04));
    waitChangeDone();
    EXPECT_GE(rig.received.indexOf(hex("FE FE 64 E0 06 03 FD FE FE 64 E0 05 00 00 04 07 00 FD")), 0)
        << rig.received.toHex(' ').toStdString();
    WAIT_EQ(state.band(), QString("40"), 3000);
}

TEST_F(RigPollerPty, Icom735ReadsItsScaleAndGetsNoModeFrame)
{
    SimulatedRig rig(Kind::Icom735);
    poller.settings().convertFromHex = true;
    start(rig, "Icom 735");
    WAIT_EQ(state.frequency(), QString("14.025"), 3000);
    // "Convert from Hex" shows the raw reply as spaced pairs.
    WAIT_TRUE(poller.rawReadout().startsWith("FE FE E0 64 0"), 3000);
    rig.received.clear();
    poller.ChangeFrequency(Frequency::fromMHz(28.4));
    waitChangeDone();
    EXPECT_EQ(rig.received.indexOf(hex("FE FE 64 E0 06")), -1);
    EXPECT_GE(rig.received.indexOf(hex("FE FE 64 E0 05 00 00 40 28 00 FD")), 0)
        << rig.received.toHex(' ').toStdString();
}

TEST_F(RigPollerPty, OmniVIAtAddress04)
{
    SimulatedRig rig(Kind::OmniVI);
    rig.hz = 21025000;
    start(rig, "Ten Tec Omni VI");
    WAIT_EQ(state.band(), QString("15"), 3000);
    rig.received.clear();
    poller.ChangeFrequency(Frequency::fromMHz(14.2));
    waitChangeDone();
    EXPECT_GE(rig.received.indexOf(hex("FE FE 04 E0 06 01 FD FE FE 04 E0 05 00 00 20 14 00 FD")), 0)
        << rig.received.toHex(' ').toStdString();
    WAIT_EQ(state.band(), QString("20"), 3000);
    WAIT_EQ(state.mode(), QString("PH"), 3000);
}

TEST_F(RigPollerPty, YaesuOpensPollsTunesAndCloses)
{
    SimulatedRig rig(Kind::Yaesu);
    rig.mode = 0x02;
    start(rig, "Yaesu");
    WAIT_EQ(state.frequency(), QString("14.025"), 3000);
    EXPECT_TRUE(rig.received.startsWith(hex("00 00 00 00 00 00 00 00 00 03")));
    EXPECT_EQ(state.mode(), "CW");
    rig.received.clear();
    poller.ChangeFrequency(Frequency::fromMHz(7.2));
    waitChangeDone();
    EXPECT_GE(rig.received.indexOf(hex("00 00 00 00 07 00 72 00 00 01")), 0) << rig.received.toHex(' ').toStdString();
    WAIT_EQ(state.band(), QString("40"), 3000);
    WAIT_EQ(state.mode(), QString("PH"), 3000);
    poller.shutdown();
    EXPECT_FALSE(poller.port().PortOpen());
    WAIT_TRUE(rig.received.endsWith(hex("00 00 00 00 80")), 3000);
}

TEST_F(RigPollerPty, YaesuStatusBlockRigs)
{
    for (auto [kind, type] : {std::pair{Kind::Yaesu990, "Yaesu 990"}, std::pair{Kind::Yaesu890, "Yaesu 890"}}) {
        SimulatedRig rig(kind);
        rig.mode = 2;
        state.selectBand("80");
        start(rig, type);
        WAIT_EQ(state.band(), QString("20"), 3000);
        WAIT_EQ(state.mode(), QString("CW"), 3000);
        rig.received.clear();
        poller.ChangeFrequency(Frequency::fromMHz(7.04));
        waitChangeDone();
        EXPECT_GE(rig.received.indexOf(hex("00 00 00 02 0C 00 40 70 00 0A")), 0)
            << type << rig.received.toHex(' ').toStdString();
        WAIT_EQ(state.band(), QString("40"), 3000);
        poller.stop();
    }
}

TEST_F(RigPollerPty, OrionWakesPollsAndTunes)
{
    SimulatedRig rig(Kind::Orion);
    rig.hz = 7040000;
    rig.mode = 2;
    start(rig, "Ten Tec Orion");
    WAIT_EQ(state.band(), QString("40"), 3000);
    WAIT_EQ(state.mode(), QString("CW"), 3000);
    EXPECT_TRUE(rig.received.startsWith("X\r?AF\r?RMM\r")) << rig.received.toStdString();
    rig.received.clear();
    poller.ChangeFrequency(Frequency::fromMHz(21.3));
    waitChangeDone();
    EXPECT_GE(rig.received.indexOf("*AF21.3\r"), 0) << rig.received.toStdString();
    WAIT_EQ(state.band(), QString("15"), 3000);
}

TEST_F(RigPollerPty, FrontPanelAlternatesAndTunes)
{
    SimulatedRig rig(Kind::FrontPanel);
    rig.mode = 3;
    start(rig, "Ten Tec Fnt Pnl");
    WAIT_EQ(state.frequency(), QString("14.025"), 3000);
    WAIT_EQ(state.mode(), QString("CW"), 3000);
    rig.received.clear();
    poller.ChangeFrequency(Frequency::fromMHz(7.04));
    waitChangeDone();
    EXPECT_GE(rig.received.indexOf(hex("2A 41 00 6B 6C 00 0D")), 0) << rig.received.toHex(' ').toStdString();
    WAIT_EQ(state.band(), QString("40"), 3000);
}

TEST_F(RigPollerPty, UnpluggedRigIsReportedOnceAndTestReopens)
{
    auto rig = std::make_unique<SimulatedRig>(Kind::Kenwood);
    start(*rig, "Kenwood");
    WAIT_EQ(state.frequency(), QString("14.025"), 3000);
    rig->vanish();
    WAIT_TRUE(!poller.polling(), 3000);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_TRUE(dialogs.calls[0].text.contains("stopped working")) << dialogs.calls[0].text.toStdString();
    EXPECT_EQ(poller.frequencyReadout(), "No Response");
    // Test on the vanished device: the open failure message and nothing else; on a new one:
    // polling again.
    EXPECT_FALSE(poller.start());
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.last().title, "Invalid Comm Settings.");
    SimulatedRig again(Kind::Kenwood);
    again.hz = 21025000;
    start(again, "Kenwood");
    WAIT_EQ(state.band(), QString("15"), 3000);
}

TEST_F(RigPollerPty, GarbageOnlyIsReportedOnceWhilePollingGoesOn)
{
    SimulatedRig rig(Kind::Kenwood);
    rig.babble = "\x13\x37?;";
    start(rig, "Kenwood");
    WAIT_EQ(dialogs.calls.size(), size_t(1), 3000);
    EXPECT_TRUE(dialogs.calls[0].text.contains("cannot be read")) << dialogs.calls[0].text.toStdString();
    const int before = rig.answers;
    WAIT_TRUE(rig.answers > before + 5, 3000);
    EXPECT_TRUE(poller.polling());
    EXPECT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(poller.frequencyReadout(), "No Response");
}

TEST_F(RigPollerPty, SilentRigKeepsNoResponseAndIsAskedAgain)
{
    SimulatedRig rig(Kind::Kenwood);
    rig.silent = true;
    start(rig, "Kenwood");
    WAIT_TRUE(rig.received.count("FA;MD;") >= 2, 3000);
    EXPECT_EQ(poller.frequencyReadout(), "No Response");
    EXPECT_EQ(poller.modeReadout(), "No Response");
    EXPECT_TRUE(poller.polling());
    // Switched on late: picked up without a new Test.
    rig.silent = false;
    WAIT_EQ(state.frequency(), QString("14.025"), 3000);
}

TEST_F(RigPollerPty, ModeByFrequencyDontUseAndUseFrequency)
{
    SimulatedRig rig(Kind::Kenwood);
    rig.hz = 14200000;
    rig.mode = 3;
    poller.settings().modeBy = RigSettings::ModeBy::Frequency;
    state.selectMode("CW");
    start(rig, "Kenwood");
    WAIT_EQ(state.mode(), QString("PH"), 3000);
    EXPECT_EQ(poller.modeReadout(), "PH");
    poller.stop();

    state.selectMode("DIG");
    state.selectBand("80");
    poller.settings().modeBy = RigSettings::ModeBy::DontUse;
    poller.settings().useFrequency = false;
    ASSERT_TRUE(poller.start());
    WAIT_EQ(poller.frequencyReadout(), QString("14.20000"), 3000);
    WAIT_EQ(poller.modeReadout(), QString("CW"), 3000);
    EXPECT_EQ(state.mode(), "DIG");
    EXPECT_EQ(state.band(), "80");
}

TEST_F(RigPollerPty, PollRatesAndChangeOnlyWhilePolling)
{
    SimulatedRig rig(Kind::Kenwood);
    for (auto [rate, ms] : {std::pair{'F', 50}, std::pair{'M', 250}, std::pair{'S', 1000}, std::pair{'R', 5000}}) {
        start(rig, "Kenwood", QLatin1Char(rate));
        EXPECT_EQ(poller.tickMs(), ms) << rate;
        poller.stop();
    }
    rig.received.clear();
    poller.ChangeFrequency(Frequency::fromMHz(7.04));
    EXPECT_FALSE(poller.changing());
    EXPECT_FALSE(poller.polling());
}

TEST_F(RigPollerPty, BadPortsShowTheRigMessage)
{
    poller.settings().selectRig("Kenwood");
    poller.settings().ports = SerialPortTable({dir.file("no-such-device")});
    EXPECT_FALSE(poller.start());
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.last().text,
              "The comm port that you selected for rig interface is either in use, invalid or the settings that you "
              "have selected are invalid.  Please select another combination or choose None for your rig selection.");
    EXPECT_EQ(dialogs.last().title, "Invalid Comm Settings.");
    EXPECT_FALSE(poller.polling());

    SimulatedRig rig(Kind::Kenwood);
    poller.settings().ports = SerialPortTable({rig.device()});
    poller.settings().parity = QLatin1Char('X');
    EXPECT_FALSE(poller.start());
    EXPECT_EQ(dialogs.calls.size(), 2u);
}
