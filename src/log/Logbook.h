#pragma once

#include "log/ContactLog.h"
#include "log/LogFile.h"

#include <QDateTime>
#include <QObject>

class Dialogs;

// Keeps the in-memory log and fdlog.dat in step: reload, append, delete, edit, New, archive
// and the backup copy. Every change that removes or alters contacts rewrites the file from
// memory and reloads it, so the counts are always rebuilt from the file.
class Logbook : public QObject {
    Q_OBJECT
public:
    enum class StoreResult { Stored, LogFull, WriteFailed };

    Logbook(ContactLog& log, QString logPath, QString backupPath, Dialogs& dialogs, QObject* parent = nullptr);

    ContactLog& log() { return m_log; }
    const ContactLog& log() const { return m_log; }
    const LogFile& file() const { return m_file; }

    // Rebuilds the table from fdlog.dat. On a failure shows "Error opening file.", keeps the
    // records read so far and leaves the displays as they were (no reloaded() signal).
    bool mnuopen2();

    // The storing half of logging: the line is on the disk before this returns. Refuses the
    // contact with a message when the log is full or the file cannot be written.
    StoreResult storeContact(const ContactRecord& r);

    // Asks "Are you sure?" and deletes record recNo; false when the operator says No.
    bool cmdDelete_Click(int recNo);
    // Stores an edited record, rewrites the file and reloads.
    bool replaceRecord(int recNo, const ContactRecord& r);
    // Rewrites fdlog.dat from memory and reloads it (after import, edit, delete).
    bool rewriteAndReload();

    // Asks for "YES", copies the log into the backup year folder under the dated name a
    // permanent backup made at `now` (local time) would get, then empties the log. A failed
    // copy leaves the log as it was.
    bool ConfirmNewLog(const QDateTime& now);

    // Offers a dated copy of fdlog.dat in the documents folder; never onto the live files.
    void mnuArchive_Click(const QString& documentsDir, const QString& ownCall, const QDate& today);

    // Writes the whole table to LogBkUp.dat; nothing when the log is empty.
    bool Backup();

signals:
    // The table was rebuilt from the file: every display must be redrawn.
    void reloaded();
    // One record was added at the end.
    void appended(int recNo);

private:
    bool rewrite();

    ContactLog& m_log;
    LogFile m_file;
    LogFile m_backup;
    Dialogs& m_dialogs;
};

// The leading run of digits and capital letters of a call ("K1ABC/4" gives "K1ABC"),
// "YourCall" when there is none. Used to name files after the station's call.
QString AlphanumericOnly(const QString& text);
