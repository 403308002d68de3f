#pragma once

#include "log/RulesEdition.h"

#include <QHash>
#include <QString>
#include <vector>

// The ARRL/RAC section table, read once from the data file compiled into the program.
// Indexes are 0-based here; the section display and the per-section counts use the same order.
// "DX" is a valid section everywhere but is not an entry of the table.
class SectionTable {
public:
    struct Section {
        QString abbr;
        QString name;
    };

    // The table shipped with the program for the rules as written (loaded on first use,
    // immutable afterwards).
    static const SectionTable& standard();
    // The table of one rules edition, each read from its own data file.
    static const SectionTable& forEdition(RulesEdition edition);

    // Parses "ABBR,Name" lines; '#' starts a comment line; "-ABBR,message" is a retired section;
    // "+ENTITY,ABBR ABBR..." gives the DXCC entity of sections outside the 48 states.
    static SectionTable fromText(const QString& text);

    int size() const { return static_cast<int>(m_sections.size()); }
    const Section& at(int index) const { return m_sections[static_cast<size_t>(index)]; }
    // Index of the entry with exactly this abbreviation, -1 when none.
    int indexOf(const QString& abbr) const { return m_index.value(abbr, -1); }
    // True for "DX" and for every abbreviation of the table (exact, case-sensitive).
    bool isValidSection(const QString& abbr) const { return abbr == QLatin1String("DX") || indexOf(abbr) >= 0; }
    // The message naming a retired section's successors ("MAR is now NB or NS"); empty when the
    // abbreviation was never retired.
    QString retiredMessage(const QString& abbr) const { return m_retired.value(abbr); }
    // The DXCC entity of a section (1 for every RAC section, old codes too); 0 when the table
    // names none, which leaves it to the call.
    int dxccOf(const QString& abbr) const { return m_dxcc.value(abbr, 0); }
    // The rules edition whose table this is; the class and delta checks follow it.
    RulesEdition edition() const { return m_edition; }

private:
    std::vector<Section> m_sections;
    QHash<QString, int> m_index;
    QHash<QString, QString> m_retired;
    QHash<QString, int> m_dxcc;
    RulesEdition m_edition = RulesEdition::AsWritten;
};
