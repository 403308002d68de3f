#include "log/Logbook.h"

#include "log/BackupScheduler.h"
#include "log/LiveLogFiles.h"
#include "log/LogField.h"
#include "util/Dialogs.h"

#include <QFile>
#include <QFileInfo>

Logbook::Logbook(ContactLog& log, QString logPath, QString backupPath, Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_log(log), m_file(std::move(logPath)), m_backup(std::move(backupPath)), m_dialogs(dialogs)
{
}

QString Logbook::damagedPath() const
{
    return LogRepair::damagedPathFor(m_file.path());
}

bool Logbook::mendLastLine()
{
    const LogRepair::Result r = LogRepair(m_file.path(), damagedPath()).mendLastLine(m_clock->localNow());
    if (!r.ok) {
        tell(QStringLiteral("The last line of %1 has no line end and could not be mended (%2).")
                 .arg(m_file.path(), r.error),
             QStringLiteral("File Error"), Dialogs::Icon::Critical);
        return false;
    }
    if (!r.moved.empty()) {
        const LogRepair::MovedLine& m = r.moved.front();
        tell(QStringLiteral("Line %1 of %2 was cut off before its end (a power cut while it was written?) "
                            "and is not a whole contact.  It was moved to %3:\n\n%4")
                 .arg(m.lineNo)
                 .arg(m_file.path(), damagedPath(), QString::fromLatin1(m.bytes.left(200))),
             QStringLiteral("Log File Mended"), Dialogs::Icon::Warning);
    }
    return true;
}

bool Logbook::load(bool reportErrors)
{
    std::vector<ContactRecord> records;
    const LogFile::ReadResult result = m_file.read(records, ContactLog::Capacity);
    m_log.assign(std::move(records));
    m_unreadLine = 0;
    m_unreadReason.clear();
    m_backupRefusalShown = false;
    QString detail;
    switch (result.status) {
    case LogFile::ReadStatus::Ok:
    case LogFile::ReadStatus::OpenFailed:
        break;
    case LogFile::ReadStatus::NotRegularFile:
        detail = QStringLiteral("  %1.").arg(result.error);
        m_unreadReason = QStringLiteral("%1 is not a regular file").arg(m_file.path());
        break;
    case LogFile::ReadStatus::BadLine:
        m_unreadLine = result.badLine;
        detail = QStringLiteral("  Line %1 of %2 cannot be read (%3 unreadable lines in all); every other contact is "
                                "loaded.  Choose File > Repair Log File to move the unreadable lines to %4.")
                     .arg(result.badLine)
                     .arg(m_file.path())
                     .arg(result.badLineCount)
                     .arg(damagedPath());
        m_unreadReason = QStringLiteral("Line %1 of %2 could not be read").arg(result.badLine).arg(m_file.path());
        break;
    case LogFile::ReadStatus::TooManyLines:
        m_unreadLine = result.badLine;
        detail = QStringLiteral("  Line %1 of %2 is past the %3 contacts the log can hold and was not loaded.")
                     .arg(result.badLine)
                     .arg(m_file.path())
                     .arg(ContactLog::Capacity);
        m_unreadReason = QStringLiteral("Line %1 of %2 is past the %3 contacts the log can hold")
                             .arg(result.badLine)
                             .arg(m_file.path())
                             .arg(ContactLog::Capacity);
        break;
    }
    // The displays show what was loaded, also after a failure.
    emit reloaded();
    if (result.status == LogFile::ReadStatus::Ok)
        return true;
    if (reportErrors)
        tell(QStringLiteral("Error opening file.") + detail, QStringLiteral("File Error"), Dialogs::Icon::Critical);
    return false;
}

bool Logbook::reload()
{
    mendLastLine();
    return load(true);
}

bool Logbook::refuseRewrite()
{
    if (m_unreadReason.isEmpty())
        return false;
    tell(QStringLiteral("%1, so the log file is not rewritten: the contacts the program could not read "
                        "would be lost.  New contacts are still stored.  Choose File > Repair Log File "
                        "to move the unreadable lines to %2.")
             .arg(m_unreadReason, damagedPath()),
         QStringLiteral("Log File Not Rewritten"), Dialogs::Icon::Warning);
    return true;
}

bool Logbook::repairLogFile()
{
    const LogRepair::Result r = LogRepair(m_file.path(), damagedPath()).repair(m_clock->localNow());
    if (!r.ok) {
        tell(QStringLiteral("The log file could not be repaired (%1).  The log file is unchanged.").arg(r.error),
             QStringLiteral("Repair Log File"), Dialogs::Icon::Critical);
        load(true);
        return false;
    }
    if (r.moved.empty()) {
        tell(QStringLiteral("Every line of %1 can be read; nothing was moved.").arg(m_file.path()),
             QStringLiteral("Repair Log File"));
    } else {
        tell(QStringLiteral("%1 unreadable line(s) of %2 were moved to %3 (the first was line %4).  "
                            "The log file holds the %5 readable lines.")
                 .arg(r.moved.size())
                 .arg(m_file.path(), damagedPath())
                 .arg(r.moved.front().lineNo)
                 .arg(r.kept),
             QStringLiteral("Repair Log File"));
    }
    return load(true);
}

Logbook::StoreResult Logbook::storeContact(const ContactRecord& r)
{
    if (m_log.isFull()) {
        beep();
        tell(QStringLiteral("The log already holds %1 contacts, the most it can hold.  "
                            "This contact was not logged.")
                 .arg(ContactLog::Capacity),
             QStringLiteral("Log Full"), Dialogs::Icon::Warning);
        return StoreResult::LogFull;
    }
    QString error;
    LogFile::AppendStatus status = m_file.appendRecord(r, &error);
    if (status == LogFile::AppendStatus::UnfinishedLastLine && mendLastLine())
        status = m_file.appendRecord(r, &error);
    if (status != LogFile::AppendStatus::Ok) {
        beep();
        const QString text = status == LogFile::AppendStatus::InvalidField
                                 ? QStringLiteral("This contact was not stored: %1.").arg(error)
                                 : QStringLiteral("This contact could not be stored in %1 (%2).  "
                                                  "Check that the data folder is writable and the disk is not full, "
                                                  "then press Enter again.")
                                       .arg(m_file.path(), error);
        tell(text, QStringLiteral("Contact Not Stored"), Dialogs::Icon::Critical);
        return StoreResult::WriteFailed;
    }
    m_log.add(r);
    emit appended(m_log.size());
    return StoreResult::Stored;
}

bool Logbook::deleteRecord(int recNo)
{
    if (refuseRewrite())
        return false;
    const ContactRecord chosen = recNo >= 1 && recNo <= m_log.size() ? m_log.record(recNo) : ContactRecord{};
    if (!m_dialogs.askYesNo(QStringLiteral("Are you sure?"), QStringLiteral("Are you sure?")))
        return false;
    if (recNo < 1 || recNo > m_log.size() || (recNo = findAgain(recNo, chosen)) == 0)
        return false;
    m_log.remove(recNo);
    m_log.countAtLastBackup = qMax(0, m_log.countAtLastBackup - 1);
    rewriteAndReload();
    return true;
}

void Logbook::tell(const QString& text, const QString& title, Dialogs::Icon icon)
{
    if (m_held)
        m_held->append(text);
    else
        m_dialogs.message(text, title, icon);
}

void Logbook::beep()
{
    if (!m_held)
        m_dialogs.beep();
}

int Logbook::findAgain(int recNo, const ContactRecord& expected)
{
    const int n = m_log.size();
    for (int d = 0; d < n; ++d) {
        if (recNo - d >= 1 && recNo - d <= n && m_log.record(recNo - d) == expected)
            return recNo - d;
        if (recNo + d >= 1 && recNo + d <= n && m_log.record(recNo + d) == expected)
            return recNo + d;
    }
    tell(QStringLiteral("This contact was changed or deleted at another station while it was open "
                        "here; nothing was changed."),
         QStringLiteral("Contact Changed"), Dialogs::Icon::Warning);
    return 0;
}

bool Logbook::replaceRecord(int recNo, const ContactRecord& r)
{
    if (recNo < 1 || recNo > m_log.size() || refuseRewrite())
        return false;
    const int invalid = LogField::firstInvalidField(r);
    if (invalid >= 0) {
        beep();
        tell(QStringLiteral("This contact was not stored: its %1 field holds a double quote or a control "
                            "character, or is longer than %2 characters.")
                 .arg(LogField::fieldName(invalid))
                 .arg(LogField::MaxLength),
             QStringLiteral("Contact Not Stored"), Dialogs::Icon::Critical);
        return false;
    }
    m_log.replace(recNo, r);
    return rewriteAndReload();
}

bool Logbook::rewrite()
{
    QString error;
    if (m_file.rewrite(m_log.records(), &error))
        return true;
    tell(QStringLiteral("The log file %1 could not be rewritten (%2).  The file on disk is unchanged.")
             .arg(m_file.path(), error),
         QStringLiteral("File Error"), Dialogs::Icon::Critical);
    return false;
}

bool Logbook::rewriteAndReload()
{
    if (refuseRewrite()) {
        // The table may have been changed in memory already: take it back from the file.
        load(false);
        return false;
    }
    const bool written = rewrite();
    reload();
    return written;
}

bool Logbook::ConfirmNewLog(const QDateTime& now)
{
    if (refuseRewrite())
        return false;
    beep();
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
        tell(QStringLiteral("The log could not be copied to the backup folder (%1), so it was not "
                            "erased.")
                 .arg(error),
             QStringLiteral("File Error"), Dialogs::Icon::Critical);
        return false;
    }
    if (!m_file.rewrite({}, &error)) {
        tell(QStringLiteral("The log file could not be emptied (%1).").arg(error), QStringLiteral("File Error"),
             Dialogs::Icon::Critical);
        return false;
    }
    m_log.clear();
    m_log.countAtLastBackup = 0;
    m_log.backupTicks = 0;
    reload();
    return true;
}

void Logbook::archive(const QString& documentsDir, const QString& ownCall, const QDate& today)
{
    tell(QStringLiteral("This function is used to create a permanent copy of your currently open log "
                        "file.  To open your log file at a later date, click File > Append Data or "
                        "Restore From Backup."),
         QStringLiteral("Archive Information"));
    const QString suggested = documentsDir + QLatin1Char('/') + AlphanumericOnly(ownCall) +
                              today.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".dat");
    const QString target =
        m_dialogs.saveFileName(QStringLiteral("Archive Log"), suggested, QStringLiteral("Log Files (*.dat)"));
    if (target.isEmpty() || refuseLiveLogTarget(QFileInfo(m_file.path()).absolutePath(), target, m_dialogs))
        return;
    if (QFile::exists(target))
        QFile::remove(target);
    QFile::copy(m_file.path(), target); // a failed copy ends silently, the log is untouched
}

bool Logbook::Backup()
{
    if (m_log.isEmpty())
        return false;
    if (!m_unreadReason.isEmpty()) {
        // The backup would hold only what was read; the last good one is worth more. Said once
        // per load, not at every backup tick.
        if (!m_backupRefusalShown)
            refuseRewrite();
        m_backupRefusalShown = true;
        return false;
    }
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
