// The spotting session over telnet, against the loopback cluster.
#include "ClusterReplayServer.h"
#include "SpotSessionFixture.h"
#include "spots/TelnetSpotSource.h"
#include "support/QtPrinters.h"

namespace {
const QByteArray kSpot = "DX de K1TTT:     14025.0  W1AW         CW 599                         1307Z\r\n";
const QByteArray kNotice = "To ALL de W1AW: QST\r\n";
} // namespace

TEST_F(SpotSessionFixture, TelnetSessionShowsTextAndPassesSpotsOnce)
{
    ClusterReplayServer server({"login: ", kNotice + kSpot + kSpot, false});
    session.chooseSource("Telnet");
    session.settings().telnetHost = "127.0.0.1";
    session.settings().telnetPort = QString::number(server.port());
    session.settings().listDxOnly = 1;
    EXPECT_EQ(session.sendPrompt(), "Type text to send and press enter:");
    session.openPort();
    EXPECT_TRUE(session.isListening());
    EXPECT_EQ(session.received().text(), QStringLiteral("** Attempting to Open Port **\r\n\r\n"
                                                        "Attempting connection to: 127.0.0.1:%1\r\n\r\n")
                                             .arg(server.port()));
    WAIT_TRUE(session.received().text().endsWith("login: "), 5000);
    session.sendText("N0CALL");
    WAIT_TRUE(server.finished, 5000);
    WAIT_EQ(board.rows().size(), 1u, 5000);
    EXPECT_FALSE(session.received().text().contains("QST")) << "List DX Only";
    EXPECT_EQ(session.received().text().count("W1AW         CW 599"), 1);
    session.closePort();
    EXPECT_TRUE(session.received().text().endsWith("\r\n** Port Closed **"));
}

TEST_F(SpotSessionFixture, SendBeforeConnectionAndRefusedConnection)
{
    const quint16 port = closedLoopbackPort();
    session.chooseSource("Telnet");
    session.settings().telnetHost = "127.0.0.1";
    session.settings().telnetPort = QString::number(port);
    QSignalSpy beeps(&session, &SpotSession::beep);
    session.sendText("sh/dx");
    EXPECT_TRUE(session.received().text().endsWith(
        "\r\n**  Connection not yet established.  Please wait a moment and try again.\r\n"));
    WAIT_EQ(beeps.size(), 1, 5000);
    EXPECT_TRUE(session.received().text().endsWith("ERROR: Connection is forcefully rejected.\r\n** Port Closed **"));
    EXPECT_FALSE(session.isListening());
}

TEST_F(SpotSessionFixture, DisplayRefreshEveryThreeHundredSixtyTicks)
{
    QSignalSpy refresh(&session, &SpotSession::displayRefreshDue);
    for (int i = 0; i < 719; ++i)
        session.pollTick();
    EXPECT_EQ(refresh.size(), 1);
    session.pollTick();
    EXPECT_EQ(refresh.size(), 2);
}

// A cluster's burst is read in slices between other events; every line still arrives, and
// when the cluster leaves right after it, before the news that it left.
TEST(TelnetSource, ABurstArrivesWholeWhetherTheClusterStaysOrLeaves)
{
    for (const bool leaves : {false, true}) {
        SCOPED_TRACE(leaves);
        QTcpServer cluster;
        ASSERT_TRUE(cluster.listen(QHostAddress::LocalHost));
        TelnetSpotSource source;
        QStringList events;
        QObject::connect(&source, &SpotSource::lineReceived, [&](const QString& line) { events << line; });
        QObject::connect(&source, &SpotSource::closedByPeer, [&] { events << "closed"; });
        source.open("127.0.0.1", cluster.serverPort());
        WAIT_TRUE(cluster.hasPendingConnections(), 5000);
        QTcpSocket* peer = cluster.nextPendingConnection();
        QStringList expected;
        QByteArray burst;
        for (int i = 0; i < 20000; ++i) {
            expected << QStringLiteral("line %1").arg(i);
            burst += expected.back().toLatin1() + "\r\n";
        }
        if (leaves)
            expected << "closed";
        peer->write(burst);
        if (leaves)
            peer->disconnectFromHost();
        WAIT_EQ(events.size(), expected.size(), 10000);
        EXPECT_EQ(events.last(), expected.last());
        EXPECT_TRUE(events == expected) << "lines lost or out of order";
    }
}
