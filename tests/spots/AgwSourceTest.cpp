// The AGW client against a loopback engine of our own that lies about a frame length, and
// against the real direwolf, headless: version, register, and a connect attempt to an absent
// station that ends in the RETRYOUT notice.
#include "ClusterReplayServer.h"
#include "LoopbackAgwEngine.h"
#include "spots/AgwSpotSource.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>

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

TEST(Direwolf, VersionRegisterAndRetryout)
{
    const quint16 port = closedLoopbackPort();
    TempDataDir dir;
    const QString conf = dir.file("direwolf.conf");
    // One quick retry so the absent station gives up within seconds.
    writeBytes(conf, QStringLiteral("ADEVICE null null\nMYCALL N0CALL\nAGWPORT %1\nKISSPORT 0\nFRACK 1\nRETRY 1\n")
                         .arg(port)
                         .toLatin1());
    QProcess direwolf;
    direwolf.setProcessChannelMode(QProcess::MergedChannels);
    direwolf.start("direwolf", {"-c", conf, "-t", "0"});
    ASSERT_TRUE(direwolf.waitForStarted(5000)) << "direwolf is missing: run scripts/install-deps";

    AgwSpotSource source;
    QSignalSpy opened(&source, &SpotSource::opened);
    QSignalSpy version(&source, &AgwSpotSource::engineVersion);
    QSignalSpy gone(&source, &AgwSpotSource::stationDisconnected);
    // The engine says when it listens.
    QByteArray output;
    WAIT_TRUE((output += direwolf.readAll()).contains("Ready to accept AGW client"), 10000);
    source.open("127.0.0.1", port, "N0CALL");
    WAIT_EQ(opened.size(), 1, 5000);
    source.requestVersion();
    WAIT_EQ(version.size(), 1, 5000);
    EXPECT_GE(version.at(0).at(0).toInt(), 2000);
    source.connectTo("GB7DJK");
    WAIT_EQ(gone.size(), 1, 15000);
    EXPECT_EQ(gone.at(0).at(0).toString(), "GB7DJK");
    source.close();
    direwolf.kill();
    direwolf.waitForFinished(3000);
}
