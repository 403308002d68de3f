// The TNC source, the spotting session over it and fdlog-cli spots --tnc, each against a
// pseudo-terminal playing the TNC.
#include "SpotSessionFixture.h"
#include "rig/SerialPort.h"
#include "sim/PtyPeer.h"
#include "spots/TncSpotSource.h"
#include "support/CliProcess.h"
#include "support/StationFiles.h"

namespace {
const QByteArray kSpot = "DX de K1TTT:     14025.0  W1AW         CW 599                         1307Z\r\n";
const QByteArray kSpot2 = "DX de G4ABC:      7003.5  K2LE/4       CQ FD                          1308Z\r\n";

// The TNC's end of a pseudo-terminal, keeping everything the program sent it.
struct TncPeer : PtyPeer {
    QByteArray got;
    TncPeer()
    {
        connect(this, &PtyPeer::received, this, [this](const QByteArray& b) { got += b; });
    }
};
} // namespace

TEST(TncSource, EveryHandshakeOpensReadsLinesAndSendsCommands)
{
    for (int handshaking = 1; handshaking <= 4; ++handshaking) {
        SCOPED_TRACE(handshaking);
        TncPeer peer;
        ASSERT_TRUE(peer.isValid());
        TncSpotSource tnc(SerialPortTable({peer.slavePath()}));
        QStringList lines;
        QObject::connect(&tnc, &SpotSource::lineReceived, [&](const QString& l) { lines << l; });
        QSignalSpy prompts(&tnc, &SpotSource::promptReceived);
        ASSERT_TRUE(tnc.open({1, "9600,N,8,1", handshaking, QLatin1Char('D')}));
        EXPECT_EQ(tnc.port().Handshaking(), handshaking - 1);
        EXPECT_EQ(tnc.port().RTSEnable(), handshaking >= 3);
        // A line cut across two reads, and a prompt with no line end.
        peer.write("cmd:\r\n*** CONNECTED to GB7DJK\r\n" + kSpot.left(30));
        WAIT_TRUE((tnc.poll(), lines.size() == 2), 5000);
        peer.write(kSpot.mid(30) + "Please enter your call: ");
        WAIT_TRUE((tnc.poll(), prompts.size() == 1), 5000);
        EXPECT_EQ(lines, (QStringList{"cmd:", "*** CONNECTED to GB7DJK", QString::fromLatin1(kSpot.trimmed())}));
        EXPECT_TRUE(tnc.sendLine("N0CALL"));
        EXPECT_TRUE(tnc.sendCommandCharacter("03"));
        EXPECT_FALSE(tnc.sendCommandCharacter("1FF"));
        WAIT_EQ(peer.got, QByteArray("N0CALL\r\x03"), 5000);
        tnc.close();
        EXPECT_FALSE(tnc.sendLine("N0CALL"));
    }
}

TEST(TncSource, PortThatVanishesFailsAndMissingPortRefuses)
{
    PtyPeer peer;
    TncSpotSource tnc(SerialPortTable({peer.slavePath(), "/dev/fdlog-no-such-tty"}));
    QSignalSpy failed(&tnc, &SpotSource::failed);
    EXPECT_FALSE(tnc.open({2, "9600,N,8,1", 1, QLatin1Char('N')}));
    EXPECT_FALSE(tnc.open({1, "9600,X,8,1", 1, QLatin1Char('N')}));
    ASSERT_TRUE(tnc.open({1, "9600,N,8,1", 1, QLatin1Char('N')}));
    peer.vanish();
    WAIT_TRUE((tnc.poll(), failed.size() == 1), 5000);
    EXPECT_FALSE(tnc.isOpen());
}

TEST_F(SpotSessionFixture, TncSessionOpensPollsSendsAndRefusesABadPort)
{
    TncPeer peer;
    session.tnc().port().setTable(SerialPortTable({peer.slavePath()}));
    session.chooseSource("TNC");
    EXPECT_EQ(session.settings().handshaking, 3);
    EXPECT_EQ(session.sendPrompt(), "Send text  (Ctrl C or Esc for TNC Command mode):");
    session.settings().listDxOnly = 1;
    session.openPort();
    EXPECT_TRUE(session.isListening());
    EXPECT_TRUE(session.received().text().endsWith("** TNC Serial Port Open **\r\n\r\n"));
    session.sendText("C GB7DJK");
    peer.write("*** CONNECTED to GB7DJK\r\n" + kSpot + kSpot2 + kSpot);
    WAIT_EQ(board.rows().size(), 2u, 5000);
    EXPECT_FALSE(session.received().text().contains("CONNECTED")) << "List DX Only";
    session.sendCommandCharacter();
    EXPECT_EQ(session.settings().listDxOnly, 0);
    WAIT_EQ(peer.got, QByteArray("C GB7DJK\r\x03"), 5000);
    // Convert to Hex: the text is the bytes themselves, no CR added.
    session.settings().convertToHex = 1;
    session.sendText("C0 00 1B 0D");
    WAIT_EQ(peer.got, QByteArray("C GB7DJK\r\x03") + QByteArray::fromHex("C0001B0D"), 5000);

    QSignalSpy messages(&session, &SpotSession::message);
    session.settings().port = 5; // not in the table
    session.closePort();
    session.openPort();
    EXPECT_FALSE(session.isListening());
    EXPECT_TRUE(session.received().text().endsWith("** Unable to open TNC Serial Port **"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(QStringList({messages[0][0].toString(), messages[0][1].toString()}),
              QStringList({"The comm port that you selected for DX Spotting is either in use, invalid or the settings "
                           "that you have selected are invalid.  Please select another combination or choose None "
                           "for your DX Spot selection.",
                           "Invalid Comm Settings."}));
}

TEST(TncSource, CliConnectsThroughTheTncAndPrintsSpots)
{
    TempDataDir dir;
    writeStation(dir, "N0CALL", "2A", "CT", {});
    TncPeer peer;
    QObject::connect(&peer, &PtyPeer::received, [&] {
        if (peer.got == "C GB7DJK\r")
            peer.write("*** CONNECTED to GB7DJK\r\nlogin: ");
        else if (peer.got == "C GB7DJK\rN0CALL\r")
            peer.write(kSpot + kSpot2.left(20) + kSpot2.mid(20) + kSpot);
    });
    const CliRun r = runCliProgram(
        FDLOG_CLI, {"spots", "--tnc", peer.slavePath(), "--node", "gb7djk", "--login", "N0CALL", "--count", "2"},
        dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "W1AW 14.02500 W1\nK2LE/4 7.00350 K2LE\n");
    EXPECT_EQ(runCliProgram(FDLOG_CLI, {"spots", "--tnc", "/dev/fdlog-no-such-tty"}, dir.path()).exitCode, 1);
}
