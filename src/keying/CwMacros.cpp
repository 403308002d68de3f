#include "keying/CwMacros.h"

namespace {

void replaceAll(QString& text, QChar wildcard, const QString& value)
{
    // Walk by position and move on past the insertion, so a value holding the wildcard
    // character is not expanded again.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != wildcard)
            continue;
        text.replace(i, 1, value);
        i += value.size() - 1;
    }
}

} // namespace

QString CwMacros::expand(const QString& message, const QString& hisCall, const QString& number, QString& report)
{
    QString text = message;
    replaceAll(text, QLatin1Char('$'), hisCall.trimmed());
    replaceAll(text, QLatin1Char('#'), number.trimmed());
    if (text.contains(QLatin1Char('*')) && (report.isEmpty() || report == QLatin1String("599")))
        report = QStringLiteral("5NN");
    replaceAll(text, QLatin1Char('*'), report.trimmed());
    return text;
}
