// fdlog-cli spots as a separate process against a loopback cluster replaying a recorded session.
#include "ClusterReplayServer.h"
#include "LoopbackAgwEngine.h"
#include "support/CliProcess.h"
#include "support/StationFiles.h"

#include <gtest/gtest.h>

namespace {

CliRun runCli(const QStringList& args, const QString& dataDir)
{
    return runCliProgram(FDLOG_CLI, args, dataDir, 40000);
}

// Worked out from the session by the column rules: the VE3XYZ spot's frequency columns hold
// "-#: 14025" and the "garbage" spot is not numeric, so neither prints; the 16-character call is
// cut to its 13 columns.
const QByteArray kAllSpots = "W1AW 14.02500 W1\n"
                             "K2LE/4 7.00350 K2LE\n"
                             "IP0TRC 14.02540 IP0\n"
                             "KH6/K1ABC 21.07400 K1\n"
                             "You've been spotted!  de G4ABC:     14010.0  N0CALL       you are loud"
                             "                   1313Z\n"
                             "N0CALL 14.01000 N0\n"
                             "DL/PA3ABCDEFG 144.30000 PA3\n";

struct Case {
    const char* name;
    QByteArray prompt;
    bool closeAfter;
    QStringList extra;
    QByteArray out;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class SpotCli : public ::testing::TestWithParam<Case> {};

} // namespace

TEST_P(SpotCli, PrintsSpotsFromTheReplayedSession)
{
    const Case& c = GetParam();
    TempDataDir dir;
    writeStation(dir, "N0CALL", "2A", "CT", {});
    ClusterReplayServer server({c.prompt, readBytes(SPOT_DATA_DIR "/cluster-session.txt"), c.closeAfter});
    const auto r = runCli(
        QStringList{"spots", "--telnet", QStringLiteral("127.0.0.1:%1").arg(server.port()), "--login", "N0CALL"} +
            c.extra,
        dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(server.received, "N0CALL\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, SpotCli,
    ::testing::Values(
        Case{"SpiderPromptCountThree", "login: ", false, {"--count", "3"}, kAllSpots.left(kAllSpots.indexOf("KH6"))},
        Case{"ArClusterPromptUntilClose", "Welcome to AR-Cluster\r\nPlease enter your call: ", true, {}, kAllSpots},
        Case{"NoPromptLoginAfterTwoSeconds", "", true, {}, kAllSpots}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SpotCliFailures, UnreachableOrClosedBeforeAnySpot)
{
    TempDataDir dir;
    ClusterReplayServer quiet({"login: ", "Goodbye\r\n"});
    const quint16 closedPort = closedLoopbackPort();
    const std::pair<quint16, QByteArray> rows[] = {
        {quiet.port(), "fdlog-cli: the source closed the connection before any spot\n"},
        {closedPort, "fdlog-cli: ERROR: Connection is forcefully rejected.\n"},
    };
    for (const auto& [port, err] : rows) {
        SCOPED_TRACE(port);
        const auto r =
            runCli({"spots", "--telnet", QStringLiteral("127.0.0.1:%1").arg(port), "--login", "N0CALL"}, dir.path());
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, err);
    }
    EXPECT_EQ(runCli({"spots", "--telnet", "nohost", "--login", "N0CALL"}, dir.path()).exitCode, 2);
}

TEST(SpotCliAgw, RegistersOwnCallConnectsToTheNodeAndPrintsItsSpots)
{
    TempDataDir dir;
    writeStation(dir, "N0CALL", "2A", "CT", {});
    LoopbackEngine engine;
    const auto r = runCli(
        {"spots", "--agw", QStringLiteral("127.0.0.1:%1").arg(engine.port()), "--node", "gb7djk", "--count", "1"},
        dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "W1AW 14.02500 W1\n");
    ASSERT_GE(engine.received.size(), 2u);
    EXPECT_EQ(engine.received[0].kind + engine.received[0].callFrom, "XN0CALL");
    EXPECT_EQ(engine.received[1].kind + engine.received[1].callTo, "CGB7DJK");
    EXPECT_EQ(runCli({"spots", "--agw", "127.0.0.1:8000"}, dir.path()).exitCode, 2) << "--node is required";
}
