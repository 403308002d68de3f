#include "settings/RulesSetting.h"

#include <QFile>
#include <QSaveFile>

namespace RulesSetting {

QString path(const QString& dataDir)
{
    return dataDir + QLatin1Char('/') + QLatin1String(FileName);
}

RulesEdition read(const QString& dataDir)
{
    QFile f(path(dataDir));
    if (!f.open(QIODevice::ReadOnly))
        return DefaultRulesEdition;
    QString line = QString::fromLatin1(f.readLine()).trimmed();
    if (line.size() >= 2 && line.startsWith(QLatin1Char('"')) && line.endsWith(QLatin1Char('"')))
        line = line.mid(1, line.size() - 2);
    return parseRulesEdition(line).value_or(DefaultRulesEdition);
}

bool write(const QString& dataDir, RulesEdition edition, QString* error)
{
    QSaveFile f(path(dataDir));
    const QByteArray text = '"' + rulesEditionKey(edition).toLatin1() + "\"\r\n";
    if (f.open(QIODevice::WriteOnly) && f.write(text) == text.size() && f.commit())
        return true;
    if (error)
        *error = f.errorString();
    return false;
}

} // namespace RulesSetting
