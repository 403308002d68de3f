// AGW packet engine frames: layout, stream cutting, lying lengths and the engine's notices.
#include "spots/AgwFrame.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {
AgwFrame notice(char kind, const char* text)
{
    return {.kind = kind, .callFrom = "GB7DJK", .callTo = "N0CALL", .data = QByteArray(text) + '\0'};
}
} // namespace

TEST(AgwFrame, HeaderLayoutByHand)
{
    const AgwFrame f{
        .port = 1, .kind = 'D', .pid = 0xF0, .callFrom = "N0CALL", .callTo = "LONGERCALL12", .data = "sh/dx\r"};
    EXPECT_EQ(f.encode(), QByteArray::fromHex("01000000 4400 F000") + QByteArray("N0CALL\0\0\0\0", 10) +
                              QByteArray("LONGERCAL\0", 10) + QByteArray::fromHex("06000000 00000000") + "sh/dx\r");
}

TEST(AgwFrameReader, FramesAcrossReadsAndALyingLength)
{
    const QByteArray a = notice('C', "*** CONNECTED With Station GB7DJK\r").encode();
    const AgwFrame data{.kind = 'D', .callFrom = "GB7DJK", .callTo = "N0CALL", .data = "DX de K1TTT: 14025.0 W1AW\r"};
    const QByteArray stream = a + data.encode();
    for (const int step : {1, 7, 36, 1000}) {
        SCOPED_TRACE(step);
        AgwFrameReader reader;
        std::vector<AgwFrame> got;
        for (qsizetype i = 0; i < stream.size(); i += step)
            for (AgwFrame& f : reader.feed(stream.mid(i, step)))
                got.push_back(std::move(f));
        ASSERT_EQ(got.size(), 2u);
        EXPECT_EQ(got[0].callFrom, "GB7DJK");
        EXPECT_EQ(got[1].data, data.data);
    }
    QByteArray liar = data.encode();
    liar[31] = '\x7f'; // about 2 GB promised
    AgwFrameReader reader;
    EXPECT_TRUE(reader.feed(a + liar + a).size() == 1);
    EXPECT_TRUE(reader.broken());
    EXPECT_TRUE(reader.feed(a).empty());
}

TEST(AgwFrame, EngineNotices)
{
    struct Row {
        AgwFrame frame;
        std::optional<QString> connected, disconnected;
    };
    const Row rows[] = {
        {notice('C', "*** CONNECTED With Station GB7DJK\r"), "GB7DJK", std::nullopt},
        {notice('C', "*** CONNECTED To Station W1AW-2\r"), "W1AW-2", std::nullopt},
        {notice('d', "*** DISCONNECTED From Station GB7DJK\r"), std::nullopt, "GB7DJK"},
        {notice('d', "*** DISCONNECTED RETRYOUT With N0NODE\r"), std::nullopt, "N0NODE"},
        {notice('D', "*** CONNECTED With Station GB7DJK\r"), std::nullopt, std::nullopt},
        {notice('C', "garbage"), std::nullopt, std::nullopt},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.frame.data.toStdString());
        EXPECT_EQ(agwConnectedCall(r.frame), r.connected);
        EXPECT_EQ(agwDisconnectedCall(r.frame), r.disconnected);
    }
}
