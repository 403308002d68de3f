#pragma once

#include "log/ContactRecord.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

// Who logged a contact: the station's name and that station's own running number.
struct SyncKey {
    QString station;
    int seq = 0;
    bool operator==(const SyncKey&) const = default;
    bool operator<(const SyncKey& o) const
    {
        const int c = QString::compare(station, o.station);
        return c != 0 ? c < 0 : seq < o.seq;
    }
};

// One contact as every station shares it. `rev` grows with each edit and the delete; a deleted
// contact stays as a tombstone (no record) so that an old copy arriving late cannot bring it back.
struct SyncEntry {
    SyncKey key;
    int rev = 1;
    std::optional<ContactRecord> record;

    // The shared form: "REV,<log line without its end>" or "REV,-" for a tombstone.
    QByteArray payload() const;
    static std::optional<SyncEntry> fromPayload(const SyncKey& key, QByteArrayView payload);
};

// The identities of the shared log, kept in fdlog.sync beside fdlog.dat (whose format does not
// change). File: 8-bit text, CR LF, a journal of blocks. A block is one "STATION,SEQ,REV,..." line
// per contact or tombstone changed, then "#end PREV NOW" holding the SHA-1 of fdlog.dat before
// and after that change (so a stop between the two writes is recognised). A later line of a
// contact replaces an earlier one; lines after the last "#end" line are a block cut short and
// count for nothing. A change appends one block (one write and fsync); compact() rewrites the
// file as a single block.
// Every station orders the live contacts the same way: date and time, then station name, then
// sequence number, so their logs end byte-identical.
class SyncLog {
public:
    enum class Apply { Newer, Same, Older };

    static bool validStation(const QString& name);
    // Canonical order of two live entries.
    static bool before(const SyncEntry& a, const SyncEntry& b);
    // The fingerprint of a log: a chain of SHA-1s, one link a line, so that one appended line
    // extends it without reading the rest.
    static QByteArray logHash(const std::vector<ContactRecord>& records);
    static QByteArray chainHash(const QByteArray& prev, const ContactRecord& line);

    explicit SyncLog(QString path) : m_path(std::move(path)) {}
    const QString& path() const { return m_path; }

    // Missing file: an empty table. False for a file that cannot be read or has a bad line.
    bool load(QString* error = nullptr);
    // Appends the entries changed since the last save with `prevHash` and `hash` as their block's
    // last line; the whole file is rewritten (atomically) when it is new or an append failed.
    bool save(const QByteArray& prevHash, const QByteArray& hash, QString* error = nullptr);
    // Rewrites the file as one block: the journal of a whole event stays short to read.
    bool compact(QString* error = nullptr);
    const QByteArray& savedPrevHash() const { return m_prevHash; }
    const QByteArray& savedHash() const { return m_hash; }

    const SyncEntry* find(const SyncKey& key) const;
    // Takes `e` when it is newer than what the table holds: the higher revision wins, equal
    // revisions are settled by the payload bytes, so every station picks the same one.
    Apply apply(const SyncEntry& e);
    // How `e` compares with `have` (Newer when there is none).
    static Apply compare(const SyncEntry* have, const SyncEntry& e);
    void put(const SyncEntry& e);
    int nextSeq(const QString& station) const;

    const std::map<SyncKey, SyncEntry>& entries() const { return m_entries; }
    // Live entries in canonical order.
    std::vector<const SyncEntry*> liveInOrder() const { return {m_order.begin(), m_order.end()}; }
    std::vector<ContactRecord> liveRecordsInOrder() const;
    int liveCount() const { return static_cast<int>(m_order.size()); }
    // The live entry that sorts last, or null.
    const SyncEntry* lastLive() const { return m_order.empty() ? nullptr : *m_order.rbegin(); }
    // The station's live contacts and the one it logged last (null when none).
    int liveCountOf(const QString& station) const { return m_liveBy.value(station); }
    const SyncEntry* lastLiveOf(const QString& station) const;

private:
    struct InOrder {
        bool operator()(const SyncEntry* a, const SyncEntry* b) const { return before(*a, *b); }
    };
    void index(const SyncEntry& e, int step);

    QString m_path;
    std::map<SyncKey, SyncEntry> m_entries;
    // The live entries kept in the shared order, so that no change sorts the whole log.
    std::set<const SyncEntry*, InOrder> m_order;
    QHash<QString, int> m_liveBy;
    QByteArray m_prevHash;
    QByteArray m_hash;
    std::vector<SyncKey> m_changed; // since the last save, to append
    bool m_rewrite = true;          // the file on the disk cannot be appended to
};
