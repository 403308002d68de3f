// Spot sources hand us whatever the network sends: the line cutter, the spot line fields, the
// spot store and list, and the AGW frame reader must take any bytes without crashing or growing.
#include "spots/AgwFrame.h"
#include "spots/LineSplitter.h"
#include "spots/ReceivedText.h"
#include "spots/SpotBoard.h"
#include "spots/SpotLine.h"
#include "util/Clock.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static SystemClock clock;
    SpotBoard board(clock);
    board.setOwnCall(QStringLiteral("N0CALL"));
    ReceivedText box;
    LineSplitter splitter(512);
    for (const QString& line : splitter.feed(bytes)) {
        if (const auto spot = box.takeLine(line, false)) {
            board.BandMapSpots(spot->call, spot->frequencyKHz, spot->record);
            (void)CallPrefix(spot->call);
        }
        (void)isLoginPrompt(line);
    }
    AgwFrameReader reader;
    for (const AgwFrame& f : reader.feed(bytes)) {
        (void)agwConnectedCall(f);
        (void)agwDisconnectedCall(f);
        (void)f.encode();
    }
    return 0;
}
