#include "keying/VoiceKeyer.h"
#include "FakeWavePlayer.h"
#include "keying/PhoneSettings.h"
#include "support/ManualClock.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// Takes whatever the voice keyer passes on, as the CW keyer would.
struct NextKeyer final : KeyerHandoff {
    bool windowKey(Key key, bool, const QString&) override { return keys.push_back(key), false; }
    std::vector<Key> keys;
};

class Voice : public ::testing::Test {
protected:
    Voice()
    {
        for (int i = 0; i < 9; ++i) {
            const QString name = QStringLiteral("F%1.wav").arg(i + 1);
            if (i != 4) // F5 names a file that is not there
                writeBytes(dir.file(name), "RIFF");
            keyer.settings().files[size_t(i)] = dir.file(name);
        }
        keyer.next = &next;
        keyer.openSerialLine = [this](int port, bool dtr, QString*) -> std::shared_ptr<KeyLine> {
            opened << QStringLiteral("serial %1 %2").arg(port).arg(dtr ? "DTR" : "RTS");
            return port == 9 ? nullptr : serial; // port 9 cannot be opened
        };
        keyer.openPrinterLine = [this](const QString& address, QString*) -> std::shared_ptr<KeyLine> {
            opened << QStringLiteral("printer ") + address;
            return printer;
        };
        keyer.releaseOtherPorts = [this] { opened << QStringLiteral("others released"); };
        // PTT must already be keyed when playback starts.
        player.onPlay = [this] { pttAtPlay = serial->down() || printer->down(); };
    }

    TempDataDir dir;
    ManualClock clock;
    FakeWavePlayer player;
    VoiceKeyer keyer{dir.path(), player, clock};
    NextKeyer next;
    std::shared_ptr<ClockedKeyLine> serial = std::make_shared<ClockedKeyLine>(clock);
    std::shared_ptr<ClockedKeyLine> printer = std::make_shared<ClockedKeyLine>(clock);
    QStringList opened;
    bool pttAtPlay = false;
};

TEST_F(Voice, PttSpansPlaybackOnTheChosenOutputs)
{
    struct Row {
        const char* port;
        int line;
        const char* opened;
        bool serialKeyed;
        bool printerKeyed;
        bool notified = true; // else only the keyer's poll sees the end
    };
    const std::vector<Row> rows{
        {"3", PhoneSettings::None, "others released|serial 3 RTS", true, false},
        {"3", PhoneSettings::Dtr, "others released|serial 3 DTR", true, false, false},
        {"0", PhoneSettings::Parallel, "printer &H278", false, true},
        // The printer port stays open from the row before.
        {"3", PhoneSettings::Parallel, "others released|serial 3 RTS", true, true},
        {"0", PhoneSettings::Rts, "", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.port) + " " + std::to_string(row.line));
        keyer.releasePort();
        opened.clear();
        serial->events.clear();
        printer->events.clear();
        keyer.settings().port = QString::fromLatin1(row.port);
        keyer.settings().line = row.line;
        keyer.settings().printerAddress = QStringLiteral("&H278");
        pttAtPlay = false;

        keyer.FKeyPhone(113);
        EXPECT_EQ(player.calls.last(), QStringLiteral("play"));
        EXPECT_EQ(pttAtPlay, row.serialKeyed || row.printerKeyed);
        EXPECT_TRUE(keyer.pttDown());
        clock.advanceMs(2500);
        keyer.checkPlayback(); // still playing: PTT stays
        EXPECT_TRUE(keyer.pttDown());
        player.end(row.notified);
        WAIT_TRUE(!keyer.pttDown(), 1000);
        EXPECT_EQ(opened.join(QLatin1Char('|')), QString::fromLatin1(row.opened));
        using Events = std::vector<std::pair<bool, qint64>>;
        const qint64 start = clock.monotonicMs() - 2500;
        const Events keyed{{true, start}, {false, start + 2500}};
        EXPECT_EQ(serial->events, row.serialKeyed ? keyed : Events{});
        EXPECT_EQ(printer->events, row.printerKeyed ? keyed : Events{});
    }
}

TEST_F(Voice, MissingFilesAndOtherKeysKeyNothing)
{
    keyer.settings().port = QStringLiteral("2");
    keyer.settings().files[1].clear();
    for (int code : {113, 116, 121, 111}) {
        SCOPED_TRACE(code);
        keyer.FKeyPhone(code);
        EXPECT_FALSE(keyer.pttDown());
        EXPECT_TRUE(serial->events.empty());
        EXPECT_FALSE(player.calls.contains(QStringLiteral("play")));
    }
}

TEST_F(Voice, PlayBackLetsTheOperatorListenWithoutPtt)
{
    keyer.settings().port = QStringLiteral("2");
    keyer.FKeyPhone(112);
    EXPECT_TRUE(keyer.playBack(2)); // cuts F1: its PTT goes up
    EXPECT_TRUE(keyer.playing());
    EXPECT_FALSE(serial->down());
    EXPECT_FALSE(keyer.playBack(4)); // F5 names no file
    EXPECT_EQ(serial->events.size(), 2u);
}

TEST_F(Voice, F1RepeatsFromTheEndOfPlaybackUntilAKey)
{
    keyer.settings().loopSeconds = QStringLiteral("5");
    QSignalSpy ptt(&keyer, &VoiceKeyer::pttChanged);
    keyer.windowKey(KeyerHandoff::Key::F1, false, QStringLiteral("PH"));
    EXPECT_TRUE(keyer.repeatArmed());
    for (int round = 0; round < 2; ++round) {
        clock.advanceMs(3000);
        player.end(true);
        ASSERT_TRUE(keyer.repeatPending());
        clock.advanceMs(4999);
        keyer.repeatDue();
        EXPECT_FALSE(keyer.playing());
        clock.advanceMs(1);
        keyer.repeatDue();
        EXPECT_TRUE(keyer.playing());
    }
    EXPECT_EQ(player.calls.count(QStringLiteral("play")), 3);
    // A key stops the loop; the message playing goes on to its end.
    EXPECT_FALSE(keyer.typedKey('K', QStringLiteral("PH")));
    EXPECT_TRUE(keyer.playing());
    EXPECT_FALSE(keyer.repeatArmed());
    player.end(true);
    EXPECT_FALSE(keyer.repeatPending());
    EXPECT_EQ(ptt.count(), 6);
    // The Stop button ends the loop too; 60 s or more is no repeat.
    EXPECT_TRUE(keyer.playTest());
    keyer.stopRepeat();
    player.end(true);
    EXPECT_FALSE(keyer.repeatPending());
    keyer.settings().loopSeconds = QStringLiteral("60");
    EXPECT_FALSE(keyer.playTest());
}

TEST_F(Voice, PhoneKeysAndEscape)
{
    keyer.settings().port = QStringLiteral("1");
    using K = KeyerHandoff::Key;
    EXPECT_TRUE(keyer.windowKey(K::F10, false, QStringLiteral("PH")));
    EXPECT_FALSE(keyer.windowKey(K::Escape, false, QStringLiteral("PH"))); // nothing playing: the entry's Esc
    EXPECT_FALSE(keyer.windowKey(K::F2, false, QStringLiteral("CW")));     // the CW keyer's
    EXPECT_EQ(next.keys, (std::vector<K>{K::Escape, K::F2}));
    EXPECT_TRUE(keyer.windowKey(K::F3, false, QStringLiteral("PH")));
    EXPECT_TRUE(keyer.windowKey(K::F4, false, QStringLiteral("PH"))); // cuts F3, PTT held throughout
    EXPECT_EQ(serial->events.size(), 1u);
    EXPECT_TRUE(serial->down());
    EXPECT_TRUE(keyer.windowKey(K::Escape, false, QStringLiteral("PH")));
    EXPECT_FALSE(keyer.playing());
    EXPECT_FALSE(serial->down());
    EXPECT_EQ(next.keys.size(), 2u);
}

TEST_F(Voice, BadPortIsReportedAndTheMessagePlaysUnkeyed)
{
    QSignalSpy failed(&keyer, &VoiceKeyer::setupFailed);
    keyer.settings().port = QStringLiteral("9");
    EXPECT_FALSE(keyer.PhoneSetup());
    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(failed[0][0].toString(), QStringLiteral("The port you have selected for Phone keying is invalid.  "
                                                      "Please select another or enter 0 for none."));
    // The message still plays, unkeyed.
    keyer.FKeyPhone(112);
    EXPECT_TRUE(keyer.playing());
    keyer.settings().port = QStringLiteral("0");
    EXPECT_TRUE(keyer.PhoneSetup());
}

TEST(PhoneSettings, FileRoundTripAndShortFiles)
{
    TempDataDir dir;
    const QString path = PhoneSettings::path(dir.path());
    QByteArray expected;
    for (int i = 1; i <= 9; ++i)
        expected += "\"/w/F" + QByteArray::number(i) + ".wav\"\r\n";
    expected += "\"3\"\r\n2\r\n\"7\"\r\n\"&H278\"\r\n";
    writeBytes(path, expected);
    PhoneSettings s;
    ASSERT_TRUE(s.load(path));
    EXPECT_EQ(QStringList({s.files[0], s.files[8], s.port, s.loopSeconds, s.printerAddress}),
              QStringList({"/w/F1.wav", "/w/F9.wav", "3", "7", "&H278"}));
    EXPECT_EQ(s.line, PhoneSettings::Parallel);
    ASSERT_TRUE(s.save(path));
    EXPECT_EQ(readBytes(path), expected);

    // A line code that is no number stops the reading: the rest keeps its values.
    writeBytes(path, expected.left(expected.indexOf("2\r\n")) + "x\r\n\"7\"\r\n");
    PhoneSettings cut;
    ASSERT_TRUE(cut.load(path));
    EXPECT_EQ(std::tuple(cut.port, cut.line, cut.loopSeconds),
              std::tuple(QStringLiteral("3"), int(PhoneSettings::None), QStringLiteral("0")));
    EXPECT_FALSE(PhoneSettings().load(dir.file(QStringLiteral("none.txt"))));

    const std::vector<std::pair<const char*, const char*>> loops{
        {"5", "5"}, {"59.9", "59.9"}, {"60", "0"}, {"-1", "0"}, {"x", "0"}};
    for (const auto& [in, out] : loops)
        EXPECT_EQ(PhoneSettings::checkedLoopSeconds(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;
    EXPECT_EQ(PhoneSettings::checkedPort(QStringLiteral("COM")), QStringLiteral("0"));
}

} // namespace
