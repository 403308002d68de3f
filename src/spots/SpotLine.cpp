#include "spots/SpotLine.h"

std::optional<SpotLine> SpotLine::parse(const QString& line)
{
    if (line.size() < 2 || line.left(2).compare(QLatin1String("DX"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    SpotLine s;
    s.frequencyKHz = line.mid(15, 9).trimmed();
    // A call has no spaces: a skimmer's comment that runs into the call columns stays out.
    const QString callField = line.mid(26, 13).trimmed();
    s.call = callField.left(callField.indexOf(QLatin1Char(' ')));
    QString record = line.mid(3).trimmed();
    if (const qsizetype cr = record.indexOf(QLatin1Char('\r')); cr >= 0)
        record.truncate(cr);
    s.record = record;
    return s;
}

namespace {
bool allDigits(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}
} // namespace

QString CallPrefix(const QString& call)
{
    const qsizetype len = call.size();
    if (len < 3)
        return {};
    qsizetype lastSlash = -1;
    qsizetype lastDigit = -1;
    for (qsizetype i = 0; i < len; ++i) {
        if (call[i] == QLatin1Char('/'))
            lastSlash = i;
        else if (call[i].isDigit())
            lastDigit = i;
    }
    if (lastSlash < 0)
        return lastDigit < 0 ? call : call.left(lastDigit + 1);
    // 1-based position of the slash against half the length plus one: a suffix such as /P or /4
    // leaves the home call, a leading DXCC prefix is read for its own digits.
    if (static_cast<double>(lastSlash + 1) > len / 2.0 + 1)
        return call.left(lastSlash);
    const QString after =
        lastDigit > lastSlash ? call.mid(lastSlash + 1, lastDigit - lastSlash) : call.mid(lastSlash + 1);
    if (!allDigits(after))
        return after;
    qsizetype firstDigit = 0;
    while (firstDigit < len && !call[firstDigit].isDigit())
        ++firstDigit;
    return call.left(qMin(firstDigit, lastSlash)) + after;
}

bool isLoginPrompt(const QString& text)
{
    QString t = text;
    while (!t.isEmpty() && t.back().isSpace())
        t.chop(1);
    return t.endsWith(QLatin1String("login:"), Qt::CaseInsensitive) ||
           t.endsWith(QLatin1String("call:"), Qt::CaseInsensitive);
}
