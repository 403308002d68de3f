// The CW windows offscreen, driven through their controls; the WinKey window against the
// simulated keyer on a pty.
#include "ui/CwWindows.h"
#include "VirtualKeyingClock.h"
#include "audio/WaveRecorder.h"
#include "keying/CwKeyer.h"
#include "keying/KeyingEngine.h"
#include "keying/RecordingKeyLine.h"
#include "keying/VoiceKeyer.h"
#include "keying/WinKeyClient.h"
#include "sim/SimulatedWinKey.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/WaitFor.h"
#include "ui/CodePracticeWindow.h"
#include "ui/CwSetupWindow.h"
#include "ui/CwStringsPanel.h"
#include "ui/PhoneSetupWindow.h"
#include "ui/WinKeyWindow.h"
#include "voice/FakeWavePlayer.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct CwWindowsTest : ::testing::Test {
    QTemporaryDir dir;
    VirtualKeyingClock clock;
    ScriptedDialogs dialogs;
    std::shared_ptr<RecordingKeyLine> line = std::make_shared<RecordingKeyLine>(clock);
    CwKeyer keyer{dir.path(), UserSettingsStore(dir.filePath(QStringLiteral("user.ini"))), clock};
    QWidget main;
    QLineEdit* call = new QLineEdit(&main);
    SimulatedWinKey peer;
    CwWindows windows{keyer, dialogs, [] { return QStringLiteral("K1ABC"); }, &main};

    void SetUp() override
    {
        keyer.openKeyLine = [this](const CwSettings&, QString*) { return line; };
        keyer.winKeyDevice = [this](int) { return peer.device(); };
    }
    template <class T> T* child(QWidget& w, const QString& name)
    {
        T* c = w.findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    // Types into a field and leaves it.
    void leave(QWidget& w, const char* name, const char* text)
    {
        auto* e = child<QLineEdit>(w, QString::fromLatin1(name));
        e->setText(QString::fromLatin1(text));
        emit e->editingFinished();
    }
    QString text(QWidget& w, const char* name) { return child<QLineEdit>(w, QString::fromLatin1(name))->text(); }
    QString label(QWidget& w, const char* name) { return child<QLabel>(w, QString::fromLatin1(name))->text(); }
};

TEST_F(CwWindowsTest, SetupFieldsFollowTheirRulesAndDoneWritesTheFile)
{
    CwSetupWindow& f = windows.setup();
    struct Row {
        const char* field;
        const char* typed;
        const char* after;
    };
    const Row rows[] = {{"txtSpace", "-12", "-8"},     {"txtSpace", "x", "0"}, {"txtCWLoop", "60", "0"},
                        {"txtCWLoop", "59.5", "59.5"}, {"Text11", "", "0"},    {"Text11", "22", "22"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.field + std::string(" ") + r.typed);
        leave(f, r.field, r.typed);
        EXPECT_EQ(text(f, r.field), QString::fromLatin1(r.after));
    }
    EXPECT_EQ(keyer.engine().speed(), 22.0);
    child<QPushButton>(f, "cmdFaster")->click();
    EXPECT_EQ(text(f, "Text11"), QStringLiteral("23"));
    QTest::keyClicks(child<QLineEdit>(f, "Text12"), "cq fd");
    EXPECT_EQ(keyer.settings().messages[9], QStringLiteral("CQ FD"));

    auto* winKeyButton = child<QPushButton>(f, "cmdWinKey");
    child<QRadioButton>(f, "Option5")->setChecked(true);
    EXPECT_EQ(keyer.settings().output, CwSettings::WinKey);
    EXPECT_FALSE(winKeyButton->isHidden());
    child<QRadioButton>(f, "Option2")->setChecked(true);
    EXPECT_TRUE(winKeyButton->isHidden());
    f.show();
    child<QPushButton>(f, "cmdDone")->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(windows.strings().isMinimized());
    EXPECT_EQ(label(windows.strings(), "lblCWString_9"), QStringLiteral("CQ FD"));
    CwSettings back;
    ASSERT_TRUE(back.load(CwSettings::path(dir.path())));
    EXPECT_EQ(QStringList({back.messages[9], back.repeatSeconds, QString::number(back.output)}),
              QStringList({"CQ FD", "59.5", QString::number(CwSettings::Dtr)}));
}

TEST_F(CwWindowsTest, TestButtonWantsAPortForTheSerialLines)
{
    keyer.settings().output = CwSettings::Dtr;
    keyer.settings().port = QStringLiteral("0");
    windows.setup().test();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(QStringList({dialogs.last().text, dialogs.last().title}),
              QStringList({"Please enter a com port for CW rig interface.", "A com port is required."}));
    EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(CwWindowsTest, StringsPanelSendsTheClickedMemory)
{
    keyer.settings().output = CwSettings::Dtr;
    keyer.settings().port = QStringLiteral("1");
    keyer.settings().messages[9] = QStringLiteral("E"); // F10
    keyer.apply();
    int runs = 0;
    QObject::connect(&keyer.engine(), &KeyingEngine::runFinished, [&] { ++runs; });
    windows.strings().sendRow(9);
    WAIT_EQ(runs, 1, 5000);
    EXPECT_EQ(line->events().size(), 4u); // E: down, up, and the gap

    keyer.settings().output = CwSettings::None;
    windows.strings().sendRow(9);
    EXPECT_TRUE(keyer.buffer().isEmpty());
}

TEST_F(CwWindowsTest, CtrlKeysFromTheEntryFieldsOpenTheWindows)
{
    main.show();
    main.activateWindow();
    call->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(call, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(windows.setup().isVisible());
    windows.setup().hide();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(call, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(windows.strings().isVisible());
}

TEST_F(CwWindowsTest, WinKeyWindowOpensSendsAndCloses)
{
    keyer.settings().output = CwSettings::WinKey;
    keyer.settings().wpm = QStringLiteral("28");
    WinKeyWindow& w = windows.winKey();
    w.show();
    EXPECT_EQ(text(w, "txtWKWPM"), QStringLiteral("28"));
    leave(w, "txtRatio", "68");
    EXPECT_EQ(text(w, "txtRatio"), QStringLiteral("50"));
    leave(w, "txtWKComPort", "2");
    child<QPushButton>(w, "cmdOpenWinkey")->click();
    WAIT_EQ(label(w, "lblOpenStatus"), QStringLiteral("WK Success!"), 3000);
    EXPECT_EQ(label(w, "lblVersion"), QStringLiteral("Version # 23"));
    WAIT_TRUE(peer.commands.contains(QByteArray("\x02\x1c", 2)), 3000);
    child<QPushButton>(w, "cmdOpenWinkey")->click();
    EXPECT_EQ(label(w, "lblOpenStatus"), QStringLiteral("WK Already Open"));

    auto* pot = child<QLabel>(w, "lblSpeedPot");
    WAIT_EQ(pot->text(), QStringLiteral("23 WPM"), 3000);
    peer.turnPot(5);
    WAIT_EQ(pot->text(), QStringLiteral("15 WPM"), 3000);

    auto* status = child<QLabel>(w, "lblStatus");
    peer.setPaused(true);
    child<QPushButton>(w, "cmdTest")->click();
    WAIT_EQ(status->text(), QStringLiteral("Busy"), 3000);
    peer.setPaused(false);
    WAIT_EQ(label(w, "lblEchoBk"), QStringLiteral("VVV TEST DE K1ABC"), 5000);
    WAIT_EQ(status->text(), QStringLiteral("Idle"), 3000);
    QTest::keyClicks(child<QLineEdit>(w, "Text1"), "tu");
    WAIT_EQ(peer.keyed, QByteArray("VVV TEST DE K1ABCTU"), 5000);

    // Defaults Test: the defaults on screen and sent, then the test message.
    leave(w, "txtWeight", "60");
    leave(w, "txtTail", "3");
    child<QRadioButton>(w, "optMode0")->click();
    const qsizetype before = peer.commands.size();
    child<QPushButton>(w, "cmdDefaultsTest")->click();
    EXPECT_EQ(text(w, "txtTail"), QStringLiteral("0"));
    EXPECT_TRUE(child<QRadioButton>(w, "optMode1")->isChecked());
    // Every echo read before closing: a late one would answer the next echo test.
    WAIT_EQ(label(w, "lblEchoBk"), QStringLiteral("VVV TEST DE K1ABCTUVVV TEST DE K1ABC"), 5000);
    const QList<QByteArray> sent = peer.commands.mid(before);
    for (const QByteArray& f : {QByteArray("\x03\x32", 2), QByteArray("\x04\x00\x00", 3), QByteArray("\x0e\x04", 2)})
        EXPECT_TRUE(sent.contains(f)) << f.toHex().toStdString();

    child<QPushButton>(w, "cmdCloseWinkey")->click();
    EXPECT_EQ(label(w, "lblOpenStatus"), QStringLiteral("Closed"));
    EXPECT_EQ(pot->text(), QString());
    EXPECT_TRUE(dialogs.calls.empty());

    child<QPushButton>(w, "cmdDone")->click();
    WinKeySettings saved;
    ASSERT_TRUE(saved.load(WinKeySettings::path(dir.path())));
    EXPECT_EQ(QStringList({QString::number(saved.port), saved.wpm}), QStringList({"2", "28"}));

    keyer.winKey().setAnswerTimeoutMs(50);
    peer.silent = true;
    w.openKeyer();
    WAIT_EQ(label(w, "lblOpenStatus"), QStringLiteral("No Echo Response"), 3000);
    WAIT_EQ(dialogs.calls.size(), 1u, 3000);
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Unable to establish connection with Winkey."));
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("Unable to establish connection with WinKey on com "
                                                              "port 2.  Please check")));
}

TEST_F(CwWindowsTest, CodePracticeGeneratesSendsAndShowsTheSpeed)
{
    keyer.settings().output = CwSettings::Dtr;
    keyer.settings().port = QStringLiteral("1");
    keyer.settings().wpm = QStringLiteral("15");
    keyer.apply();
    CodePracticeWindow& w = windows.codePractice();
    w.show();
    EXPECT_EQ(label(w, "Label8"), QStringLiteral("15"));
    child<QPushButton>(w, "Command7")->click();
    EXPECT_EQ(label(w, "Label8"), QStringLiteral("16"));
    child<QLineEdit>(w, "Text3")->setText(QStringLiteral("2"));
    child<QLineEdit>(w, "Text4")->setText(QStringLiteral("x"));
    child<QPushButton>(w, "Command2")->click();
    EXPECT_EQ(text(w, "Text4"), QStringLiteral("5"));
    const QString groups = child<QPlainTextEdit>(w, "Text1")->toPlainText();
    EXPECT_EQ(groups.size(), 12);
    child<QPushButton>(w, "Command3")->click();
    WAIT_EQ(child<QPlainTextEdit>(w, "Text2")->toPlainText(), groups, 5000);
    QTest::keyClicks(child<QLineEdit>(w, "Text5"), "ab");
    EXPECT_TRUE(child<QPlainTextEdit>(w, "Text2")->toPlainText().endsWith(QStringLiteral("AB")));
    EXPECT_EQ(text(w, "Text5"), QString());
}

TEST_F(CwWindowsTest, DoneTellsWhenItsFileCannotBeWritten)
{
    ManualClock voiceClock;
    FakeWavePlayer player;
    VoiceKeyer voice{dir.path(), player, voiceClock};
    WaveRecorder recorder;
    PhoneSetupWindow phone{voice, recorder, dialogs, &main};
    struct Row {
        QWidget* window;
        const char* file;
        const char* title;
    };
    const Row rows[] = {{&windows.setup(), "cw.txt", "CW String Selections"},
                        {&windows.winKey(), "WK.txt", "WinKey Setup"},
                        {&phone, "wave2.txt", "Phone Wave Selections"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        // A folder in the file's place: nobody, root included, can write it.
        ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromLatin1(r.file)));
        dialogs.clear();
        r.window->show();
        child<QPushButton>(*r.window, QStringLiteral("cmdDone"))->click();
        EXPECT_FALSE(r.window->isVisible());
        ASSERT_EQ(dialogs.calls.size(), 1u);
        EXPECT_EQ(QStringList({dialogs.last().text, dialogs.last().title}),
                  QStringList({QString("%1 could not be written in %2.").arg(r.file, dir.path()), r.title}));
    }
}

} // namespace
