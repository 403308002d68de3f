// What a bad file, a power cut, a full disk or a bad field does to the log: nothing is lost,
// nothing unreadable is written, and the operator is told which line is at fault.
#include "log/LogField.h"
#include "log/LogRepair.h"
#include "log/Logbook.h"
#include "log/SectionTable.h"
#include "reports/LogImport.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QSignalSpy>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ContactRecord rec(const QString& call, const QString& mode = "CW")
{
    return {call, "2A", "CT", "2026/06/27", "18:05:31", "20", mode, "JS", "14.025"};
}

QByteArray lines(std::initializer_list<QString> calls)
{
    QByteArray out;
    for (const QString& c : calls)
        out += formatLogLine(rec(c));
    return out;
}

struct SafetyFixture : ::testing::Test {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    ContactLog log{SectionTable::standard()};
    Logbook book{log, dir.file("fdlog.dat"), dir.file("LogBkUp.dat"), dialogs};

    SafetyFixture()
    {
        clock.setLocal(QDateTime(QDate(2026, 6, 27), QTime(14, 0, 0)));
        book.setClock(clock);
    }
    QByteArray logBytes() const { return readBytes(dir.file("fdlog.dat")); }
    QByteArray damagedBytes() const { return readBytes(dir.file("fdlog.damaged")); }
    // Loads `bytes` as the log; what the load told the operator is forgotten.
    bool load(const QByteArray& bytes)
    {
        writeBytes(dir.file("fdlog.dat"), bytes);
        const bool ok = book.reload();
        dialogs.clear();
        return ok;
    }
    void expectTold(const QString& title, const QString& start) const
    {
        EXPECT_EQ(dialogs.last().title, title);
        EXPECT_TRUE(dialogs.last().text.startsWith(start)) << dialogs.last().text.toStdString();
    }
};

const QByteArray BadLine = "\"K1\"ABC\",\"2A\"\r\n";

} // namespace

// Every byte as a call character: the writer stores exactly what the reader reads back.
TEST(LogFieldRule, WriterAndReaderAgreeOnEveryByte)
{
    TempDataDir dir;
    LogFile file(dir.file("fdlog.dat"));
    for (int b = 1; b < 256; ++b) {
        ContactRecord r = rec(QStringLiteral("K1") + QChar(b) + QStringLiteral("AB"));
        const QByteArray before = readBytes(file.path());
        const bool stored = file.append(r);
        EXPECT_EQ(stored, LogField::isValid(r.call)) << b;
        EXPECT_EQ(file.rewrite({r}), stored) << b;
        if (!stored) {
            EXPECT_EQ(readBytes(file.path()), before) << b;
            continue;
        }
        std::vector<ContactRecord> back;
        ASSERT_EQ(file.read(back, 10).status, LogFile::ReadStatus::Ok) << b;
        ASSERT_EQ(back.size(), 1u);
        EXPECT_EQ(back[0], r) << b;
    }
    // Past Latin-1, which the loop above cannot reach.
    EXPECT_FALSE(LogField::isValid(u"K1\u0100"));
}

// Every kind of input that can reach the log, through the logbook's write and a reload.
TEST_F(SafetyFixture, EveryInputThatReachesTheLogReadsBackAsStored)
{
    struct Row {
        const char* what;
        ContactRecord r;
        bool storable;
    };
    ContactRecord longest = rec(QString(LogField::MaxLength, 'W'));
    for (QString* f : {&longest.cls, &longest.section, &longest.op, &longest.freq})
        *f = QString(LogField::MaxLength, '9');
    const Row rows[] = {
        {"typed", rec("K1ABC/4"), true},
        {"typed, no op or frequency", {"VE3X", "1E", "ONS", "2026/06/28", "09:00:00", "1.25", "PH", "", ""}, true},
        {"every field at the length limit", longest, true},
        {"Latin-1 letter", rec(QString::fromUtf16(u"\u00c5K1")), true},
        {"edited in lower case", rec("k1abc"), false},
        {"quote", rec("W1\"Q"), false},
        {"control byte",
         rec("K1\x16"
             "ABC"),
         false},
        {"held key", rec(QString(5000, 'A')), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(load(lines({"K1A"})));
        EXPECT_EQ(book.storeContact(row.r) == Logbook::StoreResult::Stored, row.storable);
        EXPECT_EQ(book.replaceRecord(1, row.r), row.storable);
        if (!row.storable) {
            EXPECT_EQ(dialogs.last().title, "Contact Not Stored");
            EXPECT_EQ(logBytes(), lines({"K1A"}));
        }
        ASSERT_TRUE(book.reload());
        EXPECT_EQ(log.record(1), row.storable ? row.r : rec("K1A"));
    }
}

TEST_F(SafetyFixture, ImportedAdifFieldsAreStoredInCapitalsOrRefusedAndReported)
{
    ASSERT_TRUE(load(lines({"K1A"})));
    const QByteArray longCall(5000, 'X');
    const QByteArray adif = "<eoh>"
                            "<call:5>w1abc<band:3>20m<mode:3>ssb<qso_date:8>20260627<time_on:4>1801<class:2>2a"
                            "<arrl_sect:3>ct <eor>"
                            "<call:6>K1\x17\x1f"
                            "AB<band:3>20m<mode:2>CW<qso_date:8>20260627<time_on:4>1802<eor>"
                            "<call:5000>" +
                            longCall + "<band:3>40m<mode:2>CW<qso_date:8>20260627<time_on:4>1803<eor>";
    writeBytes(dir.file("in.adi"), adif);
    const ImportReport r = appendLogFile(dir.file("in.adi"), book, dir.path(), {}, dialogs);
    EXPECT_EQ(r.outcome, ImportReport::Outcome::Imported);
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.refused, 2);
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.last().text.contains("record 2, its call field")) << dialogs.last().text.toStdString();

    std::vector<ContactRecord> back;
    ASSERT_EQ(LogFile(dir.file("fdlog.dat")).read(back, 100).status, LogFile::ReadStatus::Ok);
    ASSERT_EQ(back.size(), 2u);
    // 18:01 sorts before the 18:05 contact already in the log.
    EXPECT_EQ(back[0], (ContactRecord{"W1ABC", "2A", "CT", "2026/06/27", "18:01", "20", "PH", "", ""}));
}

TEST_F(SafetyFixture, ALoadErrorShowsWhatWasReadAndNamesTheLine)
{
    writeBytes(dir.file("fdlog.dat"), lines({"K1A", "K1B"}) + BadLine + lines({"K1C"}) + "junk\r\n");
    QSignalSpy reloaded(&book, &Logbook::reloaded);
    EXPECT_FALSE(book.reload());
    EXPECT_EQ(reloaded.count(), 1);
    ASSERT_EQ(log.size(), 3);
    EXPECT_EQ(log.record(3).call, "K1C");
    EXPECT_EQ(book.firstUnreadLine(), 3);
    ASSERT_EQ(dialogs.messages().size(), 1);
    expectTold("File Error", "Error opening file.  Line 3 of " + dir.file("fdlog.dat") + " cannot be read");
    EXPECT_TRUE(dialogs.last().text.contains("(2 unreadable lines in all)"));

    QFile::remove(dir.file("fdlog.dat"));
    dialogs.clear();
    EXPECT_FALSE(book.reload());
    EXPECT_EQ(dialogs.messages(), QStringList{"Error opening file."});
}

// While lines are unread, no rewrite of fdlog.dat and no backup happens; appends go on.
TEST_F(SafetyFixture, NothingRewritesALogWithUnreadLines)
{
    const QByteArray damaged = lines({"K1A", "K1B"}) + BadLine + lines({"K1C"});
    writeBytes(dir.file("LogBkUp.dat"), "last good backup");
    writeBytes(dir.file("in.adi"), "<call:4>W9XX<band:3>20m<mode:2>CW<qso_date:8>20260627<time_on:4>1801<eor>");
    const std::pair<const char*, std::function<void()>> operations[] = {
        {"delete",
         [&] {
             dialogs.yesNoAnswers = {true};
             book.deleteRecord(1);
         }},
        {"edit", [&] { book.replaceRecord(1, rec("W1AW")); }},
        {"import", [&] { appendLogFile(dir.file("in.adi"), book, dir.path(), {}, dialogs); }},
        {"new",
         [&] {
             dialogs.inputAnswers = {QString("YES")};
             book.ConfirmNewLog(QDateTime(QDate(2026, 6, 27), QTime(14, 5)));
         }},
        {"rewrite", [&] { book.rewriteAndReload(); }},
        {"backup", [&] { EXPECT_FALSE(book.Backup()); }},
    };
    for (const auto& [what, operation] : operations) {
        SCOPED_TRACE(what);
        load(damaged);
        operation();
        EXPECT_EQ(logBytes(), damaged);
        EXPECT_EQ(readBytes(dir.file("LogBkUp.dat")), QByteArray("last good backup"));
        EXPECT_EQ(log.size(), 3);
        ASSERT_FALSE(dialogs.messages().isEmpty());
        expectTold("Log File Not Rewritten", "Line 3 of ");
    }
    dialogs.clear();
    EXPECT_EQ(book.storeContact(rec("K1D")), Logbook::StoreResult::Stored);
    EXPECT_EQ(logBytes(), damaged + lines({"K1D"}));
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(SafetyFixture, RepairMovesEachUnreadableLineAsItStoodAndKeepsEveryReadableOne)
{
    const QByteArray junk("\x01\xff garbage, \"\0end", 17); // a NUL too: moved byte for byte
    writeBytes(dir.file("fdlog.damaged"), "earlier\r\n");
    EXPECT_FALSE(load(lines({"K1A"}) + BadLine + lines({"K1B"}) + "\r\n" + junk + "\n" + lines({"K1C"})));
    QSignalSpy reloaded(&book, &Logbook::reloaded);

    EXPECT_TRUE(book.repairLogFile());
    EXPECT_EQ(logBytes(), lines({"K1A", "K1B", "K1C"}));
    EXPECT_EQ(damagedBytes(), "earlier\r\n# line 2 of fdlog.dat, moved 2026-06-27 14:00:00\r\n" + BadLine +
                                  "# line 5 of fdlog.dat, moved 2026-06-27 14:00:00\r\n" + junk + "\r\n");
    EXPECT_EQ(reloaded.count(), 1);
    EXPECT_EQ(log.size(), 3);
    EXPECT_EQ(book.firstUnreadLine(), 0);
    ASSERT_EQ(dialogs.messages().size(), 1);
    expectTold("Repair Log File", "2 unreadable line(s) of ");

    // A whole log is left as it is.
    dialogs.clear();
    EXPECT_TRUE(book.repairLogFile());
    EXPECT_EQ(logBytes(), lines({"K1A", "K1B", "K1C"}));
    EXPECT_TRUE(dialogs.last().text.startsWith("Every line of "));
    dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(book.deleteRecord(1));
    EXPECT_EQ(logBytes(), lines({"K1B", "K1C"}));
}

// A power cut mid-append leaves a last line without its end, found at start-up or before the
// next append.
TEST_F(SafetyFixture, ALastLineWithoutItsEndIsMended)
{
    const QByteArray whole = formatLogLine(rec("K1B"));
    const struct {
        const char* what;
        QByteArray tail;    // the last line as the power cut left it
        QByteArray kept;    // what the log keeps of it
        QByteArray damaged; // what is moved aside
    } rows[] = {
        {"complete record", whole.chopped(2), whole, {}},
        {"record and CR", whole.chopped(1), whole, {}},
        {"cut in a field", whole.left(30), {}, whole.left(30)},
        {"cut after a comma", whole.left(11), {}, whole.left(11)},
    };
    for (const bool atStartUp : {true, false}) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(row.what) + (atStartUp ? " at start-up" : " before an append"));
            QFile::remove(dir.file("fdlog.damaged"));
            writeBytes(dir.file("fdlog.dat"), lines({"K1A"}) + row.tail);
            dialogs.clear();
            if (atStartUp) {
                EXPECT_TRUE(book.reload());
            }
            ASSERT_EQ(book.storeContact(rec("K1C")), Logbook::StoreResult::Stored);
            EXPECT_EQ(logBytes(), lines({"K1A"}) + row.kept + lines({"K1C"}));
            if (row.damaged.isEmpty()) {
                EXPECT_FALSE(QFile::exists(dir.file("fdlog.damaged")));
                EXPECT_TRUE(dialogs.calls.empty());
            } else {
                EXPECT_EQ(damagedBytes(),
                          "# line 2 of fdlog.dat, moved 2026-06-27 14:00:00\r\n" + row.damaged + "\r\n");
                ASSERT_EQ(dialogs.messages().size(), 1);
                EXPECT_EQ(dialogs.last().title, "Log File Mended");
                EXPECT_TRUE(dialogs.last().text.contains(QString::fromLatin1(row.damaged)));
            }
        }
    }
}

// A write cut short (full disk) or a failed sync leaves the file as it was and keeps the
// contact out of the table, with the system's reason.
TEST_F(SafetyFixture, AShortOrFailedWriteIsTakenBackOffTheFile)
{
    ASSERT_TRUE(load(lines({"K1A"})));
    const QByteArray before = logBytes();
    int calls = 0;
    LogFile::Io shortWrite;
    shortWrite.write = [&](int fd, const char* data, qint64 size) -> qint64 {
        if (calls++ == 0)
            return ::write(fd, data, static_cast<size_t>(size / 2));
        errno = ENOSPC;
        return -1;
    };
    LogFile::Io failedSync;
    failedSync.sync = [](int) {
        errno = ENOSPC;
        return -1;
    };
    const std::pair<const char*, LogFile::Io> faults[] = {{"short write", shortWrite}, {"failed sync", failedSync}};
    for (const auto& [what, io] : faults) {
        SCOPED_TRACE(what);
        dialogs.clear();
        calls = 0;
        book.file().setIo(io);
        EXPECT_EQ(book.storeContact(rec("K1B")), Logbook::StoreResult::WriteFailed);
        EXPECT_EQ(logBytes(), before);
        EXPECT_EQ(log.size(), 1);
        EXPECT_EQ(dialogs.last().title, "Contact Not Stored");
        EXPECT_TRUE(dialogs.last().text.contains("(No space left on device)")) << dialogs.last().text.toStdString();
    }
    book.file().setIo({});
    EXPECT_EQ(book.storeContact(rec("K1B")), Logbook::StoreResult::Stored);
    EXPECT_EQ(logBytes(), lines({"K1A", "K1B"}));
}

TEST_F(SafetyFixture, AFifoAsTheLogIsRefusedNotWaitedOn)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.file("fdlog.dat")).constData(), 0600), 0);
    EXPECT_FALSE(book.reload());
    expectTold("File Error", "Error opening file.  ");
    EXPECT_TRUE(dialogs.last().text.contains("is not a regular file"));
    EXPECT_EQ(book.storeContact(rec("K1A")), Logbook::StoreResult::WriteFailed);
    EXPECT_FALSE(book.repairLogFile());
    std::vector<ContactRecord> out;
    EXPECT_EQ(LogFile(dir.file("fdlog.dat")).read(out, 10).status, LogFile::ReadStatus::NotRegularFile);
}
