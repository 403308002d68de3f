#include "log/SectionTable.h"

#include <QFile>

const SectionTable& SectionTable::standard()
{
    static const SectionTable table = [] {
        QFile f(QStringLiteral(":/fdlog/sections.txt"));
        if (!f.open(QIODevice::ReadOnly))
            qFatal("section table resource missing");
        return fromText(QString::fromUtf8(f.readAll()));
    }();
    return table;
}

SectionTable SectionTable::fromText(const QString& text)
{
    SectionTable t;
    const auto lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int comma = line.indexOf(QLatin1Char(','));
        if (comma <= 0)
            continue;
        Section s{line.left(comma).trimmed(), line.mid(comma + 1).trimmed()};
        t.m_index.insert(s.abbr, static_cast<int>(t.m_sections.size()));
        t.m_sections.push_back(std::move(s));
    }
    return t;
}
