#include "keying/KeyingEngine.h"
#include "VirtualKeyingClock.h"
#include "keying/CwSendBuffer.h"
#include "keying/KeyLines.h"
#include "keying/MorseCode.h"
#include "keying/ParallelKeyLine.h"
#include "keying/RecordingKeyLine.h"
#include "keying/SerialKeyLine.h"
#include "support/WaitFor.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

#include <set>

namespace {

using Stretch = RecordingKeyLine::Run;
constexpr qint64 Ms = 1'000'000;

// Key-down/up stretches from a written element pattern at one element time, e.g. "1000".
std::vector<Stretch> runsOf(const std::string& elements, qint64 elementNs)
{
    std::vector<Stretch> out;
    for (char e : elements) {
        const bool down = e == '1';
        if (!out.empty() && out.back().down == down)
            out.back().ns += elementNs;
        else
            out.push_back({down, elementNs});
    }
    return out;
}

struct Engine : ::testing::Test {
    VirtualKeyingClock clock;
    CwSendBuffer buffer;
    std::shared_ptr<RecordingKeyLine> line = std::make_shared<RecordingKeyLine>(clock);
    KeyingEngine engine{buffer, clock};
    int finished = 0;
    QStringList remaining;
    qint64 startNs = 0;

    void SetUp() override
    {
        engine.setKeyLine(line);
        engine.setSpeed(20);
        QObject::connect(&engine, &KeyingEngine::runFinished, [this] { ++finished; });
        QObject::connect(&engine, &KeyingEngine::characterSent, [this](const QString& r) { remaining << r; });
    }
    // Sends `text` and waits for the run to end; the stretches keyed.
    std::vector<Stretch> send(const QString& text)
    {
        const int before = finished;
        startNs = clock.nowNs();
        buffer.replace(text);
        engine.LoopThroughCWBuffer();
        EXPECT_TRUE(QTest::qWaitFor([&] { return finished > before; }, 5000));
        EXPECT_EQ(finished, before + 1);
        EXPECT_FALSE(buffer.sending());
        return line->runs(clock.nowNs());
    }
};

TEST(MorseCode, CharactersAsWritten)
{
    const std::vector<std::pair<char, const char*>> rows{
        {'A', "10111000"},
        {'0', "1110111011101110111000"},
        {'?', "101011101110101000"},
        {'/', "1110101011101000"},
        {'=', "1110101010111000"},
        {'-', "1110101010111000"},
        {'[', "1011101011101000"},
        {']', "101010111010111000"},
        {';', "111010111011101000"},
        {'\\', "111010111010101110101000"},
        {'!', ""},
        {'%', ""},
    };
    for (const auto& [ch, elements] : rows) {
        SCOPED_TRACE(ch);
        EXPECT_EQ(MorseCode::elements(QChar::fromLatin1(ch)), QByteArray(elements));
    }
    EXPECT_DOUBLE_EQ(MorseCode::elementMs(0), 0.0);
}

TEST_F(Engine, KeysExactElementsAt20Wpm)
{
    struct Row {
        const char* text;
        int wordSpace;
        std::string elements;
    };
    const std::vector<Row> rows{
        {"E", 0, "1000"},
        {"T", 0, "111000"},
        {"e", 0, "1000"},
        {"E%T", 0, "1000111000"},                            // skipped without a gap
        {"E T", 0, "1000" + std::string(8, '0') + "111000"}, // eight more elements up: 480 ms
        {"E T", -8, "1000111000"},
        {"E T", 2, "1000" + std::string(10, '0') + "111000"},
        {"E T", -20, "1000111000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        SCOPED_TRACE(row.wordSpace);
        line->clear();
        engine.setWordSpace(row.wordSpace);
        EXPECT_EQ(send(QString::fromLatin1(row.text)), runsOf(row.elements, 60 * Ms));
        ASSERT_FALSE(line->events().empty());
        EXPECT_EQ(line->events().front().atNs, startNs);
    }
}

TEST_F(Engine, KeysPressedDuringACharacterActAfterIt)
{
    struct Row {
        const char* what;
        int atCall;
        std::function<void(Engine&)> act;
        const char* text;
        std::vector<Stretch> keyed;
    };
    const std::vector<Row> rows{
        {"speed change",
         1,
         [](Engine& t) { t.engine.setSpeed(40); },
         "EE",
         {{true, 60 * Ms}, {false, 180 * Ms}, {true, 30 * Ms}, {false, 90 * Ms}}},
        // Esc while the second element of "A" is keyed.
        {"buffer emptied", 3, [](Engine& t) { t.buffer.clear(); }, "AAAA", runsOf("10111000", 60 * Ms)},
        // F2 during F1's first character: F1 ends there, F2 is sent in full, one run.
        {"new message", 2,
         [](Engine& t) {
             t.buffer.replace(QStringLiteral("T"));
             t.engine.LoopThroughCWBuffer();
         },
         "EEEE", runsOf("1000111000", 60 * Ms)},
        {"typed keys and a backspace", 1,
         [](Engine& t) {
             t.buffer.append(QStringLiteral("TE"));
             t.buffer.removeLast();
             t.engine.LoopThroughCWBuffer(); // already running: takes the typed key itself
         },
         "E", runsOf("1000111000", 60 * Ms)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        line->clear();
        engine.setSpeed(20);
        line->onCall = [this, &row](int calls) {
            if (calls == row.atCall)
                row.act(*this);
        };
        EXPECT_EQ(send(QString::fromLatin1(row.text)), row.keyed);
    }
}

TEST_F(Engine, LogMarkIsReachedAfterTheCharactersBeforeIt)
{
    // The log signal is queued before the next character starts; what was keyed by then is
    // the whole "TU".
    QList<qsizetype> keyedAtLog;
    QObject::connect(&engine, &KeyingEngine::logContactReached, [&] { keyedAtLog << remaining.size(); });
    send(QStringLiteral("TU!E"));
    EXPECT_EQ(keyedAtLog, QList<qsizetype>{2});
    EXPECT_EQ(remaining, (QStringList{QStringLiteral("U!E"), QStringLiteral("!E"), QStringLiteral("E"), QString()}));
}

TEST_F(Engine, ZeroSpeedAbandonsTheCharacterKeyUp)
{
    engine.setSpeed(0);
    send(QStringLiteral("T"));
    const auto ev = line->events();
    ASSERT_EQ(ev.size(), 1u);
    EXPECT_FALSE(ev[0].down);
}

TEST_F(Engine, SleepTimingSleepsWholeMilliseconds)
{
    engine.setTiming(KeyingEngine::Timing::Sleep);
    engine.setSpeed(7); // 171.43 ms elements sleep 171 ms
    EXPECT_EQ(send(QStringLiteral("E")), runsOf("1000", 171 * Ms));
}

TEST(KeyLines, PrinterPortAddressesAndDevices)
{
    EXPECT_EQ(ParallelKeyLine::parseAddress(QStringLiteral("&H378")), 0x378u);
    EXPECT_EQ(ParallelKeyLine::parseAddress(QStringLiteral("&h278")), 0x278u);
    EXPECT_EQ(ParallelKeyLine::parseAddress(QStringLiteral("888")), 888u);
    EXPECT_FALSE(ParallelKeyLine::parseAddress(QStringLiteral("&HXYZ")));
    EXPECT_EQ(ParallelKeyLine::deviceForBase(0x378), QStringLiteral("/dev/parport0"));
    EXPECT_EQ(ParallelKeyLine::deviceForBase(0x278), QStringLiteral("/dev/parport1"));
    EXPECT_FALSE(ParallelKeyLine::deviceForBase(0x3BC));
}

TEST(KeyLines, MissingDevicesDoNotOpen)
{
    // What the keyers open from their settings.
    const std::pair<std::function<std::shared_ptr<KeyLine>(QString*)>, const char*> rows[] = {
        {[](QString* e) { return KeyLines::openSerial(0, SerialKeyLine::Line::Dtr, e); }, "no serial port 0"},
        {[](QString* e) { return KeyLines::openSerial(99, SerialKeyLine::Line::Rts, e); }, "no serial port 99"},
        {[](QString* e) { return KeyLines::openPrinter(QStringLiteral("&H3BC"), e); }, "no printer port at &H3BC"},
        {[](QString* e) { return KeyLines::openPrinter(QStringLiteral("&H278"), e); }, "/dev/parport1: "},
    };
    for (const auto& [open, error] : rows) {
        SCOPED_TRACE(error);
        QString e;
        EXPECT_EQ(open(&e), nullptr);
        EXPECT_TRUE(e.startsWith(QString::fromLatin1(error))) << e.toStdString();
    }
}

TEST(KeyingThread, WindowKeepsAnsweringWhileAMessageIsSent)
{
    MonotonicKeyingClock clock;
    CwSendBuffer buffer;
    KeyingEngine engine(buffer, clock);
    auto line = std::make_shared<RecordingKeyLine>(clock);
    engine.setKeyLine(line);
    engine.setSpeed(60);
    QEventLoop loop;
    QObject::connect(&engine, &KeyingEngine::runFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);

    // The window's event loop sees the key line between most of its changes; keying on the
    // GUI thread would show it only before and after the message. No clock is read, so a
    // loaded machine does not fail the case.
    std::set<size_t> seen;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] { seen.insert(line->events().size()); });
    buffer.replace(QStringLiteral("CQ FD DE N0CALL K"));
    engine.LoopThroughCWBuffer();
    tick.start();
    loop.exec();
    EXPECT_FALSE(buffer.sending());
    const size_t changes = line->events().size();
    ASSERT_GT(changes, 100u);
    EXPECT_GT(seen.size(), changes / 2);
}

} // namespace
