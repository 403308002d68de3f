#include "reports/PowerRules.h"

#include <QStringList>

QString powerLevelText(PowerLevel p)
{
    switch (p) {
    case PowerLevel::Up5:
        return QStringLiteral("5");
    case PowerLevel::Up100:
        return QStringLiteral("100");
    case PowerLevel::Over100:
        return QStringLiteral("100+");
    case PowerLevel::None:
        break;
    }
    return {};
}

bool parsePowerLevel(const QString& text, PowerLevel& out)
{
    const QString t = text.trimmed().remove(QLatin1Char(' '));
    for (PowerLevel p : {PowerLevel::None, PowerLevel::Up5, PowerLevel::Up100, PowerLevel::Over100}) {
        if (t == powerLevelText(p)) {
            out = p;
            return true;
        }
    }
    return false;
}

bool parsePowerSources(const QString& list, PowerSources& out, QString* bad)
{
    PowerSources s;
    const std::pair<const char*, bool PowerSources::*> names[] = {
        {"battery", &PowerSources::battery}, {"solar", &PowerSources::solar},         {"wind", &PowerSources::wind},
        {"other", &PowerSources::other},     {"generator", &PowerSources::generator}, {"mains", &PowerSources::mains},
    };
    for (const QString& part : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = part.trimmed().toLower();
        bool known = false;
        for (const auto& [text, member] : names) {
            if (name == QLatin1String(text)) {
                s.*member = true;
                known = true;
            }
        }
        if (!known) {
            if (bad)
                *bad = part.trimmed();
            return false;
        }
    }
    out = s;
    return true;
}

int powerMultiplier2025(PowerLevel level, const PowerSources& sources)
{
    switch (level) {
    case PowerLevel::Up5:
        return sources.anyFromGridOrGenerator() ? 2 : 5;
    case PowerLevel::Up100:
        return 2;
    case PowerLevel::Over100:
        return 1;
    case PowerLevel::None:
        break;
    }
    return 0;
}

QString x5Refusal(PowerLevel level, const PowerSources& sources)
{
    return level == PowerLevel::Up5 && sources.anyFromGridOrGenerator() ? X5RefusedText : QString();
}
