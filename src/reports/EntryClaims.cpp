#include "reports/EntryClaims.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

ClaimedScore scoreClaims(qint64 qsoPoints, const EntryClaims& claims, QChar classLetter)
{
    ClaimedScore s;
    s.multiplier = powerMultiplier2025(claims.level, claims.sources);
    s.bonusPoints = computeBonus(claims.bonus, classLetter).total;
    s.claimed = claimedScore(qsoPoints, s.multiplier, s.bonusPoints);
    s.x5Refusal = x5Refusal(claims.level, claims.sources);
    return s;
}

QChar entryClassLetter(const QString& cls)
{
    const QString t = cls.trimmed();
    return t.isEmpty() ? QChar() : t.back();
}

namespace EntryClaimsFile {

QString path(const QString& dataDir)
{
    return dataDir + QLatin1Char('/') + QLatin1String(FileName);
}

QString sourcesText(const PowerSources& s)
{
    QStringList names;
    const std::pair<const char*, bool> all[] = {{"battery", s.battery}, {"solar", s.solar},         {"wind", s.wind},
                                                {"other", s.other},     {"generator", s.generator}, {"mains", s.mains}};
    for (const auto& [name, on] : all) {
        if (on)
            names << QLatin1String(name);
    }
    return names.join(QLatin1Char(','));
}

EntryClaims read(const QString& dataDir)
{
    EntryClaims c;
    QFile f(path(dataDir));
    if (!f.open(QIODevice::ReadOnly))
        return c;
    for (const QString& raw : QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype eq = raw.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = raw.left(eq).trimmed().toLower();
        const QString value = raw.mid(eq + 1).trimmed();
        if (key == QLatin1String("power")) {
            parsePowerLevel(value, c.level);
        } else if (key == QLatin1String("source")) {
            parsePowerSources(value, c.sources);
        } else if (findBonusRule(key)) {
            bool ok = false;
            const qint64 n = value.toLongLong(&ok);
            if (ok && n > 0)
                c.bonus.insert(key, n);
        }
    }
    return c;
}

bool write(const QString& dataDir, const EntryClaims& claims, QString* error)
{
    QByteArray text = "power = " + powerLevelText(claims.level).toLatin1() + "\r\n";
    text += "source = " + sourcesText(claims.sources).toLatin1() + "\r\n";
    for (const BonusRule& r : bonusRules())
        text += QByteArray(r.key) + " = " + QByteArray::number(claims.bonus.value(QLatin1String(r.key))) + "\r\n";
    QSaveFile f(path(dataDir));
    if (f.open(QIODevice::WriteOnly) && f.write(text) == text.size() && f.commit())
        return true;
    if (error)
        *error = f.errorString();
    return false;
}

} // namespace EntryClaimsFile
