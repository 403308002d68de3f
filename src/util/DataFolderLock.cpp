#include "util/DataFolderLock.h"

#include <QDir>

DataFolderLock::DataFolderLock(const QString& dataDir) : m_dataDir(dataDir), m_lock(QDir(dataDir).filePath(fileName()))
{
    // The lock is held for a whole contest: it must never go stale by age, only when the
    // process that wrote it is no longer running.
    m_lock.setStaleLockTime(0);
}

bool DataFolderLock::tryLock()
{
    return m_lock.isLocked() || m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError;
}

QString DataFolderLock::refusal() const
{
    qint64 pid = 0;
    QString host, app;
    QString holder;
    if (m_lock.getLockInfo(&pid, &host, &app))
        holder = QStringLiteral(" (process %1 on %2)").arg(pid).arg(host);
    return QStringLiteral("Another copy of the program is already using the data folder %1%2.  Only one copy may "
                          "work on a log at a time.")
        .arg(QDir::toNativeSeparators(m_dataDir), holder);
}
