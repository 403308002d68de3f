#include "settings/FormScaling.h"

#include "settings/Preferences.h"
#include "util/Dialogs.h"

#include <algorithm>
#include <cmath>

namespace FormScaling {

WindowGeometry FitFormToScreen(QSize design, QSize screen, double twipsPerUnit)
{
    const double sx = static_cast<double>(screen.width()) / ReferenceWidth;
    const double sy = static_cast<double>(screen.height()) / ReferenceHeight;
    const int w = static_cast<int>(std::lround(design.width() * sx));
    const int h = static_cast<int>(std::lround(design.height() * sy));
    const int lift = static_cast<int>(std::lround(SecondaryLiftTwips / twipsPerUnit));
    // Fonts are in points, so they follow the screen's height in twips, not in pixels.
    const double font = screen.height() * twipsPerUnit / ReferenceHeight;
    return {QRect((screen.width() - w) / 2, (screen.height() - h) / 2 - lift, w, h), font};
}

WindowGeometry ScaleMainWindowByPercent(QRect screen, int percent)
{
    // A size nobody could have meant is taken as the whole screen rather than no window.
    if (percent < MinPercent || percent > MaxPercent)
        percent = MaxPercent;
    const int w = percent * screen.width() / 100;
    const int h = percent * screen.height() / 100;
    return {QRect(screen.x() + (screen.width() - w) / 2, screen.y() + (screen.height() - h) / 2, w, h),
            percent / 100.0};
}

WindowGeometry FitMainWindowToScreen(QRect screen, QRect workArea, bool taskbarFit)
{
    return {taskbarFit ? workArea : screen, 1.0};
}

} // namespace FormScaling

bool FormSizeSettings::askFormSize()
{
    const auto answer = m_dialogs.inputText(
        QStringLiteral("Enter the % of the screen you would like the form to cover.  Try between 90 and 100 for "
                       "best results.  Values below 75 do not display well."),
        QStringLiteral("Please enter screen percentage."), QString::number(m_prefs.formSizePercent));
    if (!answer)
        return false; // Cancel keeps the setting without a complaint
    bool ok = false;
    const double value = answer->trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        m_dialogs.message(QStringLiteral("Please enter only numeric values."),
                          QStringLiteral("Numeric Values Required"), Dialogs::Icon::Warning);
        return false;
    }
    const double clamped = std::clamp(value, double(FormScaling::MinPercent), double(FormScaling::MaxPercent));
    // The window applies the new size at once: no restart to ask for.
    m_prefs.formSizePercent = static_cast<quint8>(std::lround(clamped));
    return true;
}

bool FormSizeSettings::toggleTaskbarFit()
{
    if (m_prefs.formSizePercent != FormScaling::MaxPercent) {
        m_dialogs.message(QStringLiteral("The form size must be set to 100% to use the taskbar display option."),
                          QStringLiteral("Please set your form size to 100% to use this option."),
                          Dialogs::Icon::Information);
        return false;
    }
    m_prefs.taskbarFit = m_prefs.taskbarFit ? 0 : 1;
    return true;
}
