#pragma once

#include "log/ContactRecord.h"

#include <vector>

class SectionTable;

// The in-memory log table: records numbered from 1, at most Capacity of them, with the
// counts the main window shows. Knows nothing about files or windows.
class ContactLog {
public:
    static constexpr int Capacity = 14000;

    explicit ContactLog(const SectionTable& sections);

    int size() const { return static_cast<int>(m_records.size()); }
    bool isEmpty() const { return m_records.empty(); }
    bool isFull() const { return size() >= Capacity; }

    // 1-based record number, as shown in the "Rec#" column.
    const ContactRecord& record(int recNo) const { return m_records[static_cast<size_t>(recNo - 1)]; }
    const std::vector<ContactRecord>& records() const { return m_records; }

    // Empties the table and every count.
    void clear();
    // Replaces the whole table (at most Capacity records are kept) and recounts.
    void assign(std::vector<ContactRecord>&& records);
    // Adds at the end and counts it; false (nothing added) when the log is full.
    bool add(const ContactRecord& r);
    // Inserts so that it becomes record recNo (1..size()+1); false when full.
    bool insert(int recNo, const ContactRecord& r);
    // Removes one record; later records move down one number.
    void remove(int recNo);
    // Replaces one record's fields.
    void replace(int recNo, const ContactRecord& r);

    int cwCount() const { return m_cw; }
    int digitalCount() const { return m_dig; }
    int phoneCount() const { return m_ph; }
    // Contact points as the main window shows them: 2 per CW and digital, 1 per phone contact.
    int points() const { return 2 * m_cw + 2 * m_dig + m_ph; }

    // Worked count of section table entry `index` (0-based).
    int sectionWorkedCount(int index) const { return m_sectionCounts[static_cast<size_t>(index)]; }
    bool isSectionWorked(int index) const { return sectionWorkedCount(index) > 0; }
    int sectionsWorked() const { return m_sectionsWorked; }

    const SectionTable& sections() const { return *m_table; }
    // Another rules edition's table: the section counts are rebuilt for it.
    void setSections(const SectionTable& sections);

    // Changes with every change other than an add at the end (clear, assign, insert, remove, replace),
    // so an index over the records knows whether it may just take in the new tail.
    quint64 structureRevision() const { return m_structureRevision; }

    // Backup bookkeeping: the record count at the last automatic backup and the one-minute
    // ticks since the last backup check.
    int countAtLastBackup = 0;
    int backupTicks = 0;

private:
    void count(const ContactRecord& r, int delta);
    void recount();

    const SectionTable* m_table;
    std::vector<ContactRecord> m_records;
    std::vector<int> m_sectionCounts;
    int m_sectionsWorked = 0;
    int m_cw = 0;
    int m_dig = 0;
    int m_ph = 0;
    quint64 m_structureRevision = 0;
};
