#include "log/BackupScheduler.h"

#include "log/Logbook.h"
#include "settings/Preferences.h"
#include "util/Clock.h"
#include "util/Dialogs.h"

#include <QDir>
#include <QFile>

namespace {

// Replaces the target, so a second copy in the same minute leaves one file.
bool copyReplacing(const QString& from, const QString& to, QString* error = nullptr)
{
    QFile old(to);
    if (old.exists() && !old.remove()) {
        if (error)
            *error = old.errorString();
        return false;
    }
    QFile source(from);
    if (source.copy(to))
        return true;
    if (error)
        *error = source.errorString();
    return false;
}

// The year folder as it is spelt on disk, found in any letter case; empty when there is none.
QString existingYearFolder(const QString& dataDir, const QString& name)
{
    const QDir data(dataDir);
    for (const QString& e : data.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return data.filePath(e);
    }
    return {};
}

} // namespace

BackupScheduler::BackupScheduler(Logbook& logbook, const Preferences& prefs, DataPaths paths, Clock& clock,
                                 Dialogs& dialogs)
    : m_logbook(logbook), m_prefs(prefs), m_paths(std::move(paths)), m_clock(clock), m_dialogs(dialogs)
{
}

void BackupScheduler::tick()
{
    ContactLog& log = m_logbook.log();
    ++log.backupTicks;
    if (m_cwWaiting() || log.backupTicks <= 14)
        return;
    log.backupTicks = 0;
    if (log.size() < 1 || log.countAtLastBackup >= log.size())
        return;
    // Counted as backed up only once the copy is written, so a refused or failed backup is
    // tried again at the next check even when no contact came in between.
    if (!m_logbook.Backup())
        return;
    log.countAtLastBackup = log.size();
    if (m_prefs.permanentBackup == 1)
        MakePermanentBackup();
    if (m_prefs.extraBackup == 1)
        MakeExtraBackup();
}

QString BackupScheduler::yearFolderName(const QDate& today)
{
    return QStringLiteral("BAK") + today.toString(QStringLiteral("yyyy"));
}

QString BackupScheduler::ensureYearFolder() const
{
    return ensureYearFolder(m_paths.dataDir, m_clock.localNow().date());
}

QString BackupScheduler::ensureYearFolder(const QString& dataDir, const QDate& today)
{
    const QString name = yearFolderName(today);
    const QString existing = existingYearFolder(dataDir, name);
    if (!existing.isEmpty())
        return existing;
    QDir(dataDir).mkdir(name);
    return QDir(dataDir).filePath(name);
}

QString BackupScheduler::permanentCopyPath(const QDateTime& now) const
{
    return permanentCopyPath(m_paths.dataDir, now);
}

QString BackupScheduler::permanentCopyPath(const QString& dataDir, const QDateTime& now)
{
    const QString name = yearFolderName(now.date());
    QString folder = existingYearFolder(dataDir, name);
    if (folder.isEmpty())
        folder = QDir(dataDir).filePath(name);
    return folder + QLatin1Char('/') + now.toString(QStringLiteral("MMddhhmm")) + QStringLiteral(".dat");
}

bool BackupScheduler::copyToYearFolder(const QString& dataDir, const QString& from, const QDateTime& now,
                                       QString* error)
{
    ensureYearFolder(dataDir, now.date());
    const QString target = permanentCopyPath(dataDir, now);
    QString reason;
    if (copyReplacing(from, target, &reason))
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(target), reason);
    return false;
}

bool BackupScheduler::MakePermanentBackup() const
{
    QString error;
    if (copyToYearFolder(m_paths.dataDir, m_paths.backupFile(), m_clock.localNow(), &error))
        return true;
    m_dialogs.message(QStringLiteral("The dated backup copy could not be written (%1).  LogBkUp.dat and the log "
                                     "itself are not affected.")
                          .arg(error),
                      QStringLiteral("Backup Error"), Dialogs::Icon::Warning);
    return false;
}

bool BackupScheduler::MakeExtraBackup() const
{
    if (m_prefs.extraBackupFolder.trimmed().isEmpty())
        return false;
    return copyReplacing(m_paths.backupFile(), QDir(m_prefs.extraBackupFolder).filePath(QStringLiteral("LogBkUp.dat")));
}
