#include "VirtualKeyingClock.h"
#include "keying/CwKeyer.h"
#include "keying/CwSendBuffer.h"
#include "keying/WinKeyClient.h"
#include "keying/WinKeyProtocol.h"
#include "keying/WinKeySender.h"
#include "keying/WinKeySettings.h"
#include "sim/SimulatedWinKey.h"
#include "support/CliProcess.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray frame(std::initializer_list<int> bytes)
{
    QByteArray out;
    for (const int b : bytes)
        out.append(char(b));
    return out;
}

struct WinKey : ::testing::Test {
    SimulatedWinKey peer;
    WinKeyClient keyer;
    CwSendBuffer buffer;
    WinKeySender sender{buffer, keyer};

    // Opens the keyer on the peer; the open result.
    int open(const QString& device)
    {
        QSignalSpy opened(&keyer, &WinKeyClient::opened);
        keyer.open(device);
        if (opened.isEmpty() && !opened.wait(3000))
            return 1;
        return opened.first().first().toInt();
    }
};

TEST_F(WinKey, OpensWithEchoTestAndVersionOnce)
{
    EXPECT_EQ(open(QStringLiteral("/dev/ttyNoSuchPort")), WinKeyClient::ComOpenFailed);
    ASSERT_EQ(open(peer.device()), WinKeyClient::Success);
    EXPECT_EQ(peer.commands, (QList<QByteArray>{frame({0, 4, 0x55}), frame({0, 2})}));
    // A second open changes nothing on the line.
    EXPECT_EQ(open(peer.device()), WinKeyClient::AlreadyOpen);
    EXPECT_EQ(peer.commands.size(), 2);
    EXPECT_EQ(WinKeyProtocol::statusText(0x05), QStringLiteral("Busy, XOFF"));
    EXPECT_EQ(WinKeyProtocol::statusText(0x1A), QStringLiteral("Wait, Key Down, Break-in"));
    keyer.close();
    WAIT_TRUE(!peer.hostOpen(), 2000);
    EXPECT_EQ(keyer.sendChar('E'), WinKeyClient::NotOpen);
}

TEST_F(WinKey, SettingsGoOutByTheFieldRules)
{
    ASSERT_EQ(open(peer.device()), WinKeyClient::Success);
    WinKeySettings s{.wpm = "25", .weight = "55", .leadIn = "1", .tail = "2", .ratio = "40", .pins = 5, .mode = 16};
    s.applyAll(keyer);
    // The mode goes with serial echo on; the pot's span, then a reading of it, close the set.
    const QList<QByteArray> applied{frame({2, 25}), frame({3, 55}),      frame({4, 1, 2}),      frame({0x17, 40}),
                                    frame({9, 5}),  frame({0x0E, 0x14}), frame({5, 10, 25, 0}), frame({7})};
    WAIT_EQ(peer.commands.mid(2), applied, 3000);

    using F = WinKeySettings::Field;
    struct Row {
        F field;
        const char* typed;
        const char* after;
        QByteArray sent;
    };
    const std::vector<Row> rows{
        {F::Speed, "abc", "18", {}},
        {F::Speed, "150", "150", {}},
        {F::Speed, "30", "30", frame({2, 30})},
        {F::Ratio, "32", "32", frame({0x17, 32})},
        {F::Ratio, "67", "67", frame({0x17, 67})},
        {F::Ratio, "31", "50", {}},
        {F::Weight, "x", "50", {}},
        {F::LeadIn, "5", "5", frame({4, 5, 2})},
        {F::Tail, "q", "0", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        const qsizetype before = peer.commands.size();
        *s.text(row.field) = QString::fromLatin1(row.typed);
        s.fieldLeft(row.field, keyer);
        EXPECT_EQ(*s.text(row.field), QString::fromLatin1(row.after));
        if (!row.sent.isEmpty())
            WAIT_EQ(peer.commands.value(before), row.sent, 3000);
        // Nothing else (and nothing at all for a refused value) reaches the keyer.
        keyer.clearBuffer();
        WAIT_EQ(peer.commands.size(), before + (row.sent.isEmpty() ? 1 : 2), 3000);
    }
}

TEST(WinKeySettings, FileKeepsEveryValueAndReadsOldFiles)
{
    TempDataDir dir;
    const QString path = WinKeySettings::path(dir.path());
    const QByteArray file("3\r\n\"22\"\r\n\"45\"\r\n\"1\"\r\n\"3\"\r\n\"60\"\r\n8\r\n48\r\n");
    writeBytes(path, file);
    WinKeySettings s;
    ASSERT_TRUE(s.load(path));
    EXPECT_EQ(QStringList({s.wpm, s.weight, s.leadIn, s.tail, s.ratio}), QStringList({"22", "45", "1", "3", "60"}));
    EXPECT_EQ(std::tuple(s.port, s.pins, s.mode), std::tuple(3, 8, 48));
    ASSERT_TRUE(s.save(path));
    EXPECT_EQ(readBytes(path), file);
    writeBytes(path, file.left(file.indexOf("8\r\n"))); // written before pins and mode were kept
    WinKeySettings old;
    ASSERT_TRUE(old.load(path));
    EXPECT_EQ(std::tuple(old.port, old.pins, old.mode), std::tuple(3, 6, 0));
}

TEST_F(WinKey, XoffHoldsTheSenderUntilTheKeyerCatchesUp)
{
    peer.xoffAt = 3;
    peer.setPaused(true);
    ASSERT_EQ(open(peer.device()), WinKeyClient::Success);
    const QByteArray text("CQ FD K1ABC K1ABC K1ABC FD TEST");
    buffer.append(QString::fromLatin1(text));
    sender.WKTransmit();
    WAIT_TRUE(sender.heldTicks() >= 2, 3000);
    const QByteArray held = peer.waiting();
    WAIT_TRUE(sender.heldTicks() >= 10, 3000);
    EXPECT_EQ(peer.waiting(), held);         // nothing more while XOFF stood
    EXPECT_LE(held.size(), peer.xoffAt + 5); // what was on its way when XOFF came
    EXPECT_FALSE(buffer.isEmpty());

    QSignalSpy finished(&sender, &WinKeySender::runFinished);
    peer.setPaused(false);
    WAIT_EQ(peer.keyed, text, 3000);
    WAIT_EQ(keyer.status(), 0, 3000);
    EXPECT_EQ(finished.size(), 1);
    EXPECT_FALSE(buffer.sending());
}

TEST_F(WinKey, SenderEmptiesTheBufferWhenTheKeyerCannotOpen)
{
    sender.openKeyer = [this] { keyer.open(QStringLiteral("/dev/ttyNoSuchPort")); };
    buffer.append(QStringLiteral("TEST"));
    sender.WKTransmit();
    EXPECT_TRUE(buffer.isEmpty());
    EXPECT_FALSE(buffer.sending());
}

TEST_F(WinKey, CliOpensSetsSpeedAndKeysTheText)
{
    QTemporaryDir dir;
    const CliRun ok = runCliProgram(QStringLiteral(FDLOG_CLI),
                                    {"cw", "--output", "winkey", "--port", peer.device(), "--wpm", "25", "tu 5nn"},
                                    dir.path(), 15000);
    EXPECT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    EXPECT_EQ(peer.keyed, QByteArray("TU 5NN"));
    EXPECT_EQ(peer.commands.mid(0, 3), (QList<QByteArray>{frame({0, 4, 0x55}), frame({0, 2}), frame({2, 25})}));

    peer.silent = true;
    const CliRun mute = runCliProgram(QStringLiteral(FDLOG_CLI),
                                      {"cw", "--output", "winkey", "--port", peer.device(), "E"}, dir.path(), 15000);
    EXPECT_EQ(mute.exitCode, 1);
    EXPECT_EQ(mute.err,
              QByteArray("fdlog-cli: no WinKey answered the echo test on ") + peer.device().toLatin1() + '\n');
}

} // namespace

namespace {

// The keyer with the WinKey output: memories handed over with '!' logging at once, Escape
// and Backspace reaching the keyer while it sends.
TEST(WinKeyOutput, KeysMemoriesAndStopsOnEscape)
{
    QTemporaryDir dir;
    VirtualKeyingClock clock;
    SimulatedWinKey peer;
    CwKeyer keyer{dir.path(), UserSettingsStore(dir.filePath(QStringLiteral("user.ini"))), clock};
    keyer.winKeyDevice = [&peer](int) { return peer.device(); };
    int logged = 0;
    keyer.hisCall = [] { return QStringLiteral("K1ABC"); };
    keyer.logContact = [&logged] { ++logged; };
    keyer.settings().output = CwSettings::WinKey;
    keyer.settings().wpm = QStringLiteral("24");
    keyer.settings().messages[1] = QStringLiteral("$ TU!");
    keyer.settings().messages[2] = QStringLiteral("CQ CQ CQ FD");
    keyer.apply();

    ASSERT_TRUE(keyer.windowKey(KeyerHandoff::Key::F2, false, QStringLiteral("CW")));
    EXPECT_EQ(logged, 1); // logged as the text is handed over
    WAIT_EQ(peer.keyed, QByteArray("K1ABC TU!"), 5000);
    EXPECT_TRUE(peer.commands.contains(frame({2, 24})));

    peer.setPaused(true);
    keyer.windowKey(KeyerHandoff::Key::F3, false, QStringLiteral("CW"));
    WAIT_EQ(peer.waiting(), QByteArray("CQ CQ CQ FD"), 5000);
    WAIT_TRUE(keyer.winKey().status() > 0 && !keyer.sending(), 3000);
    keyer.UpDown1_UpClick();
    WAIT_TRUE(peer.commands.contains(frame({2, 25})), 3000);
    keyer.windowKey(KeyerHandoff::Key::F12, false, QStringLiteral("CW"));
    EXPECT_TRUE(keyer.typedKey(8, QStringLiteral("CW")));
    WAIT_EQ(peer.waiting(), QByteArray("CQ CQ CQ F"), 3000);
    EXPECT_TRUE(keyer.windowKey(KeyerHandoff::Key::Escape, false, QStringLiteral("CW")));
    EXPECT_TRUE(keyer.buffer().isEmpty());
    WAIT_EQ(peer.waiting(), QByteArray(), 3000);
}

} // namespace
