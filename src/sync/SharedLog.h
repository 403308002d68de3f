#pragma once

#include "sync/SyncLog.h"

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class Logbook;

// The local side of the shared log: keeps fdlog.sync in step with the logbook and stores what
// other stations send. Local changes (an Enter, an edit, a delete, an import, contacts logged
// while sharing was off) are found by comparing the log with the table and come out as
// localChanges(); what arrives goes into the table and then into fdlog.dat through the logbook's
// own append or atomic rewrite, so the dupe index, list and counts follow.
class SharedLog : public QObject {
    Q_OBJECT
public:
    SharedLog(Logbook& logbook, QString syncPath, QString station, QObject* parent = nullptr);

    const QString& station() const { return m_station; }
    const SyncLog& table() const { return m_table; }

    // Reads fdlog.sync and brings it and the (already loaded) log into step: contacts without an
    // identity become this station's own; a stop between the two writes of a change is finished.
    // False, with the reason, when the log or the table cannot be trusted to be rewritten.
    bool open(QString* error);
    bool isOpen() const { return m_open; }
    // Stops following the logbook; what was received and not stored is dropped (the broker keeps it).
    void close()
    {
        m_open = false;
        m_incoming.clear();
    }

    // An entry from another station (or another station's copy of ours). Kept for the next
    // store(); returns how it compares with what the table held.
    SyncLog::Apply receive(const SyncEntry& e);
    // Writes what receive() took in: fdlog.sync first, then fdlog.dat in the shared order.
    // Returns the keys newly stored as live contacts.
    std::vector<SyncKey> store();
    bool hasPending() const { return !m_incoming.empty(); }
    // The contact (or its tombstone) is in the table or waiting to be stored.
    bool holds(const SyncKey& key) const { return m_incoming.count(key) || m_table.find(key); }

signals:
    // Entries changed here: to be published.
    void localChanges(const std::vector<SyncKey>& keys);
    // fdlog.sync or fdlog.dat could not be written.
    void failed(const QString& text);

private:
    void onAppended(int recNo);
    void onReloaded();
    // Compares the whole log with the table; what differs becomes local changes.
    std::vector<SyncKey> reconcile();
    // Writes the table, then the log in the shared order when it differs from it.
    bool writeBoth();
    // Appends one arrival that sorts after every other contact: no whole-log work.
    bool appendOne(const ContactRecord& r);
    // Runs a write of fdlog.dat with the logbook's messages held, and reports a failure.
    bool writeLog(const std::function<bool()>& write);
    bool saveTable(const QByteArray& prevHash, const QByteArray& hash);
    // The fingerprint of the log as it is now (computed only after a reload).
    const QByteArray& logHash();

    Logbook& m_logbook;
    SyncLog m_table;
    QString m_station;
    bool m_open = false;
    bool m_writing = false; // the logbook's signals during our own writes are ours
    bool m_inStep = false;  // the log holds the table's live contacts in the shared order
    QByteArray m_logHash;   // empty: not known
    // Taken in but not yet written; kept apart so a local change meanwhile is compared with
    // the table that matches the log on the disk.
    std::map<SyncKey, SyncEntry> m_incoming;
};
