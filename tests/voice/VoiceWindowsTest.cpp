#include "audio/WaveRecorder.h"
#include "keying/VoiceKeyer.h"
#include "keying/VoicePrompter.h"
#include "keying/WaveFile.h"
#include "support/AppFixture.h"
#include "ui/VoiceActions.h"

#include <QDialog>
#include <QRadioButton>

namespace {

// Counts the paints a widget gets.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

using VoiceWindows = AppFixture;

TEST_F(VoiceWindows, TheProgramStaysLiveWhileMessagesAndPromptsPlay)
{
    prepare({}, [](Preferences& p) { p.mode = "PH"; });
    const WaveFormat w{1, 8000, 16, 8000 * 2 * 2}; // two seconds of silence
    writeBytes(dir.file("cq.wav"), WaveFile::header(w) + QByteArray(w.dataBytes, '\0'));
    ASSERT_TRUE(start());
    MainWindow& main = win();
    showActive();

    // Ctrl+P, a file for F1, Done writes wave2.txt.
    QTest::keyClick(&main, Qt::Key_P, Qt::ControlModifier);
    auto* phone = main.findChild<QDialog*>("PhoneFrm");
    ASSERT_TRUE(phone && phone->isVisible());
    EXPECT_EQ(phone->windowTitle(), "Phone Wave Selections");
    QTest::keyClicks(phone->findChild<QLineEdit*>("Text1"), dir.file("cq.wav"));
    // F2 recorded from the default input (the null sink's monitor here): press, wait, press.
    auto* record = phone->findChild<QPushButton*>("cmdRecord2");
    record->click();
    EXPECT_EQ(record->text(), "Stop rec.") << dialogs.messages().join(QLatin1Char('|')).toStdString();
    WAIT_TRUE(app->voice().recorder().recordedBytes() > 8000, 5000);
    record->click();
    EXPECT_EQ(phone->findChild<QLineEdit*>("Text2")->text(), dir.file("F2.wav"));
    const std::optional<WaveFormat> take = WaveFile::readFormat(dir.file("F2.wav"));
    ASSERT_TRUE(take) << dialogs.messages().join('|').toStdString();
    EXPECT_GT(take->lengthMs(), 100);
    phone->findChild<QPushButton*>("cmdPlay2")->click(); // heard back, PTT up
    EXPECT_TRUE(app->voice().keyer().playing());
    EXPECT_FALSE(app->voice().keyer().pttDown());
    phone->findChild<QPushButton*>("cmdDone")->click();
    EXPECT_FALSE(phone->isVisible());
    EXPECT_TRUE(readBytes(dir.file("wave2.txt")).startsWith('"' + dir.file("cq.wav").toLatin1() + "\"\r\n"));

    // F1 plays; the window draws and takes a call meanwhile; Esc stops the message.
    VoiceKeyer& keyer = app->voice().keyer();
    auto* call = child<QLineEdit>("txtCall");
    call->setFocus();
    QTest::keyClick(&main, Qt::Key_F1);
    ASSERT_TRUE(keyer.playing());
    PaintCounter counter;
    call->installEventFilter(&counter);
    QTest::keyClicks(call, "W1AW");
    EXPECT_EQ(call->text(), "W1AW");
    WAIT_TRUE(counter.paints > 0, 1000);
    EXPECT_TRUE(keyer.playing());
    QTest::keyClick(call, Qt::Key_Escape);
    EXPECT_FALSE(keyer.playing());

    // Call Only: "NavEn" heard out while the window works on, then "Call"; Done stores the level.
    trigger("mnuBlind");
    auto* nav = main.findChild<QDialog*>("BlindFrm");
    ASSERT_TRUE(nav);
    nav->findChild<QRadioButton*>("Option2")->click();
    VoicePrompter& prompter = app->voice().prompter();
    EXPECT_TRUE(prompter.holding());
    QTest::keyClicks(call, "K");
    EXPECT_EQ(call->text(), "W1AWK");
    WAIT_TRUE(!prompter.holding(), 8000);
    nav->findChild<QPushButton*>("cmdDone")->click();
    EXPECT_EQ(app->station().prefs().voiceNavigation, 1);

    // A PTT port that cannot be opened: the message, then the setup window, modal as from Ctrl+P.
    keyer.settings().port = "99";
    EXPECT_FALSE(keyer.PhoneSetup());
    WAIT_TRUE(phone->isVisible(), 2000);
    EXPECT_EQ(QApplication::activeModalWidget(), phone);
    EXPECT_EQ(dialogs.last().title, "Invalid port.");
}

} // namespace
