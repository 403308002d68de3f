#include "log/RulesEdition.h"

#include <QRegularExpression>

QString rulesEditionName(RulesEdition e)
{
    return e == RulesEdition::FieldDay2025 ? QStringLiteral("ARRL Field Day 2025") : QStringLiteral("As written");
}

QString rulesEditionKey(RulesEdition e)
{
    return e == RulesEdition::FieldDay2025 ? QStringLiteral("2025") : QStringLiteral("written");
}

std::optional<RulesEdition> parseRulesEdition(const QString& text)
{
    const QString t = text.trimmed();
    for (RulesEdition e : {RulesEdition::FieldDay2025, RulesEdition::AsWritten}) {
        if (t.compare(rulesEditionKey(e), Qt::CaseInsensitive) == 0 ||
            t.compare(rulesEditionName(e), Qt::CaseInsensitive) == 0)
            return e;
    }
    return std::nullopt;
}

bool isValidEntryClass(const QString& cls, RulesEdition e)
{
    if (e == RulesEdition::FieldDay2025) {
        static const QRegularExpression current(QStringLiteral("^[1-9][0-9]?[A-F]$"));
        return current.match(cls).hasMatch();
    }
    return !cls.isEmpty() && cls.front().unicode() >= '0' && cls.front().unicode() <= '9' &&
           cls.back().unicode() >= 'A';
}

bool deltaMayNotWorkDelta(RulesEdition e)
{
    return e == RulesEdition::AsWritten;
}
