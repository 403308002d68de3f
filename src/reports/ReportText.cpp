#include "reports/ReportText.h"

ReportLine& ReportLine::tab(int column)
{
    const qsizetype want = column - 1;
    qsizetype cur = currentColumnLength();
    if (cur > want) {
        m_text += QStringLiteral("\r\n");
        cur = 0;
    }
    if (want > cur)
        m_text += QString(want - cur, QLatin1Char(' '));
    return *this;
}

ReportLine& ReportLine::numberEndingAt(qint64 n, int column)
{
    const auto digits = static_cast<int>(QString::number(n < 0 ? -n : n).size());
    tab(column - digits);
    return number(n);
}

ReportLine& ReportLine::textEndingAt(const QString& s, int column)
{
    tab(column + 1 - static_cast<int>(s.size()));
    return text(s);
}

QString ReportLine::basicNumber(qint64 n)
{
    return (n < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(n < 0 ? -n : n) + QLatin1Char(' ');
}

qsizetype ReportLine::currentColumnLength() const
{
    const qsizetype nl = m_text.lastIndexOf(QLatin1Char('\n'));
    return nl < 0 ? m_text.size() : m_text.size() - nl - 1;
}

QByteArray toFileText(const QStringList& lines)
{
    QByteArray out;
    for (const QString& l : lines) {
        out += l.toLatin1();
        out += "\r\n";
    }
    return out;
}
