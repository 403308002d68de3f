#include "log/Logbook.h"

#include "log/LiveLogFiles.h"
#include "util/BackupScheduler.h"
#include "util/Dialogs.h"

#include <QFile>
#include <QFileInfo>

Logbook::Logbook(ContactLog& log, QString logPath, QString backupPath, Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_log(log), m_file(std::move(logPath)), m_backup(std::move(backupPath)), m_dialogs(dialogs)
{
}

bool Logbook::mnuopen2()
{
    std::vector<ContactRecord> records;
    const LogFile::ReadResult result = m_file.read(records, ContactLog::Capacity);
    m_log.assign(std::move(records));
    if (result.status != LogFile::ReadStatus::Ok) {
        m_dialogs.message(QStringLiteral("Error opening file."), QStringLiteral("File Error"), Dialogs::Icon::Critical);
        return false;
    }
    emit reloaded();
    return true;
}

Logbook::StoreResult Logbook::storeContact(const ContactRecord& r)
{
    if (m_log.isFull()) {
        m_dialogs.beep();
        m_dialogs.message(QStringLiteral("The log already holds %1 contacts, the most it can hold.  "
                                         "This contact was not logged.")
                              .arg(ContactLog::Capacity),
                          QStringLiteral("Log Full"), Dialogs::Icon::Warning);
        return StoreResult::LogFull;
    }
    QString error;
    if (!m_file.append(r, &error)) {
        m_dialogs.beep();
        m_dialogs.message(QStringLiteral("This contact could not be stored in %1 (%2).  "
                                         "Check that the data folder is writable and the disk is not full, "
                                         "then press Enter again.")
                              .arg(m_file.path(), error),
                          QStringLiteral("Contact Not Stored"), Dialogs::Icon::Critical);
        return StoreResult::WriteFailed;
    }
    m_log.add(r);
    emit appended(m_log.size());
    return StoreResult::Stored;
}

bool Logbook::cmdDelete_Click(int recNo)
{
    if (!m_dialogs.askYesNo(QStringLiteral("Are you sure?"), QStringLiteral("Are you sure?")))
        return false;
    if (recNo < 1 || recNo > m_log.size())
        return false;
    m_log.remove(recNo);
    m_log.countAtLastBackup = qMax(0, m_log.countAtLastBackup - 1);
    rewriteAndReload();
    return true;
}

bool Logbook::replaceRecord(int recNo, const ContactRecord& r)
{
    if (recNo < 1 || recNo > m_log.size())
        return false;
    m_log.replace(recNo, r);
    return rewriteAndReload();
}

bool Logbook::rewrite()
{
    QString error;
    if (m_file.rewrite(m_log.records(), &error))
        return true;
    m_dialogs.message(QStringLiteral("The log file %1 could not be rewritten (%2).  The file on disk is unchanged.")
                          .arg(m_file.path(), error),
                      QStringLiteral("File Error"), Dialogs::Icon::Critical);
    return false;
}

bool Logbook::rewriteAndReload()
{
    const bool written = rewrite();
    mnuopen2();
    return written;
}

bool Logbook::ConfirmNewLog(const QDateTime& now)
{
    m_dialogs.beep();
    const auto answer = m_dialogs.inputText(
        QStringLiteral("Are you sure that you want to start a new log file?  This function will ERASE the existing "
                       "log file!\n\nTo verify that you want to start a new log file, please type: YES"),
        QStringLiteral("WARNING - Your existing log file will be ERASED!"), QString());
    if (!answer || answer->toUpper() != QLatin1String("YES"))
        return false;
    QString error;
    const QString dataDir = QFileInfo(m_file.path()).absolutePath();
    // An empty log has nothing to keep, and copying it would replace a copy made earlier in the
    // same minute.
    if (QFileInfo(m_file.path()).size() > 0 &&
        !BackupScheduler::copyToYearFolder(dataDir, m_file.path(), now, &error)) {
        m_dialogs.message(QStringLiteral("The log could not be copied to the backup folder (%1), so it was not "
                                         "erased.")
                              .arg(error),
                          QStringLiteral("File Error"), Dialogs::Icon::Critical);
        return false;
    }
    if (!m_file.rewrite({}, &error)) {
        m_dialogs.message(QStringLiteral("The log file could not be emptied (%1).").arg(error),
                          QStringLiteral("File Error"), Dialogs::Icon::Critical);
        return false;
    }
    m_log.clear();
    m_log.countAtLastBackup = 0;
    m_log.backupTicks = 0;
    mnuopen2();
    return true;
}

void Logbook::mnuArchive_Click(const QString& documentsDir, const QString& ownCall, const QDate& today)
{
    m_dialogs.message(QStringLiteral("This function is used to create a permanent copy of your currently open log "
                                     "file.  To open your log file at a later date, click File > Combine or Restore "
                                     "from Backup."),
                      QStringLiteral("Archive Information"));
    const QString suggested = documentsDir + QLatin1Char('/') + AlphanumericOnly(ownCall) +
                              today.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".dat");
    const QString target =
        m_dialogs.saveFileName(QStringLiteral("Archive Log"), suggested, QStringLiteral("Log Files (*.dat)"));
    if (target.isEmpty() || refuseLiveLogTarget(QFileInfo(m_file.path()).absolutePath(), target, m_dialogs))
        return;
    if (QFile::exists(target))
        QFile::remove(target);
    QFile::copy(m_file.path(), target);  // a failed copy ends silently, the log is untouched
}

bool Logbook::Backup()
{
    if (m_log.isEmpty())
        return false;
    return m_backup.rewrite(m_log.records());
}

QString AlphanumericOnly(const QString& text)
{
    qsizetype n = 0;
    while (n < text.size()) {
        const QChar c = text[n];
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))))
            break;
        ++n;
    }
    return n == 0 ? QStringLiteral("YourCall") : text.left(n);
}
