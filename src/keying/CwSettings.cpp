#include "keying/CwSettings.h"

#include "keying/SettingsLines.h"
#include "settings/UserSettingsStore.h"

#include <QFile>
#include <QSaveFile>
#include <cmath>

namespace {

using SettingsLines::number;
using SettingsLines::value;

QByteArray quoted(const QString& s)
{
    return '"' + s.toLatin1() + '"';
}

} // namespace

bool CwSettings::load(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    // Texts in file order; the two bare numbers are read where they come.
    QString* const texts[] = {&messages[0], &messages[1], &messages[2],  &messages[3], &messages[4],
                              &messages[5], &messages[6], &messages[7],  &messages[8], &port,
                              &wpm,         &messages[9], &messages[10], &wordSpace};
    [&] {
        for (QString* t : texts) {
            const std::optional<QString> v = value(f);
            if (!v)
                return;
            *t = *v;
        }
        const std::optional<int> code = number(f);
        if (!code)
            return;
        output = *code;
        const std::optional<QString> address = value(f);
        if (!address)
            return;
        printerAddress = *address;
        const std::optional<int> display = number(f);
        if (!display)
            return;
        displayOnMain = *display != 0;
        if (const std::optional<QString> repeat = value(f))
            repeatSeconds = *repeat;
    }();
    if (messages[8].isEmpty())
        messages[8] = QStringLiteral("VVV DE ");
    return true;
}

bool CwSettings::save(const QString& path) const
{
    QByteArray out;
    const auto line = [&out](const QByteArray& v) { out += v + "\r\n"; };
    for (int i = 0; i < 9; ++i)
        line(quoted(messages[i]));
    line(quoted(port));
    line(quoted(wpm));
    line(quoted(messages[9]));
    line(quoted(messages[10]));
    line(quoted(wordSpace));
    line(QByteArray::number(output));
    line(quoted(printerAddress));
    line(displayOnMain ? "1" : "0");
    line(quoted(repeatSeconds));
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(out);
    return f.commit();
}

void CwSettings::loadUserValues(const UserSettingsStore& store)
{
    const QString t = store.value(QStringLiteral("UserCWSelection"));
    timing = (t == QLatin1String("Sleep") || t == QLatin1String("Loop")) ? t : QStringLiteral("Timer");
    loopCount = store.value(QStringLiteral("UserCWLoopOffset")).toDouble();
}

void CwSettings::saveUserValues(UserSettingsStore& store) const
{
    store.setValue(QStringLiteral("UserCWSelection"), timing);
    store.setValue(QStringLiteral("UserCWLoopOffset"), QString::number(loopCount));
}

int CwSettings::repeatIntervalMs(const QString& seconds)
{
    bool ok = false;
    const double s = seconds.toDouble(&ok);
    if (!ok || s < 0 || s >= 60)
        return 0;
    return static_cast<int>(std::lround(s * 1000));
}
