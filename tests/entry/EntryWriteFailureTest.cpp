#include "EntryFixture.h"

#include "log/LogFile.h"

#include <cerrno>

// When the disk refuses the contact (the sync fails), the operator is told, nothing reaches the
// file or the table, and what was typed stays in the three fields so Enter can be pressed again.
TEST_F(EntryFixture, FailedSyncRefusesTheContactAndKeepsTheEntry)
{
    seed({rec("K1A")});
    const QByteArray before = fileText();
    LogFile::Io failedSync;
    failedSync.sync = [](int) {
        errno = EIO;
        return -1;
    };
    book.file().setIo(failedSync);
    wf.typeText("k1abc 2a ct\n");
    EXPECT_EQ(fileText(), before);
    EXPECT_EQ(log.size(), 1);
    EXPECT_EQ(QStringList({v().txtCall, v().txtCK, v().txtSec}), QStringList({"K1ABC", "2A", "CT"}));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.last().title, "Contact Not Stored");

    // Once the disk is back, Enter again stores the same contact, once.
    book.file().setIo({});
    wf.Mains();
    EXPECT_EQ(log.size(), 2);
    EXPECT_EQ(log.record(2).call, "K1ABC");
    expectEntryCleared();
    EXPECT_EQ(fileText().count("\r\n"), 2);
}
