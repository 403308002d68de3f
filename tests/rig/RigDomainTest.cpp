#include "ReportTo.h"
#include "rig/BandPlanLookup.h"
#include "rig/RigSettings.h"
#include "rig/RigTune.h"
#include "rig/SerialPort.h"
#include "sim/PtyPeer.h"
#include "support/WaitFor.h"

#include <gtest/gtest.h>

TEST(SerialPort, SettingsTextIsCheckedFieldByField)
{
    const auto p = SerialPort::parseSettings("4800,N,8,2");
    ASSERT_TRUE(p);
    EXPECT_EQ(std::make_tuple(p->baud, p->parity, p->dataBits, p->stopBits), std::make_tuple(4800, 'N', 8, 2));
    EXPECT_EQ(SerialPort::parseSettings("56000,e,7,1")->parity, 'E');
    for (const char* bad : {"4800,N,8", "x,N,8,1", "4800,Q,8,1", "4800,N,6,1", "4800,N,8,3", ""})
        EXPECT_FALSE(SerialPort::parseSettings(bad)) << bad;
}

TEST(SerialPort, OpensAPtyMovesBytesBothWaysAndFailsOnMissingDevices)
{
    PtyPeer peer;
    ASSERT_TRUE(peer.isValid());
    QByteArray atPeer;
    QObject::connect(&peer, &PtyPeer::received, [&](const QByteArray& b) { atPeer += b; });
    SerialPort port(SerialPortTable({"/nonexistent/ttyUSB9", peer.slavePath()}));
    // Modem lines and hardware handshake on a pty must not stop the open.
    EXPECT_FALSE(port.openWith(1, "4800,N,8,2", 0, QLatin1Char('N')));
    EXPECT_FALSE(port.PortOpen());
    EXPECT_FALSE(port.openWith(3, "4800,N,8,2", 0, QLatin1Char('N'))); // no such table entry
    ASSERT_TRUE(port.openWith(2, "56000,N,8,1", 2, QLatin1Char('D')));
    EXPECT_TRUE(port.DTREnable());

    port.Output(QByteArray("FA;\x00\xFF", 5));
    WAIT_EQ(atPeer, QByteArray("FA;\x00\xFF", 5), 3000);
    EXPECT_EQ(port.OutBufferCount(), 0);
    peer.write(QByteArray("\xFE\xFE\x00", 3));
    QByteArray in;
    WAIT_TRUE((in += port.Input()).size() == 3, 3000);
    EXPECT_EQ(in, QByteArray("\xFE\xFE\x00", 3));
    EXPECT_TRUE(port.Input().isEmpty());
    port.setPortOpen(false);
    EXPECT_FALSE(port.PortOpen());
}

TEST(SerialPortTable, DefaultStartsWithTtyUsb0AndNamesTenPorts)
{
    const auto t = SerialPortTable::systemDefault();
    EXPECT_EQ(t.device(1), "/dev/ttyUSB0");
    EXPECT_GE(t.size(), 10);
    EXPECT_EQ(t.device(0), "");
}

TEST(BandPlanLookup, BuiltInPlanResolvesPhoneToTheRightSideband)
{
    TempDataDir dir;
    const auto plan = BandPlanLookup::load(dir.path());
    ASSERT_FALSE(plan.isEmpty());
    // 60 m channels are upper sideband; at an edge the upper segment (14.15) wins.
    const std::pair<double, const char*> rows[] = {{7.2, "LSB"},  {3.9, "LSB"},   {5.3465, "USB"},
                                                   {14.2, "USB"}, {14.025, "CW"}, {146.52, "USB"},
                                                   {1.9, ""},     {11.0, ""},     {14.15, "USB"}};
    for (auto [mhz, word] : rows)
        EXPECT_EQ(plan.modeWordFor(Frequency::fromMHz(mhz)), word) << mhz;
    EXPECT_EQ(plan.find(Frequency::fromMHz(7.0))->mode, "CW");
}

TEST(BandPlanLookup, DataFolderFileWinsAndOversizedFilesAreRejected)
{
    TempDataDir dir;
    writeBytes(dir.file("BandPlan.txt"),
               "\"2030/01/01\"\r\n\"20\",\"O\",\"CW\",14,14.35\r\n\"20\",\"E\",\"RTTY\",14,14.35\r\n");
    const auto plan = BandPlanLookup::load(dir.path());
    EXPECT_EQ(plan.effectiveDate(), "2030/01/01");
    EXPECT_EQ(plan.modeWordFor(Frequency::fromMHz(14.1)), "RTTY");

    QByteArray big = "\"x\"\r\n";
    for (int i = 0; i < 201; ++i)
        big += "\"20\",\"E\",\"CW\",14,14.35\r\n";
    EXPECT_TRUE(BandPlanLookup::parse(big).isEmpty());
    EXPECT_TRUE(BandPlanLookup::parse("\"x\"\r\n\"20\",\"E\",\"CW\",abc,14.35\r\n").isEmpty());
}

TEST(RigSettings, PresetsAndRoundTripThroughRigIni)
{
    TempDataDir dir;
    RigSettings s;
    s.selectRig("Icom");
    EXPECT_EQ(s.settingsText(), "1200,N,8,1");
    EXPECT_EQ(s.freqCommand, "FE FE 64 E0 03 FD");
    EXPECT_TRUE(s.convertToHex);
    s.selectRig("Yaesu FTdx9000"); // only the baud is preset
    EXPECT_EQ(s.settingsText(), "4800,N,8,1");
    s.selectRig("Other");
    EXPECT_TRUE(s.freqCommand.isEmpty());
    EXPECT_FALSE(s.convertToHex);

    s.selectRig("Kenwood");
    s.port = 4;
    s.powerLine = QLatin1Char('R');
    s.pollRate = QLatin1Char('S');
    s.modeBy = RigSettings::ModeBy::DontUse;
    s.useFrequency = false;
    s.freqCommand = "IF;";
    s.convertFromHex = true;
    s.rigctldHost = "10.0.0.5";
    s.rigctldPort = 4600;
    s.pegasusFolder = dir.file("peg");
    EXPECT_FALSE(s.catOnOff); // the FT-817 family takes those bytes as LOCK
    s.catOnOff = true;
    s.ports = SerialPortTable({"/dev/ttyUSB3", "/dev/rig"});
    ASSERT_TRUE(s.save(RigSettings::iniPath(dir.path())));

    // Every field the file keeps, as text.
    // clang-format off
    const auto fields = [](const RigSettings& r) {
        return QStringList{r.rigType, r.settingsText(), QString::number(r.port), r.powerLine, r.pollRate,
                           QString::number(int(r.modeBy)), QString::number(r.useFrequency), r.freqCommand,
                           r.modeCommand, QString::number(r.convertFromHex), r.rigctldHost,
                           QString::number(r.rigctldPort), r.pegasusDir(), QString::number(r.catOnOff)}
               + r.ports.devices();
    };
    // clang-format on
    RigSettings back;
    ASSERT_TRUE(back.load(RigSettings::iniPath(dir.path())));
    EXPECT_EQ(fields(back), fields(s));
    EXPECT_EQ(back.settingsText(), "4800,N,8,2");
    EXPECT_FALSE(RigSettings().load(dir.file("missing.ini")));
}

namespace {
struct RigPollerDomain : ::testing::Test, PollerParts {};
} // namespace

TEST_F(RigPollerDomain, PegasusFilePairFollowsAndTunes)
{
    poller.settings().selectRig("Ten Tec Pegasus");
    poller.settings().pegasusFolder = dir.path();
    poller.settings().pollRate = QLatin1Char('F');
    writeBytes(dir.file("PEGASUS.OUT"), "21.025,CW\r\n");
    state.selectMode("PH");
    ASSERT_TRUE(poller.start());
    WAIT_EQ(state.band(), QString("15"), 3000);
    WAIT_EQ(state.mode(), QString("CW"), 3000);
    poller.ChangeFrequency(Frequency::fromMHz(14.2));
    WAIT_TRUE(!poller.changing(), 3000);
    EXPECT_EQ(readBytes(dir.file("PEGASUS.IN")), "14.2\r\nCW\r\n");
    EXPECT_TRUE(poller.polling());
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(RigPollerDomain, PegasusFolderThatCannotBeWrittenSaysErrorChangingFrequency)
{
    poller.settings().selectRig("Ten Tec Pegasus");
    poller.settings().pegasusFolder = dir.file("no/such/folder");
    ASSERT_TRUE(poller.start());
    poller.ChangeFrequency(Frequency::fromMHz(7.04));
    WAIT_TRUE(!poller.changing(), 3000);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.last().text, "Error Changing Frequency");
    EXPECT_TRUE(poller.polling());
}

TEST_F(RigPollerDomain, NothingIsSentWithNoRigOrBeforeTest)
{
    EXPECT_FALSE(poller.start());
    EXPECT_FALSE(poller.polling());
    poller.ChangeMode(Frequency::fromMHz(14.0), "CW");
    EXPECT_FALSE(poller.changing());
    // A rig chosen but not started: nothing is sent until Test.
    poller.settings().selectRig("Kenwood");
    poller.ChangeFrequency(Frequency::fromMHz(7.04));
    EXPECT_FALSE(poller.changing());
    EXPECT_FALSE(poller.polling());
    EXPECT_TRUE(dialogs.calls.empty());
}

// The tune window's arithmetic is in hertz: steps and scans land exactly where the buttons say.
TEST_F(RigPollerDomain, TuneStepsAndScansAreExactToTheHertz)
{
    RigTune tune(poller);
    struct Row {
        const char* text;
        int button;
        const char* next; // nullptr: nothing
    };
    const Row rows[] = {
        {"14.0255", 6, "14.0265"}, {"7.0305", 0, "7.03051"}, {"50.125", 9, "50.1249"},
        {"14.025", 3, "13.025"},   {"0.0005", 7, nullptr},   {"abc", 0, nullptr},
    };
    for (const Row& r : rows) {
        const auto next = tune.step(r.text, r.button);
        EXPECT_EQ(next.value_or("<none>"), r.next ? QString(r.next) : "<none>") << r.text;
    }
    // A thousand 10 Hz steps up and 30 Hz scan steps never drift off the 10 Hz grid.
    QString text = "7.0305";
    for (int i = 0; i < 1000; ++i)
        text = *tune.step(text, 0);
    EXPECT_EQ(text, "7.0405");
    qint64 expected = 7030500;
    text = "7.0305";
    for (int i = 0; i < 100; ++i) {
        text = *tune.scanTick(text, "7.0305", "7.0315", 3);
        expected = expected + 30 > 7031500 ? 7030500 : expected + 30;
        ASSERT_EQ(RigTune::numeric(text)->hz, expected) << i << ' ' << text.toStdString();
    }
}
