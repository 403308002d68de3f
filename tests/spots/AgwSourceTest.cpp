// The AGW client against a loopback packet engine of our own: register, connect, data as
// lines, disconnect, and a frame with a lying length.
#include "LoopbackAgwEngine.h"
#include "spots/AgwSpotSource.h"
#include "support/WaitFor.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(AgwSource, RegisterConnectReadLinesDisconnect)
{
    LoopbackEngine engine;
    AgwSpotSource source;
    QSignalSpy opened(&source, &SpotSource::opened);
    QSignalSpy connected(&source, &AgwSpotSource::stationConnected);
    QSignalSpy disconnected(&source, &AgwSpotSource::stationDisconnected);
    QStringList lines;
    QObject::connect(&source, &SpotSource::lineReceived, [&](const QString& l) { lines << l; });
    source.open("127.0.0.1", engine.port(), "N0CALL");
    WAIT_EQ(opened.size(), 1, 5000);
    EXPECT_EQ(source.sendCommandLine("sh/dx"), AgwSpotSource::LineResult::NotConnected);
    EXPECT_EQ(source.sendCommandLine(":D"), AgwSpotSource::LineResult::NotConnected);
    EXPECT_EQ(source.sendCommandLine(":c "), AgwSpotSource::LineResult::NeedsCall);
    EXPECT_EQ(source.sendCommandLine(":c gb7djk"), AgwSpotSource::LineResult::Sent);
    WAIT_EQ(connected.size(), 1, 5000);
    EXPECT_EQ(source.connectedCall(), "GB7DJK");
    WAIT_EQ(lines.size(), 2, 5000);
    EXPECT_EQ(lines, (QStringList{"Hello from GB7DJK", "DX de K1TTT:     14025.0  W1AW         CW"}));
    EXPECT_EQ(source.sendCommandLine("sh/dx"), AgwSpotSource::LineResult::Sent);
    EXPECT_EQ(source.sendCommandLine(":d"), AgwSpotSource::LineResult::Sent);
    WAIT_EQ(disconnected.size(), 1, 5000);
    EXPECT_EQ(source.connectedCall(), "");
    ASSERT_EQ(engine.received.size(), 4u);
    EXPECT_EQ(engine.received[0].kind + engine.received[0].callFrom, "XN0CALL");
    EXPECT_EQ(engine.received[2].kind + engine.received[2].data, "Dsh/dx\r");
    EXPECT_EQ(engine.received[3].kind, 'd');
}

TEST(AgwSource, LyingLengthDropsTheConnection)
{
    LoopbackEngine engine;
    engine.lieAboutLength = true;
    AgwSpotSource source;
    QSignalSpy opened(&source, &SpotSource::opened);
    QSignalSpy failed(&source, &SpotSource::failed);
    source.open("127.0.0.1", engine.port(), "N0CALL");
    WAIT_EQ(opened.size(), 1, 5000);
    source.connectTo("GB7DJK");
    WAIT_EQ(failed.size(), 1, 5000);
    EXPECT_FALSE(source.isOpen());
}
