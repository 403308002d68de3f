#include "log/UtcOffsetCheck.h"

#include "log/OperatingState.h"
#include "util/Clock.h"
#include "util/Dialogs.h"

#include <cmath>

namespace {

// Compares wall-clock readings as they are, whatever zone each carries.
QDateTime naive(const QDateTime& t)
{
    return QDateTime(t.date(), t.time(), Qt::UTC);
}

QString offsetText(double hours)
{
    return QString::number(hours, 'g', 7);
}

} // namespace

double recommendedUtcOffset(const Clock& clock)
{
    const qint64 minutes = naive(clock.localNow()).secsTo(naive(clock.utcNow())) / 60;
    return std::round(static_cast<double>(minutes) / 60.0 * 100.0) / 100.0;
}

bool CheckUtcOffset(const Clock& clock, OperatingState& state, Dialogs& dialogs)
{
    const double recommended = recommendedUtcOffset(clock);
    const float current = state.utcOffset();
    if (static_cast<float>(recommended) == current)
        return false;
    const QString prompt =
        QStringLiteral("Would you like to adjust the UTC offset in this program for your local time setting?\n\n"
                       "Current System Time: %1\nCurrent Local Time: %2\n\n"
                       "Recommended Offset Setting: %3\nCurrent Offset Setting: %4\n\n"
                       "Please click OK to accept the recommended change or Cancel to keep the current setting.")
            .arg(clock.utcNow().time().toString(QStringLiteral("HH:mm")),
                 clock.localNow().time().toString(QStringLiteral("HH:mm")), offsetText(recommended),
                 offsetText(static_cast<double>(current)));
    const auto answer =
        dialogs.inputText(prompt, QStringLiteral("Update the Local Time / UTC Offset?"), offsetText(recommended));
    if (!answer)
        return false;
    bool ok = false;
    const float value = answer->trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    if (!state.setUtcOffset(value)) {
        dialogs.message(utcOffsetOutOfRangeText(), utcOffsetOutOfRangeTitle(), Dialogs::Icon::Warning);
        return false;
    }
    return true;
}

QString utcOffsetOutOfRangeText()
{
    return QStringLiteral("The UTC offset must be between -12 and 14 hours. The current setting was kept.");
}

QString utcOffsetOutOfRangeTitle()
{
    return QStringLiteral("UTC Offset");
}
