#pragma once

#include <QString>
#include <QStringList>

// Builds report text the way the old line printer did: numbers carry a sign position in
// front and one blank behind, and tab(n) pads the current line so the next item starts at
// column n (counting from 1). A line already past column n continues on the next line at n.
class ReportLine {
public:
    ReportLine& tab(int column);
    ReportLine& text(const QString& s)
    {
        m_text += s;
        return *this;
    }
    ReportLine& number(qint64 n)
    {
        m_text += basicNumber(n);
        return *this;
    }
    // A number whose last digit falls in column `column`.
    ReportLine& numberEndingAt(qint64 n, int column);
    // A text whose last character falls in column `column`.
    ReportLine& textEndingAt(const QString& s, int column);

    // The line (it may hold CR LF when an item had to move down).
    const QString& str() const { return m_text; }

    // " 12 ", "-3 ".
    static QString basicNumber(qint64 n);

private:
    qsizetype currentColumnLength() const;
    QString m_text;
};

// Joins lines with CR LF after each one and converts to the 8-bit file form.
QByteArray toFileText(const QStringList& lines);
