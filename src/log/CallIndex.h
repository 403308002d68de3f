#pragma once

#include <QHash>
#include <QString>
#include <vector>

class ContactLog;

// Lookups over the log that must stay fast at 14 000 contacts: the record numbers of each call
// (the dupe test) and, per band and mode, the calls packed side by side (the as-you-type list
// walks them at every keystroke). Brought up to date on first use after the log changed: a
// new tail is added, anything else rebuilds.
class CallIndex {
public:
    explicit CallIndex(const ContactLog& log) : m_log(log) {}

    // Record numbers whose call is exactly `call`, ascending.
    const std::vector<int>& recordsWithCall(const QString& call) const;

    // The possible-dupe list: "  CALL" per record on this band and mode whose call's first
    // len(typed) characters (the whole call when shorter) occur in `typed`, in record order,
    // stopping once the text is longer than `limit`.
    QString partialMatches(const QString& typed, const QString& band, const QString& mode, qsizetype limit) const;

private:
    static constexpr int PackedLength = 20;
    struct Packed {
        int recNo;
        int length;  // -1: longer than PackedLength or not 8-bit; compared from the record
        char chars[PackedLength];
    };

    void refresh() const;
    void take(int recNo) const;
    QString walkRecords(const QString& typed, const QString& band, const QString& mode, qsizetype limit) const;

    const ContactLog& m_log;
    mutable bool m_built = false;
    mutable quint64 m_structureRevision = 0;
    mutable int m_indexed = 0;
    mutable QHash<QString, std::vector<int>> m_byCall;
    mutable QHash<QString, std::vector<Packed>> m_byBandMode;  // key: band + '\t' + mode
};
