// The keyer's notices in the main window's message label survive the entry's redraws.
#include "app/AppContext.h"
#include "keying/CwSettings.h"
#include "log/Station.h"
#include "settings/Preferences.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestAppOptions.h"
#include "support/TestFiles.h"
#include "ui/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(KeyerMessage, KeyboardCwNoticeStaysThroughEntryRedraws)
{
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    Preferences p;
    p.ownCall = "K1ABC";
    p.mode = "CW";
    p.band = "20";
    p.utcOffset = 4;
    ASSERT_TRUE(SavePref(dir.file("fdpref.dat"), p));
    CwSettings cw;
    cw.output = CwSettings::Cwdaemon; // an output that opens no port
    ASSERT_TRUE(cw.save(CwSettings::path(dir.path())));
    AppContext app(testAppOptions(dir), dialogs, clock);
    ASSERT_TRUE(app.start());
    MainWindow& w = app.window();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* call = w.findChild<QLineEdit*>("txtCall");
    auto* label = w.findChild<QLabel*>("lblDialog");
    call->setFocus();
    QTest::keyClick(call, Qt::Key_F12);
    const QString notice = "Keyboard CW mode is ON!  Press F12 to exit keyboard CW mode.";
    ASSERT_EQ(label->text(), notice);
    // Moving between the fields redraws the entry.
    w.findChild<QLineEdit*>("txtCK")->setFocus();
    call->setFocus();
    EXPECT_EQ(label->text(), notice);
    QTest::keyClick(call, Qt::Key_F12);
    EXPECT_EQ(label->text(), QString());
}

} // namespace
