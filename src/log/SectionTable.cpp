#include "log/SectionTable.h"

#include <QFile>

namespace {

QString readResource(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("section table resource %s missing", qPrintable(path));
    return QString::fromUtf8(f.readAll());
}

} // namespace

const SectionTable& SectionTable::standard()
{
    return forEdition(RulesEdition::AsWritten);
}

const SectionTable& SectionTable::forEdition(RulesEdition edition)
{
    static const SectionTable written = fromText(readResource(QStringLiteral(":/fdlog/sections.txt")));
    static const SectionTable current = [] {
        SectionTable t = fromText(readResource(QStringLiteral(":/fdlog/sections2025.txt")));
        t.m_edition = RulesEdition::FieldDay2025;
        return t;
    }();
    return edition == RulesEdition::FieldDay2025 ? current : written;
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
        if (line.startsWith(QLatin1Char('+'))) {
            const int entity = line.mid(1, comma - 1).toInt();
            for (const QString& abbr : line.mid(comma + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                t.m_dxcc.insert(abbr, entity);
            continue;
        }
        if (line.startsWith(QLatin1Char('-'))) {
            t.m_retired.insert(line.mid(1, comma - 1).trimmed(), line.mid(comma + 1).trimmed());
            continue;
        }
        Section s{line.left(comma).trimmed(), line.mid(comma + 1).trimmed()};
        t.m_index.insert(s.abbr, static_cast<int>(t.m_sections.size()));
        t.m_sections.push_back(std::move(s));
    }
    return t;
}
