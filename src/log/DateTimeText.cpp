#include "log/DateTimeText.h"

#include <QRegularExpression>

namespace DateTimeText {

namespace {

std::optional<QDate> makeDate(int y, int m, int d)
{
    const QDate date(y, m, d);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// Two ASCII digits at `pos`, -1 when they are not digits.
int twoDigits(const QString& s, int pos)
{
    const QChar a = s[pos];
    const QChar b = s[pos + 1];
    if (!a.isDigit() || !b.isDigit() || a.unicode() > '9' || b.unicode() > '9')
        return -1;
    return (a.unicode() - '0') * 10 + (b.unicode() - '0');
}

}  // namespace

std::optional<QDate> parseDate(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,4})([/.-])(\\d{1,2})\\2(\\d{1,4})$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QString first = m.captured(1);
    const QString last = m.captured(4);
    const int middle = m.captured(3).toInt();
    if (first.size() == 4) {
        if (last.size() > 2)
            return std::nullopt;
        return makeDate(first.toInt(), middle, last.toInt());
    }
    if (first.size() > 2 || (last.size() != 2 && last.size() != 4))
        return std::nullopt;
    const int year = last.size() == 2 ? 2000 + last.toInt() : last.toInt();
    return makeDate(year, first.toInt(), middle);
}

std::optional<QTime> parseTime(const QString& text)
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*(AM|PM|am|pm|A|P|a|p)?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    int h = m.captured(1).toInt();
    const int mi = m.captured(2).toInt();
    const int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    const QString ampm = m.captured(4).toUpper();
    if (!ampm.isEmpty()) {
        if (h < 1 || h > 12)
            return std::nullopt;
        if (ampm.startsWith(QLatin1Char('P')) && h != 12)
            h += 12;
        else if (ampm.startsWith(QLatin1Char('A')) && h == 12)
            h = 0;
    }
    const QTime t(h, mi, s);
    if (!t.isValid())
        return std::nullopt;
    return t;
}

std::optional<QDate> parseLogDate(const QString& date)
{
    if (date.size() != 10 || date[4] != QLatin1Char('/') || date[7] != QLatin1Char('/'))
        return std::nullopt;
    const int yHi = twoDigits(date, 0);
    const int yLo = twoDigits(date, 2);
    const int mo = twoDigits(date, 5);
    const int d = twoDigits(date, 8);
    if (yHi < 0 || yLo < 0 || mo < 0 || d < 0)
        return std::nullopt;
    return makeDate(yHi * 100 + yLo, mo, d);
}

std::optional<QTime> parseLogTime(const QString& time)
{
    if (time.size() != 8 || time[2] != QLatin1Char(':') || time[5] != QLatin1Char(':'))
        return std::nullopt;
    const int h = twoDigits(time, 0);
    const int mi = twoDigits(time, 3);
    const int s = twoDigits(time, 6);
    if (h < 0 || mi < 0 || s < 0)
        return std::nullopt;
    const QTime t(h, mi, s);
    if (!t.isValid())
        return std::nullopt;
    return t;
}

QDateTime parseLogStamp(const QString& date, const QString& time)
{
    const auto d = parseLogDate(date);
    const auto t = d ? parseLogTime(time) : std::nullopt;
    if (!t)
        return {};
    return QDateTime(*d, *t, Qt::UTC);
}

QString logDate(const QDate& d) { return d.toString(QStringLiteral("yyyy/MM/dd")); }

QString logTime(const QTime& t) { return t.toString(QStringLiteral("HH:mm:ss")); }

}  // namespace DateTimeText
