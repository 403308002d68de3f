#include "log/Logbook.h"
#include "log/SectionTable.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

ContactRecord rec(const QString& call, const QString& mode = "CW")
{
    return {call, "2A", "CT", "2026/06/27", "18:05:31", "20", mode, "JS", ""};
}

struct LogbookFixture : ::testing::Test {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ContactLog log{SectionTable::standard()};
    Logbook book{log, dir.file("fdlog.dat"), dir.file("LogBkUp.dat"), dialogs};

    void writeLog(const std::vector<ContactRecord>& records)
    {
        ASSERT_TRUE(LogFile(dir.file("fdlog.dat")).rewrite(records));
    }
    void load(const std::vector<ContactRecord>& records)
    {
        writeLog(records);
        ASSERT_TRUE(book.reload());
    }
    std::vector<ContactRecord> fileRecords()
    {
        std::vector<ContactRecord> out;
        LogFile(dir.file("fdlog.dat")).read(out, 20000);
        return out;
    }
};

} // namespace

TEST_F(LogbookFixture, ReloadRebuildsCounts)
{
    load({rec("K1A"), rec("K1B", "PH"), rec("K1C", "DIG")});
    EXPECT_EQ(log.size(), 3);
    EXPECT_EQ(log.points(), 5);
    EXPECT_TRUE(dialogs.calls.empty());
}

// A log past capacity keeps its first records and says which line is past it; a full log
// refuses the next contact and leaves the file alone.
TEST_F(LogbookFixture, CapacityIsKeptOnReadAndOnStore)
{
    std::vector<ContactRecord> many(ContactLog::Capacity + 1, rec("K1A"));
    many.back().call = "LAST";
    writeLog(many);
    EXPECT_FALSE(book.reload());
    EXPECT_EQ(log.size(), ContactLog::Capacity);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.last().text.startsWith("Error opening file.  Line 14001 of "));
    EXPECT_EQ(log.record(ContactLog::Capacity).call, "K1A");

    load(std::vector<ContactRecord>(ContactLog::Capacity, rec("K1A")));
    const QByteArray before = readBytes(dir.file("fdlog.dat"));
    EXPECT_EQ(book.storeContact(rec("K1B")), Logbook::StoreResult::LogFull);
    EXPECT_EQ(log.size(), ContactLog::Capacity);
    EXPECT_EQ(readBytes(dir.file("fdlog.dat")), before);
    EXPECT_EQ(dialogs.last().title, "Log Full");
}

TEST_F(LogbookFixture, StoreAppendsToFileAndTable)
{
    load({});
    QSignalSpy spy(&book, &Logbook::appended);
    EXPECT_EQ(book.storeContact(rec("K1A")), Logbook::StoreResult::Stored);
    EXPECT_EQ(book.storeContact(rec("K1B")), Logbook::StoreResult::Stored);
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.last().at(0).toInt(), 2);
}

TEST_F(LogbookFixture, UnwritableFileRefusesTheContactWithAMessage)
{
    Logbook broken(log, dir.file("missing-folder/fdlog.dat"), dir.file("LogBkUp.dat"), dialogs);
    EXPECT_EQ(broken.storeContact(rec("K1A")), Logbook::StoreResult::WriteFailed);
    EXPECT_EQ(log.size(), 0);
    EXPECT_EQ(dialogs.last().title, "Contact Not Stored");
    EXPECT_TRUE(dialogs.last().text.contains("No such file or directory")) << dialogs.last().text.toStdString();
}

TEST_F(LogbookFixture, DeleteAsksThenRenumbersAndRewrites)
{
    load({rec("K1A"), rec("K1B"), rec("K1C"), rec("K1D"), rec("K1E")});
    log.countAtLastBackup = 5;

    dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(book.deleteRecord(3));
    EXPECT_EQ(log.size(), 5);

    dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(book.deleteRecord(3));
    EXPECT_EQ(QStringList({dialogs.last().text, dialogs.last().title}),
              QStringList({"Are you sure?", "Are you sure?"}));
    ASSERT_EQ(log.size(), 4);
    EXPECT_EQ(log.record(3).call, "K1D");
    EXPECT_EQ(log.countAtLastBackup, 4);
    EXPECT_EQ(fileRecords(), log.records());
}

TEST_F(LogbookFixture, NewLogNeedsTypedYes)
{
    load({rec("K1A")});
    log.backupTicks = 7;
    log.countAtLastBackup = 1;

    for (const auto& answer :
         {std::optional<QString>("YES "), std::optional<QString>(), std::optional<QString>("no")}) {
        dialogs.inputAnswers = {answer};
        EXPECT_FALSE(book.ConfirmNewLog(QDateTime(QDate(2026, 6, 27), QTime(14, 5))));
        EXPECT_EQ(log.size(), 1);
    }
    EXPECT_EQ(QStringList({dialogs.last().title, dialogs.last().text}),
              QStringList({"WARNING - Your existing log file will be ERASED!",
                           "Are you sure that you want to start a new log file?  This function will ERASE the existing "
                           "log file!\n\nTo verify that you want to start a new log file, please type: YES"}));

    EXPECT_FALSE(QDir(dir.file("BAK2026")).exists());

    const QByteArray before = readBytes(dir.file("fdlog.dat"));
    dialogs.inputAnswers = {QString("yes")};
    EXPECT_TRUE(book.ConfirmNewLog(QDateTime(QDate(2026, 6, 27), QTime(14, 5))));
    // The erased log is kept under the name a permanent backup of that minute gets.
    EXPECT_EQ(readBytes(dir.file("BAK2026/06271405.dat")), before);
    EXPECT_EQ(QList<int>({log.size(), log.backupTicks, log.countAtLastBackup}), QList<int>({0, 0, 0}));
    EXPECT_TRUE(readBytes(dir.file("fdlog.dat")).isEmpty());
    EXPECT_TRUE(QFile::exists(dir.file("fdlog.dat")));
}

TEST_F(LogbookFixture, NewLogCopiesIntoTheYearFolderAsSpeltOnDiskAndErasesNothingWhenItCannot)
{
    load({rec("K1A")});
    const QByteArray before = readBytes(dir.file("fdlog.dat"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("bak2026"));
    dialogs.inputAnswers = {QString("YES")};
    EXPECT_TRUE(book.ConfirmNewLog(QDateTime(QDate(2026, 6, 28), QTime(9, 30))));
    EXPECT_EQ(readBytes(dir.file("bak2026/06280930.dat")), before);
    EXPECT_FALSE(QDir(dir.file("BAK2026")).exists());

    // A second New on the empty log keeps the copy made in the same minute.
    dialogs.inputAnswers = {QString("YES")};
    EXPECT_TRUE(book.ConfirmNewLog(QDateTime(QDate(2026, 6, 28), QTime(9, 30))));
    EXPECT_EQ(readBytes(dir.file("bak2026/06280930.dat")), before);

    // No year folder can be made (a file has its name): the log stays as it was.
    load({rec("K1A"), rec("K1B")});
    writeBytes(dir.file("BAK2027"), "in the way");
    dialogs.clear();
    dialogs.inputAnswers = {QString("YES")};
    EXPECT_FALSE(book.ConfirmNewLog(QDateTime(QDate(2027, 1, 2), QTime(10, 0))));
    EXPECT_EQ(log.size(), 2);
    EXPECT_EQ(fileRecords().size(), 2u);
    EXPECT_EQ(dialogs.last().title, "File Error");
    EXPECT_TRUE(dialogs.last().text.startsWith("The log could not be copied to the backup folder ("));
    EXPECT_TRUE(dialogs.last().text.endsWith("), so it was not erased."));
}

TEST_F(LogbookFixture, ArchiveRefusesTheLiveFiles)
{
    writeLog({rec("K1A"), rec("K1B")});
    writeBytes(dir.file("LogBkUp.dat"), formatLogLine(rec("K1A")));
    const QByteArray logBytes = readBytes(dir.file("fdlog.dat"));
    for (const QString name : {"fdlog.dat", "LogBkUp.dat", "fdlog.damaged"}) {
        dialogs.clear();
        dialogs.fileAnswers = {dir.file(name)};
        book.archive(dir.path(), "K1ABC", QDate(2026, 6, 27));
        EXPECT_EQ(dialogs.last().title, "Invalid File Name") << name.toStdString();
        EXPECT_EQ(readBytes(dir.file("fdlog.dat")), logBytes);
        EXPECT_EQ(readBytes(dir.file("LogBkUp.dat")), formatLogLine(rec("K1A")));
        EXPECT_FALSE(QFile::exists(dir.file("fdlog.damaged")));
    }
}

TEST_F(LogbookFixture, ArchiveSuggestsADatedNameAndCopies)
{
    writeLog({rec("K1A")});
    const QString target = dir.file("archive.dat");
    dialogs.fileAnswers = {target};
    book.archive("/docs/Field Day", "K1ABC/4", QDate(2026, 6, 27));
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[0].title, "Archive Information");
    EXPECT_EQ(dialogs.calls[1].title, "/docs/Field Day/K1ABC2026-06-27.dat");
    EXPECT_EQ(readBytes(target), readBytes(dir.file("fdlog.dat")));

    dialogs.clear();
    dialogs.fileAnswers = {QString()};
    book.archive("/docs", "", QDate(2026, 6, 27));
    EXPECT_EQ(dialogs.calls[1].title, "/docs/YourCall2026-06-27.dat");
}

TEST_F(LogbookFixture, BackupWritesNothingForAnEmptyLog)
{
    writeBytes(dir.file("LogBkUp.dat"), "old");
    EXPECT_FALSE(book.Backup());
    EXPECT_EQ(readBytes(dir.file("LogBkUp.dat")), QByteArray("old"));
    load({rec("K1A")});
    EXPECT_TRUE(book.Backup());
    EXPECT_EQ(readBytes(dir.file("LogBkUp.dat")), readBytes(dir.file("fdlog.dat")));
}

TEST(AlphanumericOnly, KeepsTheLeadingRunOfDigitsAndCapitals)
{
    for (const auto& [call, name] :
         {std::pair{"K1ABC/4", "K1ABC"}, {"W1AW", "W1AW"}, {"k1abc", "YourCall"}, {"", "YourCall"}, {"VE3 X", "VE3"}})
        EXPECT_EQ(AlphanumericOnly(call), name) << call;
}
