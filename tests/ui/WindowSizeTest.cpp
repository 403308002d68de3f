// Every window the logger opens, at the default font: its size hint fits a 1024x768 screen.
#include "app/AppContext.h"
#include "log/Station.h"
#include "rig/RigPoller.h"
#include "settings/Preferences.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestAppOptions.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"
#include "ui/BonusCalculatorWindow.h"
#include "ui/FrequencyTestWindow.h"
#include "ui/MainWindow.h"
#include "ui/RigWindows.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct Measured {
    QString title;
    QSize hint;
};

QWidgetList shownBeside(QWidget& main)
{
    QWidgetList shown;
    for (QWidget* t : QApplication::topLevelWidgets()) {
        if (t != &main && t->isVisible() && t->windowType() != Qt::Popup && t->windowType() != Qt::ToolTip)
            shown << t;
    }
    return shown;
}

} // namespace

TEST(WindowSizes, EveryWindowFitsA1024x768Screen)
{
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    Preferences p;
    p.ownCall = "K1ABC";
    p.ownClass = "2A";
    p.ownSection = "CT";
    p.utcOffset = 4;
    ASSERT_TRUE(SavePref(dir.file("fdpref.dat"), p));
    AppContext app(testAppOptions(dir), dialogs, clock);
    ASSERT_TRUE(app.start());
    MainWindow& w = app.window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    std::vector<Measured> seen{{w.windowTitle(), w.sizeHint()}};
    // Modal windows are measured while they run, then left with Esc.
    QTimer modalWatch;
    QObject::connect(&modalWatch, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            seen.push_back({modal->windowTitle(), modal->sizeHint()});
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    modalWatch.start(5);
    const char* const actions[] = {
        "mnuRigControl", "mnuRigTune",     "mnuCWSetup",    "mnuWinKey",      "mnuCodePractice", "mnuPhone",
        "mnuBlind",      "mnuStationSync", "mnuPacketSpot", "mnuSpectrumMap", "mnuWsjtx",        "mnuOperatorStats",
        "mnuGraph",      "mnuBandPlan",    "mnuSectionMap", "mnuColors",      "mnuHelpPage",     "mnuWriteSumm",
        "mnuCheckLog",   "mnuCombine",     "mnuSetup",      "mnuOperator",    "mnuBackupOptions"};
    for (const char* name : actions) {
        SCOPED_TRACE(name);
        auto* a = w.findChild<QAction*>(name);
        ASSERT_NE(a, nullptr);
        const size_t before = seen.size();
        a->trigger();
        for (QWidget* t : shownBeside(w)) {
            seen.push_back({t->windowTitle(), t->sizeHint()});
            t->hide();
        }
        EXPECT_GT(seen.size(), before) << "nothing opened";
    }
    QTest::keyClick(&w, Qt::Key_W, Qt::ControlModifier); // the CW strings panel
    for (QWidget* t : shownBeside(w)) {
        seen.push_back({t->windowTitle(), t->sizeHint()});
        t->hide();
    }
    modalWatch.stop();
    FrequencyTestWindow frequencyTest(w.rig().poller());
    seen.push_back({frequencyTest.windowTitle(), frequencyTest.sizeHint()});
    BonusCalculatorWindow bonus({}, QLatin1Char('A'), 400, 2);
    seen.push_back({bonus.windowTitle(), bonus.sizeHint()});

    QStringList titles;
    for (const Measured& m : seen) {
        titles << m.title;
        EXPECT_LE(m.hint.width(), 1024) << m.title.toStdString();
        EXPECT_LE(m.hint.height(), 768 - 40) << m.title.toStdString(); // room for the title bar
    }
    for (const char* t : {"Rig Interface Setup", "CW String Selections", "Phone Wave Selections", "DX Spotting Setup",
                          "HF Spectrum Map", "Test Change Frequency Function"})
        EXPECT_TRUE(titles.contains(QString::fromLatin1(t))) << t << " in " << titles.join(" | ").toStdString();
}
