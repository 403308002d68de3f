// The real poller on a real serial port: each test opens the slave side of a pseudo-terminal
// through SerialPort, with a simulated transceiver answering on the other side.
#include "ReportTo.h"
#include "rig/SerialPort.h"
#include "sim/SimulatedRig.h"
#include "support/Hex.h"
#include "support/WaitFor.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using Kind = SimulatedRig::Kind;

namespace {

struct RigPollerPty : ::testing::Test, PollerParts {
    // `device`: another name for the rig's port (empty: the pty itself).
    void start(SimulatedRig& rig, const char* type, QChar rate = QLatin1Char('F'), const QString& device = {})
    {
        ASSERT_TRUE(rig.isValid());
        RigSettings& s = poller.settings();
        s.selectRig(QString::fromLatin1(type));
        s.ports = SerialPortTable({device.isEmpty() ? rig.device() : device});
        s.port = 1;
        s.pollRate = rate;
        ASSERT_TRUE(poller.start()) << dialogs.messages().join('|').toStdString();
    }
};

// One row per rig type: how the simulated radio is set up, what the poller must read from it,
// then a tune to another band and the frames that must reach the radio for it.
struct TuneRow {
    const char* name;
    Kind kind;
    const char* type;
    qint64 hz = 14025000;
    int mode = 3;
    QByteArray garbage;         // in front of every answer
    bool oddLink = false;       // answers split in two writes; Icom: the request echoed first
    const char* band = nullptr; // read before tuning (nullptr: not checked)
    const char* readMode = nullptr;
    QByteArray pollStart;         // the first bytes sent (empty: not checked)
    double tuneTo = 0;            // MHz
    std::vector<QByteArray> sent; // each found after the one before it
    const char* tunedBand = nullptr;
    const char* tunedMode = nullptr;
    QByteArray notSent;
    bool dataMode = false; // Kenwood: the voice mode carries data
    int vfo = 0;           // Kenwood IF: 1 for VFO B
};

// Names the row in failure messages instead of dumping its bytes.
void PrintTo(const TuneRow& row, std::ostream* os)
{
    *os << row.name;
}

void playRow(SimulatedRig& rig, const TuneRow& row)
{
    rig.hz = row.hz;
    rig.mode = row.mode;
    rig.dataMode = row.dataMode;
    rig.vfo = row.vfo;
    rig.garbage = row.garbage;
    rig.splitReplies = row.oddLink;
    rig.echo = row.oddLink && row.kind == Kind::Icom;
}

struct RigPollerTune : RigPollerPty, ::testing::WithParamInterface<TuneRow> {};

// clang-format off
const TuneRow kTuneRows[] = {
    {"Kenwood", Kind::Kenwood, "Kenwood", 14025000, 3, "?;\x01", true, "20", "CW", "DA;FA;MD;",
     7.0305, {"MD3;", "FA00007030500;"}, "40", nullptr, {}},
    {"ElecraftPhoneGetsUpperSideband", Kind::Kenwood, "Elecraft", 14025000, 2, {}, false, "20", "PH", {},
     28.4, {"MD2;FA00028400000;"}, "10", nullptr, {}},
    {"Ftdx9000", Kind::Ftdx9000, "Yaesu FTdx9000", 28400000, 2, {}, false, "10", "PH", {},
     14.025, {"MD03;", "FA14025000;"}, "20", nullptr, {}},
    {"IcomEchoGarbage", Kind::Icom, "Icom", 14025000, 3, hex("FE 00 13"), true, "20", "CW",
     hex("FE FE 64 E0 03 FD FE FE 64 E0 04 FD"),
     7.04, {hex("FE FE 64 E0 06 03 FD FE FE 64 E0 05 00 00 04 07 00 FD")}, "40", nullptr, {}},
    {"OmniVIAtAddress04", Kind::OmniVI, "Ten Tec Omni VI", 21025000, 3, {}, false, "15", "CW", {},
     14.2, {hex("FE FE 04 E0 06 01 FD FE FE 04 E0 05 00 00 20 14 00 FD")}, "20", "PH", {}},
    // No CAT-on bytes unless asked for: on the FT-817 they lock the front panel.
    {"Yaesu", Kind::Yaesu, "Yaesu", 14025000, 2, {}, false, "20", "CW", hex("00 00 00 00 03"),
     7.2, {hex("00 00 00 00 07 00 72 00 00 01")}, "40", "PH", {}},
    {"Yaesu890", Kind::Yaesu890, "Yaesu 890", 14025000, 2, {}, false, "20", "CW", {},
     7.04, {hex("00 00 00 02 0C 00 40 70 00 0A")}, "40", nullptr, {}},
    {"OrionWakes", Kind::Orion, "Ten Tec Orion", 7040000, 2, {}, false, "40", "CW", "X\r?AF\r?RMM\r",
     21.3, {"*AF21300000\r"}, "15", nullptr, {}},
    {"FrontPanel", Kind::FrontPanel, "Ten Tec Fnt Pnl", 14025000, 3, {}, false, "20", "CW", {},
     7.04, {hex("2A 41 00 6B 6C 00 0D")}, "40", nullptr, {}},
    // The 735 takes four BCD bytes both ways and no mode frame.
    {"Icom735NoModeFrame", Kind::Icom735, "Icom 735", 14025000, 3, {}, false, "20", "CW", {},
     28.4, {hex("FE FE 64 E0 05 00 00 40 28 FD")}, "10", nullptr, hex("FE FE 64 E0 06")},
    // Digital modes as each family reports them.
    {"KenwoodFsk", Kind::Kenwood, "Kenwood", 14080000, 6, {}, false, "20", "DIG", {},
     50.125, {"MD2;FA00050125000;"}, "6", "PH", {}},
    {"IcomRttyWithFilter", Kind::Icom, "Icom", 14080000, 4, {}, false, "20", "DIG", {},
     50.125, {hex("FE FE 64 E0 05 00 50 12 50 00 FD")}, "6", "PH", {}},
    {"YaesuPkt", Kind::Yaesu, "Yaesu", 14080000, 0x0C, {}, false, "20", "DIG", {},
     50.125, {hex("05 01 25 00 01")}, "6", "PH", {}},
    {"Yaesu990Rtty", Kind::Yaesu990, "Yaesu 990", 14080000, 5, {}, true, "20", "DIG", {},
     7.0305, {hex("50 30 70 00 0A")}, "40", nullptr, {}},
    {"OrionRtty", Kind::Orion, "Ten Tec Orion", 14080000, 6, {}, false, "20", "DIG", {},
     7.0305, {"*AF7030500\r"}, "40", nullptr, {}},
    {"Yaesu757", Kind::Yaesu757, "Yaesu 757 GX II", 14025000, 2, {}, false, "20", "CW", hex("00 00 00 00 10"),
     7.04, {hex("00 00 00 02 0C 00 40 70 00 0A")}, "40", nullptr, {}},
    {"Yaesu1000", Kind::Yaesu1000, "Yaesu 1000", 14025000, 2, {}, false, "20", "CW", hex("00 00 00 02 10"),
     7.0305, {hex("00 00 00 02 0C 50 30 70 00 0A")}, "40", "CW", {}},
    // The FT-920 covers 6 m and says DATA-USB with its own status byte.
    {"Yaesu920DataUsb", Kind::Yaesu920, "Yaesu 920", 14080000, 0x44, {}, false, "20", "DIG", {},
     50.125, {hex("00 00 00 01 0C 00 25 01 05 0A")}, "6", "PH", {}},
    // The TS-590 reports USB-DATA as USB, and data on in its "DA" answer.
    {"KenwoodUsbData", Kind::Kenwood, "Kenwood", 14074000, 2, {}, true, "20", "DIG", "DA;FA;MD;",
     7.2, {"MD1;", "FA00007200000;"}, "40", "DIG", {}, true},
    {"Kenwood2UsbData", Kind::KenwoodIF, "Kenwood 2", 14074000, 2, {}, false, "20", "DIG", "DA;IF;",
     28.4, {"MD2;FA00028400000;"}, "10", "DIG", {}, true},
    // On VFO B a "Kenwood 2" tunes B.
    {"Kenwood2VfoB", Kind::KenwoodIF, "Kenwood 2", 14025000, 2, {}, false, "20", "PH", {},
     7.2, {"MD1;", "FB00007200000;"}, "40", nullptr, "FA000", false, 1},
};
// clang-format on

} // namespace

TEST_P(RigPollerTune, ReadsTunesAndReadsBack)
{
    const TuneRow& row = GetParam();
    SimulatedRig rig(row.kind);
    playRow(rig, row);
    state.selectBand("80");
    start(rig, row.type);
    const auto bytes = [&] { return rig.received.toHex(' ').toStdString() + " | " + rig.received.toStdString(); };
    WAIT_EQ(state.band(), QString(row.band), 3000);
    if (row.readMode) {
        WAIT_EQ(state.mode(), QString(row.readMode), 3000);
    }
    EXPECT_TRUE(rig.received.startsWith(row.pollStart)) << bytes();

    rig.received.clear();
    poller.ChangeFrequency(Frequency::fromMHz(row.tuneTo));
    EXPECT_TRUE(poller.changing()); // returned at once; the exchange runs on timers
    WAIT_TRUE(!poller.changing(), 5000);
    EXPECT_TRUE(poller.polling());
    qsizetype at = 0;
    for (const QByteArray& frame : row.sent) {
        at = rig.received.indexOf(frame, at);
        ASSERT_GE(at, 0) << bytes();
    }
    if (!row.notSent.isEmpty()) {
        EXPECT_EQ(rig.received.indexOf(row.notSent), -1) << bytes();
    }
    WAIT_EQ(state.band(), QString(row.tunedBand), 3000);
    // Read back to the hertz: 7.0305 logs as 7.031, where a single would have made it 7.030.
    WAIT_EQ(state.frequency(), Frequency::fromMHz(row.tuneTo).toMHzText(), 3000);
    if (row.tunedMode) {
        WAIT_EQ(state.mode(), QString(row.tunedMode), 3000);
    }
    EXPECT_TRUE(dialogs.calls.empty()) << dialogs.messages().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(RigTypes, RigPollerTune, ::testing::ValuesIn(kTuneRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RigPollerPty, Icom735ConvertFromHexShowsTheRawReply)
{
    SimulatedRig rig(Kind::Icom735);
    poller.settings().convertFromHex = true;
    start(rig, "Icom 735");
    WAIT_TRUE(poller.rawReadout().startsWith("FE FE E0 64 0"), 3000);
}

TEST_F(RigPollerPty, YaesuCatOnOffOnlyWhenTicked)
{
    for (bool ticked : {false, true}) {
        SCOPED_TRACE(ticked);
        SimulatedRig rig(Kind::Yaesu);
        poller.settings().catOnOff = ticked;
        start(rig, "Yaesu");
        WAIT_EQ(state.frequency(), QString("14.025"), 3000);
        EXPECT_EQ(rig.received.startsWith(hex("00 00 00 00 00")), ticked);
        poller.shutdown();
        EXPECT_FALSE(poller.port().PortOpen());
        if (ticked) {
            WAIT_TRUE(rig.received.endsWith(hex("00 00 00 00 80")), 3000);
        } else {
            EXPECT_EQ(rig.received.indexOf(hex("00 00 00 00 80")), -1);
        }
        state.clearFrequency();
    }
}

// Every rig type of the table at every poll rate the rig window offers, all polling at once.
// Binary replies dribble in at 4800 baud (the 757's 75-byte block takes about 170 ms), the
// others come split or behind noise as in their rows: each reading taken must be the radio's,
// never a piece of a reply or one of the 757's memory records.
struct RigPollerRate : ::testing::TestWithParam<char> {};

TEST_P(RigPollerRate, EveryRigTypeReadsOnlyWholeReplies)
{
    struct Radio : PollerParts {
        explicit Radio(const TuneRow& r) : row(r), rig(r.kind) {}
        const TuneRow& row;
        SimulatedRig rig;
        QStringList seen;
        QElapsedTimer started;
        qint64 firstMs = 0;
    };
    const QChar rate = QLatin1Char(GetParam());
    const int tickMs = rate == QLatin1Char('F')   ? 50
                       : rate == QLatin1Char('M') ? 250
                       : rate == QLatin1Char('S') ? 1000
                                                  : 5000;
    const int enough = rate == QLatin1Char('F') ? 6 : rate == QLatin1Char('M') ? 2 : 1;
    std::vector<std::unique_ptr<Radio>> radios;
    for (const TuneRow& row : kTuneRows) {
        auto& r = *radios.emplace_back(std::make_unique<Radio>(row));
        playRow(r.rig, row);
        r.rig.baud = 4800; // binary replies only
        // Timed from the first answer: starting twenty ports may hold up the event loop longer
        // than a tick.
        QObject::connect(&r.rig, &SimulatedRig::answered, [&r] {
            if (!r.started.isValid())
                r.started.start();
        });
        QObject::connect(&r.poller, &RigPoller::readingTaken, [&r] {
            r.seen << QString::number(r.poller.lastFrequency().hz) + ' ' + r.poller.lastMode();
            if (r.seen.size() == 1)
                r.firstMs = r.started.elapsed();
        });
        RigSettings& s = r.poller.settings();
        s.selectRig(QString::fromLatin1(row.type));
        s.ports = SerialPortTable({r.rig.device()});
        s.port = 1;
        s.pollRate = rate;
        ASSERT_TRUE(r.poller.start()) << row.name;
        ASSERT_EQ(r.poller.tickMs(), tickMs); // two ticks per poll: "100 ms" polls every 100 ms
    }
    WAIT_TRUE(std::all_of(radios.begin(), radios.end(), [&](const auto& r) { return r->seen.size() >= enough; }),
              15000);
    for (const auto& r : radios) {
        r->poller.stop();
        // The one-command-per-poll families have no mode yet after their first reading.
        const QString whole = QString::number(r->row.hz) + ' ' + QLatin1String(r->row.readMode);
        const QString first = QString::number(r->row.hz) + ' ';
        for (const QString& reading : r->seen)
            EXPECT_TRUE(reading == whole || reading == first) << r->row.name << ": " << r->seen.join('|').toStdString();
        // Six fast polls are enough for every family to have asked for the mode too.
        if (rate == QLatin1Char('F')) {
            EXPECT_EQ(r->seen.last(), whole) << r->row.name;
        }
        // Read at the first read tick, not a poll later (a binary reply's quiet gap is timed
        // from its last byte, not from the tick that collected it).
        if (rate == QLatin1Char('R')) {
            EXPECT_LT(r->firstMs, 8000) << r->row.name;
        }
        EXPECT_TRUE(r->dialogs.calls.empty()) << r->dialogs.messages().join('|').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(PollRates, RigPollerRate, ::testing::Values('F', 'M', 'S', 'R'),
                         [](const auto& info) { return std::string(1, info.param); });

TEST_F(RigPollerPty, UnpluggedRigIsReportedOnceAndTestReopens)
{
    // Opened by a link, as from /dev/serial/by-id: unplugging takes the link away, whereas the
    // pty's own number may be handed at once to another test running beside this one.
    QTemporaryDir byId;
    const QString link = byId.filePath("usb-Kenwood-" + QFileInfo(byId.path()).fileName());
    auto rig = std::make_unique<SimulatedRig>(Kind::Kenwood);
    ASSERT_TRUE(QFile::link(rig->device(), link));
    start(*rig, "Kenwood", QLatin1Char('F'), link);
    WAIT_EQ(state.frequency(), QString("14.025"), 3000);
    rig->vanish();
    QFile::remove(link);
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
