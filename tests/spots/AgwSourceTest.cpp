// The AGW client against a loopback packet engine of our own: a frame with a lying length ends
// the connection.
#include "LoopbackAgwEngine.h"
#include "spots/AgwSpotSource.h"
#include "support/WaitFor.h"

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
