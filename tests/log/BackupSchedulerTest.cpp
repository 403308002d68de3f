#include "log/BackupScheduler.h"
#include "log/Logbook.h"
#include "log/SectionTable.h"
#include "settings/Preferences.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

struct BackupFixture : ::testing::Test {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock{QDateTime(QDate(2026, 6, 27), QTime(14, 5, 0))};
    Preferences prefs;
    ContactLog log{SectionTable::standard()};
    DataPaths paths{dir.path(), dir.file("docs"), dir.file("shared")};
    Logbook book{log, paths.logFile(), paths.backupFile(), dialogs};
    BackupScheduler scheduler{book, prefs, paths, clock, dialogs};

    void store(const QString& call)
    {
        ASSERT_EQ(book.storeContact({call, "1A", "CT", "2026/06/27", "18:00:00", "20", "CW", "", ""}),
                  Logbook::StoreResult::Stored);
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            scheduler.tick();
    }
};

} // namespace

TEST_F(BackupFixture, BacksUpOnTheFifteenthTickOnlyWhenTheLogGrew)
{
    store("K1A");
    ticks(14);
    EXPECT_FALSE(QFile::exists(paths.backupFile()));
    ticks(1);
    EXPECT_EQ(readBytes(paths.backupFile()), readBytes(paths.logFile()));
    EXPECT_EQ(log.countAtLastBackup, 1);
    EXPECT_EQ(log.backupTicks, 0);

    // No new contact: the next check leaves the old backup alone.
    writeBytes(paths.backupFile(), "marker");
    ticks(15);
    EXPECT_EQ(readBytes(paths.backupFile()), QByteArray("marker"));

    store("K1B");
    ticks(15);
    EXPECT_EQ(readBytes(paths.backupFile()), readBytes(paths.logFile()));
}

TEST_F(BackupFixture, WaitsWhileKeyboardCwIsPendingThenBacksUpAtTheNextTick)
{
    bool waiting = true;
    scheduler.setKeyboardCwWaiting([&] { return waiting; });
    store("K1A");
    ticks(20);
    EXPECT_FALSE(QFile::exists(paths.backupFile()));
    EXPECT_EQ(log.backupTicks, 20);
    waiting = false;
    ticks(1);
    EXPECT_TRUE(QFile::exists(paths.backupFile()));
}

TEST_F(BackupFixture, PermanentAndExtraCopies)
{
    prefs.permanentBackup = 1;
    prefs.extraBackup = 1;
    prefs.extraBackupFolder = dir.file("usb");
    ASSERT_TRUE(QDir().mkdir(prefs.extraBackupFolder));
    store("K1A");
    ticks(15);
    const QString dated = dir.path() + "/BAK2026/06271405.dat";
    EXPECT_EQ(readBytes(dated), readBytes(paths.backupFile()));
    EXPECT_EQ(readBytes(dir.file("usb/LogBkUp.dat")), readBytes(paths.backupFile()));

    // A second backup in the same minute replaces the dated copy.
    store("K1B");
    ticks(15);
    EXPECT_EQ(QDir(dir.path() + "/BAK2026").entryList(QDir::Files).size(), 1);
    EXPECT_EQ(readBytes(dated), readBytes(paths.logFile()));

    // A missing extra folder fails quietly; the permanent copy still happens.
    prefs.extraBackupFolder = dir.file("gone");
    clock.advanceMs(60'000);
    store("K1C");
    ticks(15);
    EXPECT_TRUE(QFile::exists(dir.path() + "/BAK2026/06271406.dat"));
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(BackupFixture, AFailedPermanentCopyIsReported)
{
    prefs.permanentBackup = 1;
    // A file where the year folder should be: the copy fails and the operator is told.
    writeBytes(dir.file("BAK2026"), "in the way");
    store("K1A");
    ticks(15);
    EXPECT_EQ(readBytes(paths.backupFile()), readBytes(paths.logFile()));
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.last().title, "Backup Error");
    EXPECT_TRUE(dialogs.last().text.startsWith("The dated backup copy could not be written ("));
    EXPECT_TRUE(dialogs.last().text.contains("06271405.dat"));
}

TEST_F(BackupFixture, AFailedBackupIsTriedAgainAtTheNextCheck)
{
    store("K1A");
    // A directory where the backup file should be: the copy cannot be written.
    ASSERT_TRUE(QDir().mkdir(paths.backupFile()));
    ticks(15);
    EXPECT_EQ(log.countAtLastBackup, 0);

    ASSERT_TRUE(QDir().rmdir(paths.backupFile()));
    ticks(15);
    EXPECT_EQ(readBytes(paths.backupFile()), readBytes(paths.logFile()));
    EXPECT_EQ(log.countAtLastBackup, 1);
}
