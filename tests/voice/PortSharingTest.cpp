#include "FakeWavePlayer.h"
#include "keying/CwKeyer.h"
#include "keying/KeyerPortSharing.h"
#include "keying/KeyingEngine.h"
#include "keying/RecordingKeyLine.h"
#include "keying/VirtualKeyingClock.h"
#include "keying/VoiceKeyer.h"
#include "keying/WinKeyClient.h"
#include "sim/SimulatedWinKey.h"
#include "support/ManualClock.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using Key = KeyerHandoff::Key;

// PTT on one port, CW keying (a recorded line or the simulated WinKey) on the same or another.
struct Sharing : ::testing::Test {
    TempDataDir dir;
    ManualClock clock;
    VirtualKeyingClock keyingClock;
    FakeWavePlayer player;
    VoiceKeyer voice{dir.path(), player, clock};
    CwKeyer cw{dir.path(), UserSettingsStore(dir.file(QStringLiteral("user.ini"))), keyingClock};
    SimulatedWinKey peer;
    std::shared_ptr<ClockedKeyLine> ptt = std::make_shared<ClockedKeyLine>(clock);
    std::vector<std::shared_ptr<RecordingKeyLine>> cwLines; // one per opening
    bool cwOpens = true;
    QStringList seen; // who opened what, and whether the others had let go by then

    Sharing()
    {
        writeBytes(dir.file(QStringLiteral("F1.wav")), "RIFF");
        voice.settings().files[0] = dir.file(QStringLiteral("F1.wav"));
        voice.openSerialLine = [this](int port, bool, QString*) {
            seen << QStringLiteral("ptt %1 cw line %2 winkey %3")
                        .arg(port)
                        .arg(cw.engine().keyLine() ? "held" : "free", cw.winKey().isOpen() ? "open" : "closed");
            return ptt;
        };
        cw.openKeyLine = [this](const CwSettings& s, QString*) -> std::shared_ptr<KeyLine> {
            seen << QStringLiteral("cw %1 ptt %2").arg(s.port).arg(voice.heldPort() ? "held" : "free");
            if (!cwOpens)
                return nullptr;
            cwLines.push_back(std::make_shared<RecordingKeyLine>(keyingClock));
            return cwLines.back();
        };
        cw.winKeyDevice = [this](int) { return peer.device(); };
        cw.settings().wpm = QStringLiteral("30");
        cw.settings().messages[9] = QStringLiteral("EE");
        KeyerPortSharing::join(voice, cw);
    }
    ~Sharing() override { KeyerPortSharing::leave(voice, cw); }

    void playPhoneMessage(int port)
    {
        voice.settings().port = QString::number(port);
        voice.windowKey(Key::F1, false, QStringLiteral("PH"));
        ASSERT_TRUE(ptt->down());
        player.end(true);
    }
};

TEST_F(Sharing, CwLineGivesWayToPttAndTakesItBackAtItsNextCharacter)
{
    for (const int pttPort : {3, 4}) {
        SCOPED_TRACE(pttPort);
        const bool shared = pttPort == 3;
        cw.settings().output = CwSettings::Dtr;
        cw.settings().port = QStringLiteral("3");
        ASSERT_TRUE(cw.CWSetup());
        seen.clear();
        cwLines.clear();
        playPhoneMessage(pttPort);
        EXPECT_EQ(seen.join('|'),
                  QStringLiteral("ptt %1 cw line %2 winkey closed").arg(pttPort).arg(shared ? "free" : "held"));
        // The repeat or a window's button sends CW without any key passing the voice keyer.
        seen.clear();
        cw.FKeyCW(124);
        WAIT_TRUE(!cw.sending() && cw.buffer().isEmpty(), 3000);
        EXPECT_EQ(seen.join('|'), shared ? QStringLiteral("cw 3 ptt held") : QString());
        WAIT_EQ(voice.heldPort(), shared ? 0 : pttPort, 2000);
        // No character went unkeyed: E E, four elements each.
        const auto* line = dynamic_cast<RecordingKeyLine*>(cw.engine().keyLine().get());
        ASSERT_TRUE(line);
        EXPECT_EQ(line->events().size(), 8u);
        voice.releasePort();
    }
}

TEST_F(Sharing, AFailedTakeBackIsToldOncePerMessage)
{
    cw.settings().output = CwSettings::Rts;
    cw.settings().port = QStringLiteral("2");
    ASSERT_TRUE(cw.CWSetup());
    playPhoneMessage(2);
    cwOpens = false;
    QSignalSpy failed(&cw, &CwKeyer::setupFailed);
    QSignalSpy finished(&cw.engine(), &KeyingEngine::runFinished);
    seen.clear();
    cw.FKeyCW(124);
    WAIT_EQ(finished.count(), 1, 3000); // comes after every notice of the run
    EXPECT_EQ(seen.size(), 2);          // tried again for the second character
    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(QStringList({failed[0][0].toString(), failed[0][1].toString()}),
              QStringList({"The port you have selected for CW keying is invalid.  Please select another or enter 0 "
                           "for none.",
                           "Invalid port."}));
    EXPECT_EQ(voice.heldPort(), 2);
}

TEST_F(Sharing, WinKeyClosesForPttAndReopensBackInCw)
{
    ASSERT_TRUE(peer.isValid());
    cw.settings().output = CwSettings::WinKey;
    cw.winKeySettings().port = 1;
    for (const int pttPort : {2, 1}) {
        SCOPED_TRACE(pttPort);
        const bool shared = pttPort == 1;
        QSignalSpy opened(&cw, &CwKeyer::winKeyOpened);
        cw.openWinKey();
        WAIT_TRUE(cw.winKey().isOpen(), 3000);
        seen.clear();
        playPhoneMessage(pttPort);
        EXPECT_EQ(seen.join('|'),
                  QStringLiteral("ptt %1 cw line free winkey %2").arg(pttPort).arg(shared ? "closed" : "open"));
        WAIT_EQ(peer.hostOpen(), !shared, 2000);
        voice.windowKey(Key::Up, false, QStringLiteral("CW"));
        WAIT_TRUE(cw.winKey().isOpen() && peer.hostOpen(), 3000);
        EXPECT_EQ(voice.heldPort(), shared ? 0 : pttPort);
        EXPECT_EQ(opened.count(), shared ? 2 : 1);
        voice.releasePort();
    }
}

} // namespace
