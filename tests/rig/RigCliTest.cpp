// fdlog-cli rig-poll / rig-set as a separate process against a simulated rig on a pty.
#include "peers/NoisyRigctld.h"
#include "sim/SimulatedRig.h"
#include "support/CliProcess.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// Runs fdlog-cli while this process's event loop keeps the simulated rig answering.
CliRun runCli(const QStringList& args, const QString& dataDir)
{
    return runCliProgram(FDLOG_CLI, args, dataDir, 20000);
}

} // namespace

// One line per reading. CW on the FT8 calling frequency: the rig's word by default, DIG when
// the frequency decides.
TEST(RigCli, PollPrintsOneLinePerReading)
{
    struct Row {
        SimulatedRig::Kind kind;
        QStringList args;
        int exitCode;
        QByteArray out;
        QByteArray firstSent = {};
    };
    const Row rows[] = {
        {SimulatedRig::Kind::Kenwood, {"--rig", "Kenwood", "--polls", "2"}, 0, "14.07400 CW\n14.07400 CW\n"},
        {SimulatedRig::Kind::Kenwood, {"--rig", "Kenwood", "--mode-by", "rig"}, 0, "14.07400 CW\n"},
        {SimulatedRig::Kind::Kenwood, {"--rig", "Kenwood", "--mode-by", "frequency"}, 0, "14.07400 DIG\n"},
        {SimulatedRig::Kind::Kenwood, {"--rig", "Kenwood", "--mode-by", "band"}, 2, ""},
        // One command per poll: the mode is not known at the first reading.
        {SimulatedRig::Kind::Icom,
         {"--rig", "Icom", "--settings", "9600,N,8,1", "--freq-cmd", "FE FE 5E E0 03 FD", "--mode-cmd",
          "FE FE 5E E0 04 FD", "--rate", "F", "--polls", "2"},
         0,
         "14.07400\n14.07400 CW\n",
         QByteArray::fromHex("FEFE5EE003FD")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        TempDataDir dir;
        SimulatedRig rig(row.kind);
        rig.hz = 14074000;
        const auto r = runCli(QStringList{"rig-poll", "--port", rig.device()} + row.args, dir.path());
        EXPECT_EQ(r.exitCode, row.exitCode) << r.err.toStdString();
        EXPECT_EQ(r.out, row.out);
        EXPECT_TRUE(rig.received.startsWith(row.firstSent));
    }
}

TEST(RigCli, SetTunesWithTheExactFramesAndSetsTheMode)
{
    TempDataDir dir;
    SimulatedRig rig(SimulatedRig::Kind::Kenwood);
    const auto r =
        runCli({"rig-set", "--rig", "Kenwood", "--port", rig.device(), "--freq", "7.04", "--mode", "USB"}, dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_GE(rig.received.indexOf("MD3;FA00007040000;"), 0) << rig.received.toStdString();
    EXPECT_GT(rig.received.lastIndexOf("MD2;"), rig.received.indexOf("FA00007040000;"));
    EXPECT_EQ(rig.hz, 7040000);
    EXPECT_EQ(rig.mode, 2);
}

TEST(RigCli, BadArgumentsAndMissingPortsFail)
{
    TempDataDir dir;
    const std::tuple<QStringList, int, const char*> rows[] = {
        {{"rig-poll", "--rig", "Nonesuch", "--port", "/dev/null"}, 2, "--rig must name a rig list entry"},
        {{"rig-poll", "--rig", "Kenwood", "--port", dir.file("missing")}, 1, "Invalid Comm Settings."},
        {{"rig-set", "--rig", "Kenwood", "--port", dir.file("missing"), "--freq", "abc"}, 2, "--freq"},
        {{"rig-poll", "--rig", "Hamlib rigctld", "--port", "nohostport"}, 2, ""},
    };
    for (const auto& [args, exitCode, err] : rows) {
        const auto r = runCli(args, dir.path());
        EXPECT_EQ(r.exitCode, exitCode) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(err)) << r.err.toStdString();
    }
}

TEST(RigCli, PollOnAPortThatAnswersGarbageFails)
{
    TempDataDir dir;
    SimulatedRig kenwood(SimulatedRig::Kind::Kenwood);
    kenwood.babble = "\x13\x37?;MDx;FA12;";
    NoisyRigctld rigctld("garbage\n");
    const QStringList rows[] = {
        {"--rig", "Kenwood", "--port", kenwood.device()},
        {"--rig", "Hamlib rigctld", "--port", QStringLiteral("127.0.0.1:%1").arg(rigctld.port())},
    };
    for (const QStringList& row : rows) {
        SCOPED_TRACE(row.join(' ').toStdString());
        const auto r = runCli(QStringList{"rig-poll"} + row, dir.path());
        EXPECT_EQ(r.exitCode, 1) << r.out.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains("cannot be read")) << r.err.toStdString();
    }
}

TEST(RigCli, SimulatedRigProgramAnswersAPoll)
{
    struct Row {
        QStringList simArgs;
        const char* rig;
        QByteArray printed;
    };
    const Row rows[] = {
        {{"kenwood"}, "Kenwood", "14.02500 CW\n"},
        {{"ICOM", "7.04"}, "Icom", "7.04000\n"}, // the first Icom poll asks for the frequency only
    };
    for (const Row& row : rows) {
        TempDataDir dir;
        QProcess sim;
        sim.start(FDLOG_SIMRIG, row.simArgs);
        ASSERT_TRUE(sim.waitForStarted(5000));
        WAIT_TRUE(sim.canReadLine(), 5000);
        const QString device = QString::fromLocal8Bit(sim.readLine().trimmed());
        EXPECT_TRUE(device.startsWith("/dev/")) << device.toStdString();
        const auto r = runCli({"rig-poll", "--rig", row.rig, "--port", device}, dir.path());
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, row.printed) << row.rig;
        sim.terminate();
        EXPECT_TRUE(sim.waitForFinished(5000));
    }

    QProcess unknown;
    unknown.start(FDLOG_SIMRIG, {"nonesuch"});
    ASSERT_TRUE(unknown.waitForFinished(5000));
    EXPECT_EQ(unknown.exitCode(), 2);
    EXPECT_TRUE(unknown.readAllStandardError().contains("kenwood-if"));
}
