#include "log/ContactLog.h"

#include "log/SectionTable.h"

ContactLog::ContactLog(const SectionTable& sections)
    : m_table(&sections), m_sectionCounts(static_cast<size_t>(sections.size()), 0)
{
    m_records.reserve(Capacity);
}

void ContactLog::setSections(const SectionTable& sections)
{
    m_table = &sections;
    recount();
}

void ContactLog::clear()
{
    m_records.clear();
    ++m_structureRevision;
    recount();
}

void ContactLog::assign(std::vector<ContactRecord>&& records)
{
    if (records.size() > static_cast<size_t>(Capacity))
        records.resize(Capacity);
    m_records = std::move(records);
    ++m_structureRevision;
    recount();
}

bool ContactLog::add(const ContactRecord& r)
{
    if (isFull())
        return false;
    m_records.push_back(r);
    count(r, +1);
    return true;
}

bool ContactLog::insert(int recNo, const ContactRecord& r)
{
    if (isFull() || recNo < 1 || recNo > size() + 1)
        return false;
    m_records.insert(m_records.begin() + (recNo - 1), r);
    ++m_structureRevision;
    count(r, +1);
    return true;
}

void ContactLog::remove(int recNo)
{
    if (recNo < 1 || recNo > size())
        return;
    count(record(recNo), -1);
    m_records.erase(m_records.begin() + (recNo - 1));
    ++m_structureRevision;
}

void ContactLog::replace(int recNo, const ContactRecord& r)
{
    if (recNo < 1 || recNo > size())
        return;
    count(record(recNo), -1);
    m_records[static_cast<size_t>(recNo - 1)] = r;
    ++m_structureRevision;
    count(r, +1);
}

void ContactLog::count(const ContactRecord& r, int delta)
{
    if (r.mode == QLatin1String("CW"))
        m_cw += delta;
    else if (r.mode == QLatin1String("DIG"))
        m_dig += delta;
    else if (r.mode == QLatin1String("PH"))
        m_ph += delta;

    const int idx = m_table->indexOf(r.section);
    if (idx < 0)
        return;
    int& c = m_sectionCounts[static_cast<size_t>(idx)];
    const bool wasWorked = c > 0;
    c += delta;
    if (!wasWorked && c > 0)
        ++m_sectionsWorked;
    else if (wasWorked && c <= 0)
        --m_sectionsWorked;
}

void ContactLog::recount()
{
    m_cw = m_dig = m_ph = 0;
    m_sectionsWorked = 0;
    m_sectionCounts.assign(static_cast<size_t>(m_table->size()), 0);
    for (const auto& r : m_records)
        count(r, +1);
}
