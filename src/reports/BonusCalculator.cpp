#include "reports/BonusCalculator.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <array>

namespace {

constexpr const char* AllClasses = "ABCDEF";

// Educational activity (7.3.10) is open to D and E entries only when they are clubs of three
// or more, which the program cannot know: it lets them claim and leaves that to the operator.
constexpr std::array<BonusRule, 19> Rules{{
    {"emergency_power_transmitters", "7.3.1", "100% emergency power (per transmitter, up to 20)", 100, true, 2000,
     "ABCEF"},
    {"media", "7.3.2", "Media publicity", 100, false, 0, AllClasses},
    {"public_location", "7.3.3", "Public location", 100, false, 0, "ABF"},
    {"info_table", "7.3.4", "Public information table", 100, false, 0, "ABF"},
    {"message_to_sm", "7.3.5", "Message to the SM/SEC", 100, false, 0, AllClasses},
    {"messages_handled", "7.3.6", "Formal messages handled (10 each, up to 100)", 10, true, 100, AllClasses},
    {"satellite", "7.3.7", "Satellite QSO", 100, false, 0, "ABF"},
    {"alternate_power", "7.3.8", "Alternate power (5 QSOs)", 100, false, 0, "ABEF"},
    {"w1aw_bulletin", "7.3.9", "W1AW Field Day bulletin", 100, false, 0, AllClasses},
    {"educational", "7.3.10", "Educational activity", 100, false, 0, "ADEF"},
    {"elected_official", "7.3.11", "Elected official visit", 100, false, 0, AllClasses},
    {"agency_visit", "7.3.12", "Served agency visit", 100, false, 0, AllClasses},
    {"gota_qsos", "7.3.13.1", "GOTA station QSOs (5 each)", 5, true, 0, "AF"},
    {"gota_coach", "7.3.13.2", "GOTA coach", 100, false, 0, "AF"},
    {"web_submission", "7.3.14", "Entry submitted by the web app", 50, false, 0, AllClasses},
    {"youth", "7.3.15", "Youth participation (20 each, up to 100)", 20, true, 100, AllClasses},
    {"social_media", "7.3.16", "Social media", 100, false, 0, AllClasses},
    {"safety_officer", "7.3.17", "Safety Officer", 100, false, 0, "A"},
    {"site_responsibilities", "7.3.18", "Site responsibilities", 50, false, 0, "BCDEF"},
}};

} // namespace

std::span<const BonusRule> bonusRules()
{
    return Rules;
}

const BonusRule* findBonusRule(const QString& key)
{
    for (const BonusRule& r : Rules) {
        if (key == QLatin1String(r.key))
            return &r;
    }
    return nullptr;
}

int bonusCap(const BonusRule& rule, QChar classLetter)
{
    // A class B entry has at most two operators to count.
    if (QLatin1String(rule.key) == QLatin1String("youth") && classLetter == QLatin1Char('B'))
        return 40;
    return rule.capPoints;
}

QString bonusRefusal(const BonusRule& rule, QChar classLetter)
{
    const QString classes = QLatin1String(rule.classes);
    if (!classLetter.isNull() && classes.contains(classLetter))
        return {};
    QStringList letters;
    for (QChar c : classes)
        letters << QString(c);
    const QString who = letters.size() == 1 ? QStringLiteral("class ") + letters[0]
                                            : QStringLiteral("classes ") + letters.join(QStringLiteral(", "));
    return QStringLiteral("Only %1 may claim this bonus").arg(who);
}

BonusResult computeBonus(const QHash<QString, qint64>& claims, QChar classLetter)
{
    BonusResult res;
    for (const BonusRule& r : Rules) {
        BonusLine line;
        line.rule = &r;
        line.claimed = std::max<qint64>(0, claims.value(QLatin1String(r.key)));
        if (!r.counted)
            line.claimed = std::min<qint64>(line.claimed, 1);
        line.refusal = bonusRefusal(r, classLetter);
        if (line.refusal.isEmpty()) {
            line.points = line.claimed * r.pointsEach;
            if (const int cap = bonusCap(r, classLetter); cap > 0)
                line.points = std::min<qint64>(line.points, cap);
        }
        res.total += line.points;
        res.lines.push_back(line);
    }
    return res;
}

bool readBonusFile(const QString& path, QHash<QString, qint64>& claims, QString& error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read the bonus file %1").arg(path);
        return false;
    }
    const QStringList lines = QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString key = line.left(eq).trimmed().toLower();
        bool ok = false;
        const qint64 value = line.mid(eq + 1).trimmed().toLongLong(&ok);
        if (eq < 0 || !findBonusRule(key)) {
            error = QStringLiteral("%1 line %2: unknown bonus '%3'").arg(path).arg(i + 1).arg(key);
            return false;
        }
        if (!ok || value < 0) {
            error = QStringLiteral("%1 line %2: %3 needs a whole number of 0 or more").arg(path).arg(i + 1).arg(key);
            return false;
        }
        claims.insert(key, value);
    }
    return true;
}
