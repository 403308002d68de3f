#pragma once

#include "log/ContactRecord.h"

#include <QSet>
#include <QString>
#include <vector>

// Adds contacts to a copy of the log the way an append does: duplicates (same call, band and
// mode, any letter case) skipped when asked, each contact put before the first contact whose
// date and time sort after its own, nothing beyond the log's capacity.
class LogMerger {
public:
    enum class Result { Added, Duplicate, Full };

    LogMerger(const std::vector<ContactRecord>& existing, bool eliminateDuplicates);
    Result add(ContactRecord r);
    // The existing contacts with the added ones in their places.
    std::vector<ContactRecord> merged() const;
    // The same, moving the added contacts out of the merger.
    std::vector<ContactRecord> takeMerged();
    int added() const { return static_cast<int>(m_incoming.size()); }
    int duplicates() const { return m_duplicates; }

private:
    struct Incoming {
        size_t gap; // goes before existing contact number `gap` (0-based)
        QString key;
        ContactRecord record;
    };

    const std::vector<ContactRecord>& m_existing;
    std::vector<QString> m_prefixMax; // running maximum of the existing date+time keys
    std::vector<Incoming> m_incoming;
    QSet<QString> m_seen;
    bool m_eliminate;
    int m_duplicates = 0;
};
