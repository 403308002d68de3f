// The telnet source in-process against the loopback cluster: what the network sends that must
// not hurt us.
#include "ClusterReplayServer.h"
#include "spots/TelnetSpotSource.h"
#include "support/WaitFor.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
const QByteArray kSpot = "DX de K1TTT:     14025.0  W1AW         CW 599                         1307Z\r\n";
}

TEST(TelnetSource, HostileStreamsStillDeliverTheGoodLines)
{
    struct Row {
        const char* name;
        QByteArray session;
        QStringList lines;
    };
    const Row rows[] = {
        {"10 MB without a line end", QByteArray(10 * 1024 * 1024, 'x') + "\r\n" + kSpot, {kSpot.trimmed()}},
        {"binary garbage",
         QByteArray("\x00\x01\xfe\xff\x1b[2J", 8) + "\n" + kSpot,
         {QString::fromLatin1("\x00\x01\xfe\xff\x1b[2J", 8), kSpot.trimmed()}},
        {"dropped mid-line", kSpot + "DX de W3LPL:      7003.5  K2", {kSpot.trimmed()}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ClusterReplayServer server({"", r.session, false, true, 256 * 1024});
        TelnetSpotSource source;
        QStringList lines;
        QObject::connect(&source, &SpotSource::lineReceived, [&](const QString& l) { lines << l; });
        QSignalSpy closed(&source, &SpotSource::closedByPeer);
        source.open("127.0.0.1", server.port());
        WAIT_EQ(closed.size(), 1, 20000);
        EXPECT_EQ(lines, r.lines);
    }
}
