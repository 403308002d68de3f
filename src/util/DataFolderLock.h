#pragma once

#include <QLockFile>
#include <QString>

// One program at a time on one data folder: two copies would accept the same dupe, and a
// delete in one would rewrite the log from its own memory over the other's contacts. The
// window and every fdlog-cli command that rewrites the log hold this lock while they run.
// A lock left by a copy that crashed is noticed (its process is gone) and taken over.
class DataFolderLock {
public:
    explicit DataFolderLock(const QString& dataDir);

    // Takes the lock without waiting; false only when another running copy holds it. A folder
    // where no lock file can be created lets nothing be written at all, so it is not refused
    // here: the first write reports it.
    bool tryLock();
    bool isLocked() const { return m_lock.isLocked(); }

    // The explanation for the operator when tryLock() failed, naming the folder and the holder.
    QString refusal() const;

    static QString fileName() { return QStringLiteral("fdlog.lock"); }

private:
    QString m_dataDir;
    QLockFile m_lock;
};
