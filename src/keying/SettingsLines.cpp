#include "keying/SettingsLines.h"

#include <QIODevice>

namespace SettingsLines {

std::optional<QString> value(QIODevice& f, bool keepUnclosedQuote)
{
    if (f.atEnd())
        return std::nullopt;
    QByteArray line = f.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    if (line.size() >= 2 && line.startsWith('"') && line.endsWith('"'))
        return QString::fromLatin1(line.mid(1, line.size() - 2));
    if (line.startsWith('"') && !keepUnclosedQuote)
        return std::nullopt;
    return QString::fromLatin1(line.trimmed());
}

std::optional<int> number(QIODevice& f, bool keepUnclosedQuote)
{
    const std::optional<QString> v = value(f, keepUnclosedQuote);
    bool ok = false;
    const int n = v ? v->toInt(&ok) : 0;
    return ok ? std::optional<int>(n) : std::nullopt;
}

} // namespace SettingsLines
