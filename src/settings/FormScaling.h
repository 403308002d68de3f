#pragma once

#include <QRect>
#include <QSize>

class Dialogs;
struct Preferences;

// Window sizes from the screen. Every window was laid out for a reference screen of
// 9600 x 7200 twips; Qt layouts place the controls, so only the window rectangle and a font
// factor are computed here. Sizes are in whatever unit the caller gives, as long as the screen
// and the window use the same one; the 170-twip lift of secondary windows is converted with
// the screen's twips per unit.
namespace FormScaling {

constexpr int ReferenceWidth = 9600;
constexpr int ReferenceHeight = 7200;
constexpr int SecondaryLiftTwips = 170;
constexpr int MinPercent = 30;
constexpr int MaxPercent = 100;

struct WindowGeometry {
    QRect rect;
    double fontFactor = 1.0;
    bool operator==(const WindowGeometry&) const = default;
};

// Secondary windows: the design size scaled from the reference screen to `screen`, centred,
// lifted by 170 twips (`twipsPerUnit` twips per unit of `screen`); fonts follow the screen
// height in twips.
// `design` is in twips.
WindowGeometry FitFormToScreen(QSize design, QSize screen, double twipsPerUnit);

// The main window below 100 %: that share of the screen, centred, fonts by the same share. A
// share outside 30-100 counts as 100.
WindowGeometry ScaleMainWindowByPercent(QRect screen, int percent);

// The main window at 100 %: the whole screen, or the work area (screen less the taskbar) when
// taskbarFit is on. The work area's own corner is used so a top or left taskbar never covers it.
WindowGeometry FitMainWindowToScreen(QRect screen, QRect workArea, bool taskbarFit);

// Twips per pixel at a logical dpi (15 at 96 dpi).
inline double twipsPerPixel(double dpi)
{
    return 1440.0 / dpi;
}

} // namespace FormScaling

// The two menu commands that change the window size settings.
class FormSizeSettings {
public:
    FormSizeSettings(Preferences& prefs, Dialogs& dialogs) : m_prefs(prefs), m_dialogs(dialogs) {}

    // Asks for the percentage (30..100). True when it was stored: the preferences must be
    // saved and the main window refitted.
    bool askFormSize();

    // Toggles the work-area fit, only at 100 %. True when it changed: save the preferences and
    // run FitMainWindowToScreen again.
    bool toggleTaskbarFit();

private:
    Preferences& m_prefs;
    Dialogs& m_dialogs;
};
