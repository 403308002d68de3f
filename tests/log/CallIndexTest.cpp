#include "log/CallIndex.h"
#include "log/ContactLog.h"
#include "log/Logbook.h"
#include "log/SectionTable.h"
#include "reports/LogImport.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The rule written out plainly: every record on the band and mode whose call's first
// len(typed) characters occur in typed, in record order, until the text passes the limit.
QString reference(const ContactLog& log, const QString& typed, const QString& band, const QString& mode,
                  qsizetype limit)
{
    QString list;
    for (const auto& r : log.records()) {
        if (r.band == band && r.mode == mode && typed.contains(r.call.left(typed.size()))) {
            list += "  " + r.call;
            if (list.size() > limit)
                break;
        }
    }
    return list;
}

ContactRecord rec(const QString& call, const QString& band, const QString& mode)
{
    return {call, "2A", "CT", "2026/06/27", "18:00:00", band, mode, "", ""};
}

} // namespace

TEST(CallIndex, MatchesThePlainWalkThroughAppendsAndRemovals)
{
    ContactLog log(SectionTable::standard());
    CallIndex index(log);
    quint32 seed = 7;
    auto next = [&seed](int n) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 16) % static_cast<quint32>(n));
    };
    auto randomCall = [&] {
        QString c;
        const int n = 1 + next(24); // some longer than the packed width
        for (int i = 0; i < n; ++i)
            c += QChar("K1AB/2"[next(6)]);
        if (next(50) == 0)
            c += QChar(0x0141); // a character outside 8 bits
        return c;
    };
    const QStringList bands{"20", "40"};
    const QStringList modes{"CW", "PH"};
    auto check = [&] {
        for (int i = 0; i < 400; ++i) {
            // Half of the probes start from a logged call on its own band and mode, so near misses
            // (a prefix of it, or a prefix with a letter it does not have) are tried too.
            QString typed = randomCall().left(1 + next(26));
            QString band = bands[next(2)];
            QString mode = modes[next(2)];
            if (!log.isEmpty() && next(2)) {
                const ContactRecord& r = log.record(1 + next(log.size()));
                typed = r.call.left(1 + next(r.call.size())) + (next(2) ? QString("X") : QString());
                band = r.band;
                mode = r.mode;
            }
            const qsizetype limit = next(2) ? 120 : 1000000;
            ASSERT_EQ(index.partialMatches(typed, band, mode, limit).toStdString(),
                      reference(log, typed, band, mode, limit).toStdString())
                << typed.toStdString();
        }
    };
    for (int i = 0; i < 300; ++i)
        log.add(rec(randomCall(), bands[next(2)], modes[next(2)]));
    check();
    for (int i = 0; i < 50; ++i)
        log.add(rec(randomCall(), bands[next(2)], modes[next(2)])); // taken in as a tail
    check();
    // One change between checks, so each must make the index drop what it holds.
    log.remove(10);
    log.add(rec("K1AB/2", "40", "PH")); // back to the count the index holds
    check();
    log.replace(3, rec("K1AB", "20", "CW"));
    check();
    log.insert(1, rec("K1ABB", "20", "CW"));
    check();
}

namespace {

// The record numbers of a call, found by walking the table.
std::vector<int> walkCall(const ContactLog& log, const QString& call)
{
    std::vector<int> nums;
    for (int n = 1; n <= log.size(); ++n) {
        if (log.record(n).call == call)
            nums.push_back(n);
    }
    return nums;
}

} // namespace

// The index lives as long as the window and sees the table change under it in every way the
// logbook changes it (an edit and a delete end in a reload); after each it must answer as a walk
// over the records does.
TEST(CallIndex, AgreesWithTheRecordsAfterEveryKindOfLogChange)
{
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ContactLog log(SectionTable::standard());
    Logbook book(log, dir.file("fdlog.dat"), dir.file("LogBkUp.dat"), dialogs);
    CallIndex index(log);
    auto at = [](const QString& call, const QString& time) {
        return ContactRecord{call, "2A", "CT", "2026/06/27", time, "20", "CW", "", ""};
    };
    const std::vector<ContactRecord> start{at("K1AAA", "18:00:00"), at("W2BBB", "18:01:00"), at("N3CCC", "18:02:00"),
                                           at("K1AAB", "18:03:00")};
    const struct {
        const char* change;
        std::function<void()> apply;
    } rows[] = {
        {"reload after two lines were swapped outside the program",
         [&] {
             QList<QByteArray> lines = readBytes(dir.file("fdlog.dat")).split('\n');
             std::swap(lines[0], lines[1]);
             writeBytes(dir.file("fdlog.dat"), lines.join('\n'));
             ASSERT_TRUE(book.reload());
         }},
        {"new log",
         [&] {
             dialogs.inputAnswers = {QString("YES")};
             ASSERT_TRUE(book.ConfirmNewLog(QDateTime(QDate(2026, 6, 27), QTime(14, 5))));
         }},
        {"import in time order",
         [&] {
             writeBytes(dir.file("other.dat"),
                        formatLogLine(at("W2BBB", "17:59:00")) + formatLogLine(at("AA4DDD", "18:01:30")));
             const ImportReport r = appendLogFile(dir.file("other.dat"), book, dir.path(), {false, false}, dialogs);
             ASSERT_EQ(r.outcome, ImportReport::Outcome::Imported);
         }},
        {"append", [&] { ASSERT_EQ(book.storeContact(at("K1AAA", "18:09:00")), Logbook::StoreResult::Stored); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.change);
        ASSERT_TRUE(LogFile(dir.file("fdlog.dat")).rewrite(start));
        ASSERT_TRUE(book.reload());
        // Used before the change (one use builds the whole index), as the as-you-type list does.
        ASSERT_FALSE(index.partialMatches("K1AA", "20", "CW", 120).isEmpty());

        row.apply();
        ASSERT_FALSE(::testing::Test::HasFatalFailure());

        for (const QString call : {"K1AAA", "W2BBB", "N3CCC", "K1AAB", "AA4DDD"}) {
            EXPECT_EQ(index.recordsWithCall(call), walkCall(log, call)) << call.toStdString();
            for (qsizetype n = 1; n <= call.size(); ++n) {
                const QString typed = call.left(n);
                EXPECT_EQ(index.partialMatches(typed, "20", "CW", 120), reference(log, typed, "20", "CW", 120))
                    << typed.toStdString();
            }
        }
    }
}
