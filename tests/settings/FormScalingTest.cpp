#include "settings/FormScaling.h"
#include "settings/Preferences.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

using namespace FormScaling;

TEST(FormScaling, SecondaryWindowsScaleFromTheReferenceScreenAndSitAboveCentre)
{
    // A screen of exactly the reference size keeps the design size, 170 twips above centre.
    auto g = FitFormToScreen(QSize(4800, 3600), QSize(9600, 7200), 1.0);
    EXPECT_EQ(g.rect, QRect(2400, 1800 - 170, 4800, 3600));
    EXPECT_DOUBLE_EQ(g.fontFactor, 1.0);

    // 1920 x 1080 pixels at 15 twips per pixel.
    g = FitFormToScreen(QSize(4800, 3600), QSize(1920, 1080), twipsPerPixel(96));
    EXPECT_EQ(g.rect.size(), QSize(960, 540));
    EXPECT_EQ(g.rect.topLeft(), QPoint(480, 270 - 11));
    EXPECT_DOUBLE_EQ(g.fontFactor, 1080.0 * 15 / 7200);
}

// A size outside 30-100 % is the whole screen, never no window at all.
TEST(FormScaling, MainWindowByPercentAndFullScreen)
{
    const QRect screen(0, 0, 1920, 1080);
    const std::tuple<QRect, int, QRect, double> rows[] = {
        {screen, 75, QRect(240, 135, 1440, 810), 0.75},
        {QRect(1920, 0, 1000, 800), 30, QRect(1920 + 350, 280, 300, 240), 0.3},
        {screen, 0, screen, 1.0},
        {screen, 29, screen, 1.0},
        {screen, 101, screen, 1.0},
    };
    for (const auto& [on, percent, rect, font] : rows) {
        const auto g = ScaleMainWindowByPercent(on, percent);
        EXPECT_EQ(g.rect, rect) << percent;
        EXPECT_DOUBLE_EQ(g.fontFactor, font) << percent;
    }
    const QRect work(0, 0, 1920, 1040);
    EXPECT_EQ(FitMainWindowToScreen(screen, work, false).rect, screen);
    EXPECT_EQ(FitMainWindowToScreen(screen, work, true).rect, work);
    EXPECT_EQ(FitMainWindowToScreen(screen, QRect(0, 40, 1920, 1040), true).rect.top(), 40);
}

TEST(FormSizeSettings, PercentageIsClampedAndChecked)
{
    Preferences prefs;
    ScriptedDialogs dialogs;
    FormSizeSettings s(prefs, dialogs);
    // Each answer in turn: whether it is taken, the size kept, the dialog calls so far.
    const std::tuple<std::optional<QString>, bool, int, size_t> rows[] = {
        {"250", true, 100, 1}, // applied at once: no restart message
        {"10", true, 30, 2},   {"abc", false, 30, 4}, {std::nullopt, false, 30, 5}, // Cancel says nothing
        {" 90 ", true, 90, 6},
    };
    for (const auto& [answer, taken, percent, calls] : rows) {
        SCOPED_TRACE(answer.value_or("<cancel>").toStdString());
        dialogs.inputAnswers = {answer};
        EXPECT_EQ(s.askFormSize(), taken);
        EXPECT_EQ(prefs.formSizePercent, percent);
        EXPECT_EQ(dialogs.calls.size(), calls);
    }
    EXPECT_EQ(dialogs.calls[0].text, "Enter the % of the screen you would like the form to cover.  Try between 90 and "
                                     "100 for best results.  Values below 75 do not display well.");
    EXPECT_EQ(dialogs.calls[0].title, "Please enter screen percentage.");
    EXPECT_EQ(dialogs.calls[0].extra, "100");
    EXPECT_EQ(dialogs.calls[3].text, "Please enter only numeric values.");
    EXPECT_EQ(dialogs.calls[3].title, "Numeric Values Required");
}

TEST(FormSizeSettings, TaskbarFitOnlyAtFullSize)
{
    Preferences prefs;
    ScriptedDialogs dialogs;
    FormSizeSettings s(prefs, dialogs);
    prefs.formSizePercent = 90;
    EXPECT_FALSE(s.toggleTaskbarFit());
    EXPECT_EQ(prefs.taskbarFit, 0);
    EXPECT_EQ(dialogs.last().text, "The form size must be set to 100% to use the taskbar display option.");
    EXPECT_EQ(dialogs.last().title, "Please set your form size to 100% to use this option.");

    prefs.formSizePercent = 100;
    dialogs.clear();
    EXPECT_TRUE(s.toggleTaskbarFit());
    EXPECT_EQ(prefs.taskbarFit, 1);
    EXPECT_TRUE(s.toggleTaskbarFit());
    EXPECT_EQ(prefs.taskbarFit, 0);
    EXPECT_TRUE(dialogs.calls.empty());
}
