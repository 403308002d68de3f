#pragma once

#include "log/ContactLog.h"
#include "log/LogFile.h"
#include "log/LogRepair.h"
#include "util/Clock.h"
#include "util/Dialogs.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>

// Keeps the in-memory log and fdlog.dat in step: reload, append, delete, edit, New, archive
// and the backup copy. Every change that removes or alters contacts rewrites the file from
// memory and reloads it, so the counts are always rebuilt from the file. While the last load
// left lines of the file unread, nothing rewrites the log or the backup copy from memory (the
// unread contacts would be lost); appends go on, and Repair Log File moves the unreadable
// lines aside.
class Logbook : public QObject {
    Q_OBJECT
public:
    enum class StoreResult { Stored, LogFull, WriteFailed };

    Logbook(ContactLog& log, QString logPath, QString backupPath, Dialogs& dialogs, QObject* parent = nullptr);

    ContactLog& log() { return m_log; }
    const ContactLog& log() const { return m_log; }
    const LogFile& file() const { return m_file; }
    LogFile& file() { return m_file; }
    // The time written beside lines moved to fdlog.damaged.
    void setClock(const Clock& clock) { m_clock = &clock; }

    // Mends a last line left without its line end, then rebuilds the table from fdlog.dat and
    // signals reloaded(), also after a failure. On a failure shows "Error opening file." and
    // the first line it could not read; every readable line is loaded.
    bool reload();

    // 0 when the last load read the whole file, else the first line it left unread.
    int firstUnreadLine() const { return m_unreadLine; }
    // True, after saying why, when a rewrite from memory would lose lines the load left unread.
    bool refuseRewrite();

    // Moves the unreadable lines of fdlog.dat to fdlog.damaged, rewrites the log with every
    // readable line, reloads it and says what was done.
    bool repairLogFile();

    // The storing half of logging: the line is on the disk before this returns. Refuses the
    // contact with a message when the log is full or the file cannot be written.
    StoreResult storeContact(const ContactRecord& r);

    // Asks "Are you sure?" and deletes record recNo; false when the operator says No. The
    // contact is found again after the question, should the log have been rewritten meanwhile.
    bool deleteRecord(int recNo);
    // Where the contact `expected` is now: recNo while it still holds it, else the nearest record
    // that does (a contact from another station was stored in between and moved it); 0, after
    // telling the operator, when it was changed or deleted meanwhile.
    int findAgain(int recNo, const ContactRecord& expected);
    // Stores an edited record, rewrites the file and reloads.
    bool replaceRecord(int recNo, const ContactRecord& r);
    // Rewrites fdlog.dat from memory and reloads it (after import, edit, delete).
    bool rewriteAndReload();

    // Asks for "YES", copies the log into the backup year folder under the dated name a
    // permanent backup made at `now` (local time) would get, then empties the log. A failed
    // copy leaves the log as it was.
    bool ConfirmNewLog(const QDateTime& now);

    // Offers a dated copy of fdlog.dat in the documents folder; never onto the live files.
    void archive(const QString& documentsDir, const QString& ownCall, const QDate& today);

    // Writes the whole table to LogBkUp.dat; nothing when the log is empty.
    bool Backup();

    // While `held` is set, messages are added to it instead of shown: for writes made from inside
    // a network callback, whose owner tells the operator later through a queued call.
    void holdMessages(QStringList* held) { m_held = held; }

signals:
    // The table was rebuilt from the file: every display must be redrawn.
    void reloaded();
    // One record was added at the end.
    void appended(int recNo);

private:
    void tell(const QString& text, const QString& title, Dialogs::Icon icon = Dialogs::Icon::None);
    void beep();
    bool rewrite();
    bool load(bool reportErrors);
    // Mends a last line without its line end; false (after a message) when that failed.
    bool mendLastLine();
    QString damagedPath() const;

    ContactLog& m_log;
    LogFile m_file;
    LogFile m_backup;
    Dialogs& m_dialogs;
    SystemClock m_systemClock;
    const Clock* m_clock = &m_systemClock;
    int m_unreadLine = 0;
    QString m_unreadReason; // why the file is not rewritten, while m_unreadLine > 0
    bool m_backupRefusalShown = false;
    QStringList* m_held = nullptr;
};

// The leading run of digits and capital letters of a call ("K1ABC/4" gives "K1ABC"),
// "YourCall" when there is none. Used to name files after the station's call.
QString AlphanumericOnly(const QString& text);
