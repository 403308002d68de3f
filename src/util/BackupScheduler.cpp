#include "util/BackupScheduler.h"

#include "log/Logbook.h"
#include "settings/Preferences.h"
#include "util/Clock.h"

#include <QDir>
#include <QFile>

namespace {

// Replaces the target, so a second copy in the same minute leaves one file.
bool copyReplacing(const QString& from, const QString& to)
{
    if (QFile::exists(to) && !QFile::remove(to))
        return false;
    return QFile::copy(from, to);
}

}  // namespace

BackupScheduler::BackupScheduler(Logbook& logbook, const Preferences& prefs, DataPaths paths, Clock& clock)
    : m_logbook(logbook), m_prefs(prefs), m_paths(std::move(paths)), m_clock(clock)
{
}

void BackupScheduler::Timer1_Timer()
{
    ContactLog& log = m_logbook.log();
    ++log.backupTicks;
    if (m_cwWaiting() || log.backupTicks <= 14)
        return;
    log.backupTicks = 0;
    if (log.size() < 1 || log.countAtLastBackup >= log.size())
        return;
    log.countAtLastBackup = log.size();
    if (!m_logbook.Backup())
        return;
    if (m_prefs.permanentBackup == 1)
        MakePermanentBackup();
    if (m_prefs.extraBackup == 1)
        MakeExtraBackup();
}

QString BackupScheduler::yearFolderName(const QDate& today) { return QStringLiteral("BAK") + today.toString(QStringLiteral("yyyy")); }

QString BackupScheduler::ensureYearFolder() const
{
    const QString name = yearFolderName(m_clock.localNow().date());
    const QDir data(m_paths.dataDir);
    for (const QString& e : data.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (e.toUpper() == name)
            return data.filePath(e);
    }
    data.mkdir(name);
    return data.filePath(name);
}

QString BackupScheduler::permanentCopyPath(const QDateTime& now) const
{
    return m_paths.dataDir + QLatin1Char('/') + yearFolderName(now.date()) + QLatin1Char('/')
        + now.toString(QStringLiteral("MMddhhmm")) + QStringLiteral(".dat");
}

bool BackupScheduler::MakePermanentBackup() const
{
    ensureYearFolder();
    return copyReplacing(m_paths.backupFile(), permanentCopyPath(m_clock.localNow()));
}

bool BackupScheduler::MakeExtraBackup() const
{
    if (m_prefs.extraBackupFolder.trimmed().isEmpty())
        return false;
    return copyReplacing(m_paths.backupFile(), QDir(m_prefs.extraBackupFolder).filePath(QStringLiteral("LogBkUp.dat")));
}
