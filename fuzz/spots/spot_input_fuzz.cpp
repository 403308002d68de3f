// Spot sources hand us whatever the network sends: the line cutter, the spot line fields, the
// spot store and list, and the AGW frame reader must take any bytes without crashing or growing,
// and must cut the stream the same way whatever the read boundaries are.
#include "spots/AgwFrame.h"
#include "spots/LineSplitter.h"
#include "spots/ReceivedText.h"
#include "spots/SpotBoard.h"
#include "spots/SpotLine.h"
#include "util/Clock.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr qsizetype kLineLimit = 512;

void check(bool ok)
{
    if (!ok)
        std::abort();
}

// The same bytes in reads of `chunk` bytes.
template <typename Feed> void inChunks(const QByteArray& bytes, qsizetype chunk, Feed feed)
{
    for (qsizetype at = 0; at < bytes.size(); at += chunk)
        feed(bytes.mid(at, chunk));
}

void takeLines(const QStringList& lines, ReceivedText& box, SpotBoard& board)
{
    for (const QString& line : lines) {
        check(line.size() <= kLineLimit && !line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
        if (const auto spot = box.takeLine(line, line.size() & 1)) {
            board.BandMapSpots(spot->call, spot->frequencyKHz, spot->record);
            (void)CallPrefix(spot->record);
        }
        (void)isLoginPrompt(line);
        check(box.text().size() <= ReceivedText::kMaxChars);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype chunk = size > 0 ? 1 + data[0] % 64 : 1;
    static SystemClock clock;
    SpotBoard board(clock);
    board.setOwnCall(QStringLiteral("N0CALL"));
    ReceivedText box;

    // Telnet and TNC text: one read, then many small reads, must give the same lines.
    LineSplitter whole(kLineLimit);
    const QStringList lines = whole.feed(bytes);
    check(whole.pending().size() <= kLineLimit);
    LineSplitter pieces(kLineLimit);
    QStringList pieceLines;
    inChunks(bytes, chunk, [&](const QByteArray& b) { pieceLines += pieces.feed(b); });
    check(lines == pieceLines && whole.pending() == pieces.pending());
    takeLines(lines, box, board);

    // The packet engine's stream: the same frames whatever the reads; each frame writes back
    // as one frame of the same kind and data; connected data goes on as cluster text.
    AgwFrameReader reader;
    const std::vector<AgwFrame> frames = reader.feed(bytes);
    AgwFrameReader pieceReader;
    size_t pieceFrames = 0;
    inChunks(bytes, chunk, [&](const QByteArray& b) { pieceFrames += pieceReader.feed(b).size(); });
    check(pieceFrames == frames.size() && pieceReader.broken() == reader.broken());
    LineSplitter agwLines(kLineLimit);
    for (const AgwFrame& f : frames) {
        (void)agwConnectedCall(f);
        (void)agwDisconnectedCall(f);
        AgwFrameReader again;
        const std::vector<AgwFrame> back = again.feed(f.encode());
        check(back.size() == 1 && back[0].kind == f.kind && back[0].port == f.port && back[0].data == f.data);
        if (f.kind == 'D')
            takeLines(agwLines.feed(f.data), box, board);
    }
    check(board.rows().size() <= static_cast<size_t>(SpotBoard::kMaxRows));
    return 0;
}
