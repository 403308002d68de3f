#include "util/DataFolderLock.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// Starts a second process holding the lock of `dir`; returns once it said whether it got it.
QString startHolder(QProcess& child, const QString& dir)
{
    child.start(QStringLiteral(LOCK_CHILD), {dir});
    if (!child.waitForStarted(10000) || !child.waitForReadyRead(10000))
        return {};
    return QString::fromLatin1(child.readLine()).trimmed();
}

} // namespace

TEST(DataFolderLock, OneHolderPerFolderUntilItEnds)
{
    TempDataDir dir, other;
    auto first = std::make_unique<DataFolderLock>(dir.path());
    ASSERT_TRUE(first->tryLock());
    DataFolderLock second(dir.path());
    EXPECT_FALSE(second.tryLock());
    EXPECT_TRUE(
        second.refusal().startsWith("Another copy of the program is already using the data folder " + dir.path()));
    EXPECT_TRUE(second.refusal().endsWith(".  Only one copy may work on a log at a time."));
    DataFolderLock elsewhere(other.path());
    EXPECT_TRUE(elsewhere.tryLock());

    // Another process is refused while the first holds the lock, and gets it once it is gone.
    QProcess child;
    EXPECT_EQ(startHolder(child, dir.path()), "refused");
    child.waitForFinished(10000);
    first.reset();
    EXPECT_TRUE(second.tryLock());
}

TEST(DataFolderLock, ALockLeftByAKilledCopyIsTakenOver)
{
    TempDataDir dir;
    QProcess child;
    ASSERT_EQ(startHolder(child, dir.path()), "locked");
    DataFolderLock mine(dir.path());
    EXPECT_FALSE(mine.tryLock());
    EXPECT_TRUE(mine.refusal().contains(QString("process %1").arg(child.processId())));

    child.kill(); // SIGKILL: the lock file stays behind
    ASSERT_TRUE(child.waitForFinished(10000));
    ASSERT_TRUE(QFile::exists(dir.file(DataFolderLock::fileName())));
    EXPECT_TRUE(mine.tryLock());
    EXPECT_TRUE(mine.isLocked());
}
