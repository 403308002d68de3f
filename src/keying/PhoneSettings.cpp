#include "keying/PhoneSettings.h"

#include "keying/CwSettings.h"
#include "keying/SettingsLines.h"

#include <QFile>
#include <QSaveFile>
#include <optional>

namespace {

using SettingsLines::value;

} // namespace

bool PhoneSettings::load(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    [&] {
        for (QString& file : files) {
            const std::optional<QString> v = value(f);
            if (!v)
                return;
            file = v->trimmed();
        }
        const std::optional<QString> p = value(f);
        if (!p)
            return;
        port = *p;
        bool ok = false;
        const std::optional<QString> l = value(f);
        const int code = l ? l->toInt(&ok) : 0;
        if (!ok)
            return;
        line = code >= Rts && code <= Parallel ? code : None;
        const std::optional<QString> loop = value(f);
        if (!loop)
            return;
        loopSeconds = *loop;
        if (const std::optional<QString> address = value(f))
            printerAddress = *address;
    }();
    return true;
}

bool PhoneSettings::save(const QString& path) const
{
    QByteArray out;
    const auto quoted = [&out](const QString& s) { out += '"' + s.toLatin1() + "\"\r\n"; };
    for (const QString& file : files)
        quoted(file.trimmed());
    quoted(port);
    out += QByteArray::number(line == None ? int(Rts) : line) + "\r\n";
    quoted(loopSeconds);
    quoted(printerAddress);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(out);
    return f.commit();
}

int PhoneSettings::repeatIntervalMs() const
{
    return CwSettings::repeatIntervalMs(loopSeconds);
}

QString PhoneSettings::checkedPort(const QString& text)
{
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok ? text : QStringLiteral("0");
}

QString PhoneSettings::checkedLoopSeconds(const QString& text)
{
    bool ok = false;
    const double s = text.trimmed().toDouble(&ok);
    return ok && s >= 0 && s < 60 ? text : QStringLiteral("0");
}
