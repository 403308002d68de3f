// The shared log's rules without a broker: identities, the shared order, which copy wins, and
// the log kept in step with fdlog.sync.
#include "SyncStation.h"
#include "entry/ContactEditor.h"
#include "entry/EntryWorkflow.h"
#include "entry/ExchangeValidator.h"
#include "log/OperatingState.h"
#include "settings/Preferences.h"
#include "support/ManualClock.h"
#include "sync/ClockOffsetEstimator.h"

#include <QDir>
#include <QSignalSpy>

namespace {

// 20 m CW, in CT, at the given time (the shared stations' rec() counts seconds instead).
ContactRecord loggedAt(const QString& call, const QString& time, const QString& cls = "2A")
{
    return {call, cls, "CT", "2026/06/27", time, "20", "CW", "", ""};
}

// A contact as shared; without a record, the tombstone of a deleted one.
SyncEntry entry(const QString& station, int seq, const std::optional<ContactRecord>& r, int rev = 1)
{
    return {{station, seq}, rev, r};
}

struct SharedLogFixture : ::testing::Test, StationLog {
    std::unique_ptr<SharedLog> shared;

    // A log shared for the first time.
    void fresh(const std::vector<ContactRecord>& records)
    {
        QFile::remove(dir.file("fdlog.sync"));
        dialogs.clear();
        openWith(records);
    }
    void openWith(const std::vector<ContactRecord>& records)
    {
        ASSERT_TRUE(LogFile(dir.file("fdlog.dat")).rewrite(records));
        reopen();
    }
    void reopen()
    {
        shared.reset();
        ASSERT_TRUE(book.reload());
        shared = std::make_unique<SharedLog>(book, dir.file("fdlog.sync"), "A");
        QString error;
        ASSERT_TRUE(shared->open(&error)) << error.toStdString();
    }
    QByteArray expectedFile(const std::vector<ContactRecord>& records)
    {
        QByteArray out;
        for (const ContactRecord& r : records)
            out += formatLogLine(r);
        return out;
    }
};

} // namespace

TEST(SyncLogRules, SharedOrderIsTimeThenStationThenNumber)
{
    SyncLog t("unused");
    // Inserted in a scrambled order; the last two are a same-second dupe from two stations.
    for (const SyncEntry& e :
         {entry("B", 2, loggedAt("K4", "18:00:02")), entry("A", 10, loggedAt("K3", "18:00:01")),
          entry("A", 9, loggedAt("K2", "18:00:01")), entry("B", 1, loggedAt("K1", "17:59:59")),
          entry("B", 3, loggedAt("W1AW", "18:00:03")), entry("A", 11, loggedAt("W1AW", "18:00:03"))})
        t.put(e);
    QStringList order;
    for (const SyncEntry* e : t.liveInOrder())
        order << QStringLiteral("%1%2").arg(e->key.station).arg(e->key.seq);
    EXPECT_EQ(order.join(' '), "B1 A9 A10 B2 A11 B3");
}

TEST(SyncLogRules, HigherRevisionWinsAndEqualRevisionsAgreeEverywhere)
{
    const SyncEntry base = entry("A", 1, loggedAt("K1ABC", "18:00:00")),
                    edit = entry("A", 1, loggedAt("K1ABC", "18:00:00", "3A"), 2),
                    otherEdit = entry("A", 1, loggedAt("K1ABC", "18:00:00", "1A"), 2),
                    tomb = entry("A", 1, std::nullopt, 3);
    struct Row {
        SyncEntry have, incoming;
        SyncLog::Apply expected;
    } rows[] = {{base, base, SyncLog::Apply::Same},      {base, edit, SyncLog::Apply::Newer},
                {edit, base, SyncLog::Apply::Older},     {edit, tomb, SyncLog::Apply::Newer},
                {tomb, edit, SyncLog::Apply::Older},     {edit, otherEdit, SyncLog::Apply::Older},
                {otherEdit, edit, SyncLog::Apply::Newer}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.incoming.payload().toStdString());
        SyncLog t("unused");
        t.put(row.have);
        EXPECT_EQ(t.apply(row.incoming), row.expected);
        EXPECT_EQ(t.find(base.key)->payload(),
                  (row.expected == SyncLog::Apply::Newer ? row.incoming : row.have).payload());
    }
}

TEST(SyncLogRules, PayloadsRoundTripAndBadOnesAreRefused)
{
    for (const SyncEntry& e : {entry("N1-X", 7, loggedAt("K1ABC", "18:00:00"), 3), entry("N1-X", 7, std::nullopt, 4)}) {
        const auto back = SyncEntry::fromPayload(e.key, e.payload());
        ASSERT_TRUE(back);
        EXPECT_EQ(back->payload(), e.payload());
        EXPECT_EQ(back->record, e.record);
    }
    const QByteArray line = R"("K1ABC","2A","CT","2026/06/27","18:00:00","20","CW","","","")";
    for (const auto& [station, payload] : std::vector<std::pair<QString, QByteArray>>{
             {"A", "0," + line},
             {"A", "x," + line},
             {"A", "1"},
             {"A", "1,\"K1\"\"\",junk"},
             {"A", R"(1,"K1ABC","2A","CT","2026/6/27","18:00:00","20","CW","","","")"},
             {"a", "1," + line},
             {"A/B", "1," + line},
             {"", "1,-"}}) {
        SCOPED_TRACE(payload.toStdString());
        EXPECT_FALSE(SyncEntry::fromPayload({station, 1}, payload));
    }
}

TEST(SyncLogRules, ClockOffsetIsTheMedianOfHalfRoundTripCorrectedTrips)
{
    // The master runs 2.5 s ahead; trips take 4 to 400 ms, the way there and back unevenly.
    // Two trips held up one way only are far off and must not move the median.
    const qint64 shift = 2500;
    const int there[] = {2, 10, 3, 300, 25, 8, 1, 40, 5};
    const int back[] = {2, 12, 1, 5, 30, 6, 1, 360, 4};
    ClockOffsetEstimator est;
    qint64 t = 1'000'000;
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(est.ready(), i >= ClockOffsetEstimator::Enough);
        est.addTrip(t, t + there[i] + shift, t + there[i] + back[i]);
        t += 250;
    }
    EXPECT_NEAR(est.offsetMs(), shift, 50);
}

TEST_F(SharedLogFixture, LocalEnterEditAndDeleteBecomeChangesWithStableIdentities)
{
    openWith({loggedAt("K1", "18:00:00"), loggedAt("K2", "18:01:00")});
    EXPECT_EQ(shared->table().nextSeq("A"), 3) << "contacts logged before sharing are the station's own";
    QSignalSpy changes(shared.get(), &SharedLog::localChanges);

    ASSERT_EQ(book.storeContact(loggedAt("K3", "18:02:00")), Logbook::StoreResult::Stored);
    dialogs.yesNoAnswers = {true};
    ContactRecord edited = loggedAt("K2", "18:01:00");
    edited.section = "NH";
    ASSERT_TRUE(book.replaceRecord(2, edited));
    ASSERT_TRUE(book.deleteRecord(1));

    ASSERT_EQ(changes.count(), 3);
    for (int i = 0; i < 3; ++i) // the new one, the edited one, the deleted one
        EXPECT_EQ(changes[i][0].value<std::vector<SyncKey>>(), (std::vector<SyncKey>{{"A", 3 - i}}));
    EXPECT_EQ(shared->table().find({"A", 2})->rev, 2);

    // What is in fdlog.sync is what the next start finds: nothing new, nothing lost.
    reopen();
    EXPECT_EQ(shared->table().liveRecordsInOrder(), (std::vector<ContactRecord>{edited, loggedAt("K3", "18:02:00")}));
    EXPECT_EQ(shared->table().nextSeq("A"), 4);
}

TEST_F(SharedLogFixture, ArrivalsGoInTheSharedOrderOnceAndSameSecondDupesStay)
{
    openWith({loggedAt("K1", "18:00:00"), loggedAt("W1AW", "18:05:00")});
    // A's own W1AW and B's at the same second: both kept, B's after A's.
    const std::vector<SyncEntry> arriving = {entry("B", 1, loggedAt("K0", "17:00:00")),
                                             entry("B", 2, loggedAt("W1AW", "18:05:00")),
                                             entry("B", 3, loggedAt("K9", "19:00:00"))};
    for (int round = 0; round < 2; ++round)
        for (const SyncEntry& e : arriving)
            shared->receive(e);
    EXPECT_EQ(shared->store(), (std::vector<SyncKey>{{"B", 1}, {"B", 2}, {"B", 3}}));
    const std::vector<ContactRecord> expected = {loggedAt("K0", "17:00:00"), loggedAt("K1", "18:00:00"),
                                                 loggedAt("W1AW", "18:05:00"), loggedAt("W1AW", "18:05:00"),
                                                 loggedAt("K9", "19:00:00")};
    EXPECT_EQ(log.records(), expected);
    EXPECT_EQ(readBytes(dir.file("fdlog.dat")), expectedFile(expected));

    // A tombstone and an edit from elsewhere; then a stale copy changes nothing.
    shared->receive(entry("B", 1, std::nullopt, 2));
    shared->receive(entry("A", 1, loggedAt("K1", "18:00:00", "5F"), 2));
    EXPECT_TRUE(shared->store().empty());
    EXPECT_EQ(shared->receive(entry("B", 1, loggedAt("K0", "17:00:00"))), SyncLog::Apply::Older);
    EXPECT_EQ(log.size(), 4);
    EXPECT_EQ(log.record(1).cls, "5F");
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(SharedLogFixture, NextStartFinishesAnInterruptedStoreAndAdoptsContactsLoggedMeanwhile)
{
    openWith({loggedAt("K1", "18:00:00")});
    const QByteArray before = readBytes(dir.file("fdlog.dat"));
    shared->receive(entry("B", 1, loggedAt("K0", "17:00:00")));
    shared->store();
    // A stop after fdlog.sync was written and before fdlog.dat was: the log is as it was.
    writeBytes(dir.file("fdlog.dat"), before);
    reopen();
    EXPECT_EQ(log.records(), (std::vector<ContactRecord>{loggedAt("K0", "17:00:00"), loggedAt("K1", "18:00:00")}));

    // Logged while sharing was off: this station's own, with the next number.
    shared.reset();
    ASSERT_TRUE(LogFile(dir.file("fdlog.dat")).append(loggedAt("K2", "18:10:00")));
    reopen();
    EXPECT_EQ(shared->table().find({"A", 2})->record, loggedAt("K2", "18:10:00"));
    EXPECT_EQ(log.size(), 3);
}

TEST_F(SharedLogFixture, AnEditOrDeleteOpenWhileAContactArrivesHitsTheContactItOpened)
{
    // B's contact sorts first and moves the opened one down; an edit of the opened one elsewhere
    // leaves nothing to change here.
    const SyncEntry remoteEdit = entry("A", 2, loggedAt("K2", "18:01:00", "9F"), 2);
    struct Row {
        bool remove;
        SyncEntry arriving;
        std::optional<ContactRecord> a2; // what A's second contact holds at the end
    } rows[] = {{false, entry("B", 1, loggedAt("K0", "17:00:00")), loggedAt("K2", "18:01:00")},
                {true, entry("B", 1, loggedAt("K0", "17:00:00")), std::nullopt},
                {false, remoteEdit, remoteEdit.record}};
    rows[0].a2->section = "NH";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.remove);
        fresh({loggedAt("K1", "18:00:00"), loggedAt("K2", "18:01:00"), loggedAt("K3", "18:02:00")});
        ExchangeValidator validator(log, dialogs);
        ContactEditor editor(book, validator, 2);
        editor.setText(ContactEditor::Field::Section, "NH");
        shared->receive(row.arriving);
        shared->store();
        dialogs.yesNoAnswers = {true};
        EXPECT_EQ(row.remove ? editor.deleteDupe() : editor.save(), ContactEditor::Outcome::Closed);
        EXPECT_EQ(shared->table().find({"A", 2})->record, row.a2);
        EXPECT_EQ(shared->table().find({"A", 1})->record, loggedAt("K1", "18:00:00"));
        EXPECT_EQ(shared->table().find({"A", 3})->record, loggedAt("K3", "18:02:00"));
        EXPECT_EQ(dialogs.messages().size(), row.a2 == remoteEdit.record ? 1 : 0);
    }
}

TEST_F(SharedLogFixture, ContactsArrivingWhileTheOperatorIsAskedAreStoredAndTheAnswerKeepsToTheirOwn)
{
    // While the question is open, B's contacts are stored: one before every other (the log is
    // rewritten under the question) and one after.
    const ContactRecord k0 = loggedAt("K0", "17:00:00"), k1 = loggedAt("K1", "18:00:00"),
                        k2 = loggedAt("K2", "18:01:00"), k9 = loggedAt("K9", "23:00:00");
    const ContactRecord own{"W1AW", "2A", "XX", "2026/06/27", "14:00:00", "40", "PH", "", ""};
    struct Row {
        bool deleteK2; // else Enter with an invalid section
        bool yes;
        std::vector<ContactRecord> expected;
    } rows[] = {{false, false, {own, k0, k1, k2, k9}},
                {false, true, {k0, k1, k2, k9}},
                {true, true, {k0, k1, k9}},
                {true, false, {k0, k1, k2, k9}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(QStringLiteral("delete %1, answer %2").arg(row.deleteK2).arg(row.yes).toStdString());
        fresh({k1, k2});
        Preferences prefs;
        OperatingState state{prefs};
        ManualClock clock;
        EntryWorkflow wf{book, state, prefs, dialogs, clock};
        dialogs.whileAsking = [&] {
            shared->receive(entry("B", 1, k0));
            shared->receive(entry("B", 2, k9));
            shared->store();
        };
        dialogs.yesNoAnswers = {row.yes};
        if (row.deleteK2)
            book.deleteRecord(2);
        else
            wf.typeText("w1aw 2a xx\n");
        EXPECT_EQ(dialogs.calls.size(), 1u);
        EXPECT_EQ(log.records(), row.expected);
        EXPECT_EQ(readBytes(dir.file("fdlog.dat")), expectedFile(row.expected));
        EXPECT_EQ(shared->table().liveRecordsInOrder(), row.expected);
        // The next start finds the two files agreeing: nothing new, nothing lost.
        reopen();
        EXPECT_EQ(log.records(), row.expected);
        EXPECT_EQ(shared->table().liveCount(), static_cast<int>(row.expected.size()));
    }
}

TEST_F(SharedLogFixture, AFailedStoreIsSignalledWithoutADialogInsideTheNetworkCallback)
{
    // One arrival is appended, the other needs a rewrite; the log file has become a folder.
    for (const SyncEntry& arriving :
         {entry("B", 1, loggedAt("K9", "19:00:00")), entry("B", 1, loggedAt("K0", "17:00:00"))}) {
        SCOPED_TRACE(arriving.record->call.toStdString());
        QDir(dir.file("fdlog.dat")).removeRecursively();
        fresh({loggedAt("K1", "18:00:00")});
        QSignalSpy failures(shared.get(), &SharedLog::failed);
        ASSERT_TRUE(QFile::remove(dir.file("fdlog.dat")) && QDir().mkdir(dir.file("fdlog.dat")));
        shared->receive(arriving);
        EXPECT_TRUE(shared->store().empty());
        EXPECT_TRUE(dialogs.calls.empty()) << dialogs.messages().join('\n').toStdString();
        ASSERT_EQ(failures.count(), 1);
        EXPECT_TRUE(failures[0][0].toString().startsWith("The log file could not be written;"));
        EXPECT_TRUE(failures[0][0].toString().contains(dir.file("fdlog.dat")));
    }
}

TEST_F(SharedLogFixture, TheJournalGrowsByBlocksDropsACutOffBlockAndIsCompactedAtStart)
{
    openWith({loggedAt("K1", "18:00:00")});
    const QString sync = dir.file("fdlog.sync");
    const QByteArray compacted = readBytes(sync);
    ASSERT_EQ(book.storeContact(loggedAt("K2", "18:01:00")), Logbook::StoreResult::Stored);
    shared->receive(entry("B", 1, loggedAt("K0", "17:00:00")));
    shared->store();
    const QByteArray journal = readBytes(sync);
    EXPECT_TRUE(journal.startsWith(compacted));
    EXPECT_EQ(journal.count("#end "), 3);
    // A stop in the middle of the next block: its lines count for nothing, even a torn one.
    writeBytes(sync, journal + "B,2,1," + formatLogLine(loggedAt("K5", "18:05:00")) + "B,3,1,\"K6\",\"2");
    reopen();
    EXPECT_FALSE(shared->table().find({"B", 2}));
    EXPECT_EQ(log.size(), 3);
    const QByteArray after = readBytes(sync);
    EXPECT_EQ(after.count("#end "), 1);
    EXPECT_EQ(after.count("\r\n"), 4);
    EXPECT_EQ(shared->table().liveCount(), 3);
}
