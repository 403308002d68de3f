#include "app/AppContext.h"
#include "log/Station.h"
#include "settings/Preferences.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestAppOptions.h"
#include "support/TestFiles.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {

TEST(AboutBox, HelpMenuShowsVersionAndQt)
{
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    Preferences p;
    p.ownCall = "K1ABC";
    p.ownClass = "2A";
    p.ownSection = "CT";
    p.utcOffset = 4; // matches the test clock: no offset question at start-up
    ASSERT_TRUE(SavePref(dir.file("fdpref.dat"), p));
    AppContext app(testAppOptions(dir), dialogs, clock);
    ASSERT_TRUE(app.start());
    dialogs.clear();

    auto* about = app.window().findChild<QAction*>("mnuAbout");
    ASSERT_NE(about, nullptr);
    about->trigger();

    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.last().title, "About Field Day Logger");
    EXPECT_TRUE(dialogs.last().text.contains("Version " FDLOG_VERSION "\n")) << dialogs.last().text.toStdString();
    EXPECT_TRUE(dialogs.last().text.contains(QStringLiteral("Qt ") + qVersion())) << dialogs.last().text.toStdString();
}

} // namespace
