// Stations sharing one log through a real mosquitto started here: in-process sessions and
// fdlog-cli sync as a separate process.
#include "BrokerLink.h"
#include "SyncStation.h"
#include "support/CliProcess.h"

TEST_F(SyncBrokerFixture, ThreeStationsLoggingTogetherEndWithOneLogAndEditsAndDeletesFollow)
{
    TestStation a("A", broker, {rec("K0OLD", 0)}), b("B", broker), c("C", broker);
    WAIT_TRUE(a.caughtUp && b.caughtUp && c.caughtUp, kWaitMs);
    for (int i = 1; i <= 15; ++i) {
        // Every station's fifth contact is W1AW at the same second (A and B both on 20, a dupe
        // pair; C on 40): all three stay, since each station keeps what the others logged.
        const int second = i == 5 ? 100 : i * 7;
        a.enter(rec(i == 5 ? "W1AW" : QStringLiteral("K%1A").arg(i), second));
        b.enter(rec(i == 5 ? "W1AW" : QStringLiteral("K%1B").arg(i), second));
        c.enter(rec(i == 5 ? "W1AW" : QStringLiteral("K%1C").arg(i), second, "40"));
        QCoreApplication::processEvents();
    }
    expectSameLogs({&a, &b, &c}, 46);

    // B edits one of A's contacts, C deletes one of B's.
    ContactRecord edited = rec("K3A", 21);
    edited.section = "NH";
    ASSERT_TRUE(b.book.replaceRecord(b.recordNo(rec("K3A", 21)), edited));
    c.dialogs.yesNoAnswers = {true};
    ASSERT_TRUE(c.book.deleteRecord(c.recordNo(rec("K2B", 14))));
    c.dialogs.clear();
    expectSameLogs({&a, &b, &c}, 45);
    EXPECT_TRUE(a.file().contains(formatLogLine(edited)));
    EXPECT_FALSE(a.file().contains(formatLogLine(rec("K2B", 14))));
}

TEST_F(SyncBrokerFixture, StationsCatchUpAfterTheBrokerRestartsAndALateStationGetsEverything)
{
    TestStation a("A", broker, {rec("K1A", 1)}), b("B", broker, {rec("K1B", 2)});
    expectSameLogs({&a, &b}, 2);
    broker.kill();
    // Logged while the broker is gone (and lost every retained contact with it).
    a.enter(rec("K2A", 3));
    b.enter(rec("K2B", 3));
    WAIT_TRUE(!a.session->isConnected() && !b.session->isConnected(), kWaitMs);
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    WAIT_TRUE(a.caughtUp == 2 && b.caughtUp == 2, kWaitMs);
    TestStation late("LATE", broker);
    expectSameLogs({&a, &b, &late}, 4);
    EXPECT_EQ(late.shared->table().nextSeq("LATE"), 1);
}

TEST_F(SyncBrokerFixture, MoreContactsThanTheBrokersQueueReachALateStationAndAConnectedOne)
{
    // Past mosquitto's default queue of 1000 messages a client: the burst a returning station
    // publishes to one already connected, then a late station's catch-up on subscribing.
    std::vector<ContactRecord> many;
    for (int i = 0; i < 2500; ++i)
        many.push_back(rec(QStringLiteral("K%1X").arg(i), i % 3600));
    TestStation b("B", broker);
    WAIT_TRUE(b.caughtUp, kWaitMs);
    TestStation a("A", broker, many);
    static_cast<void>(QTest::qWaitFor([&] { return b.log.size() == 2500; }, kWaitMs)); // asserted below
    TestStation late("LATE", broker);
    expectSameLogs({&a, &b, &late}, 2500);
    EXPECT_EQ(late.sizeWhenCaughtUp, 2500) << "up to date while contacts were missing";
}

namespace {
// Runs mosquitto_sub or mosquitto_pub as the club's user until it exits, the stations working
// meanwhile; what it printed.
QByteArray mosquittoClient(const QString& program, const MosquittoBroker& broker, const QStringList& args)
{
    QProcess p;
    p.start(program, QStringList{"-p", QString::number(broker.port()), "-u", MosquittoBroker::User, "-P",
                                 MosquittoBroker::Password} +
                         args);
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, kWaitMs));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

// fdlog-cli sync's arguments for a scoreboard station of the test event.
QStringList cliSync(const QString& address, const QString& password, const char* seconds)
{
    return {"sync",    "--broker", address,      "--station", "scoreboard", "--user", MosquittoBroker::User,
            "--event", "test",     "--password", password,    "--seconds",  seconds};
}
} // namespace

TEST_F(SyncBrokerFixture, ContactsTheBrokerLostAreNamedToTheOperatorUntilTheirStationReturns)
{
    // Two of A's contacts vanish from the broker: any two while A is away, or the end of its log
    // with its highest number while A stays connected (B first believes 3 contacts are all, until
    // A says its number again).
    const struct {
        bool away;
        QStringList erased;
        const char* numbers;
    } rows[] = {{true, {"2", "4"}, "2, 4"}, {false, {"4", "5", "last"}, "4-5"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.numbers);
        broker.kill(); // a broker holding nothing from the row before
        ASSERT_TRUE(broker.start()) << broker.error().toStdString();
        TestStation a("A", broker, {rec("K1A", 1), rec("K2A", 2), rec("K3A", 3), rec("K4A", 4), rec("K5A", 5)},
                      {.lastAgainMs = 1000});
        // A says its highest number once all its contacts are out.
        EXPECT_EQ(mosquittoClient("mosquitto_sub", broker, {"-C", "1", "-t", "fieldday/test/A/last"}), "5\n");
        if (row.away)
            a.session->stop();
        for (const QString& topic : row.erased) // as a broker short of room drops them
            mosquittoClient("mosquitto_pub", broker, {"-q", "1", "-r", "-n", "-t", "fieldday/test/A/" + topic});
        TestStation b("B", broker);
        WAIT_EQ(b.incomplete.size(), 1, kWaitMs);
        EXPECT_EQ(b.incomplete[0], QString("The log is not complete: contacts are missing from the broker, 2 of A "
                                           "(numbers %1). They come when their station connects again.")
                                       .arg(row.numbers));
        const int caughtUp = b.caughtUp;
        EXPECT_TRUE(!row.away || caughtUp == 0) << "up to date while contacts were missing";
        a.session->stop();
        QString error;
        ASSERT_TRUE(a.session->start(&error)) << error.toStdString();
        WAIT_EQ(b.caughtUp, caughtUp + 1, kWaitMs);
        expectSameLogs({&a, &b}, 5);
    }
}

TEST_F(SyncBrokerFixture, AStationCutOffCatchesUpBothWaysAndSaysOfflineEitherWay)
{
    BrokerLink link(broker.port());
    TestStation a("A", broker, {rec("K1A", 1)}), b("B", broker, {}, {.port = link.port()});
    const auto bOnline = [&] { return a.session->peers().count("B") && a.session->peers().at("B").online; };
    expectSameLogs({&a, &b}, 1);
    WAIT_TRUE(bOnline(), kWaitMs);
    link.cut();
    WAIT_TRUE(!b.session->isConnected() && !bOnline(), kWaitMs);
    // Both sides log while apart; B also edits A's contact.
    a.enter(rec("K2A", 5));
    b.enter(rec("K2B", 3));
    b.enter(rec("K3B", 7));
    ContactRecord edited = rec("K1A", 1);
    edited.cls = "7F";
    ASSERT_TRUE(b.book.replaceRecord(1, edited));
    QCoreApplication::processEvents();
    ASSERT_TRUE(link.mend());
    WAIT_EQ(b.caughtUp, 2, kWaitMs);
    expectSameLogs({&a, &b}, 4);
    for (const char* call : {"\"K1A\",\"7F\"", "\"K2A\"", "\"K2B\"", "\"K3B\""})
        EXPECT_EQ(a.file().count(call), 1) << call;
    WAIT_TRUE(bOnline(), kWaitMs);
    // A normal stop closes the connection without the broker's will: the station says so itself.
    b.session->stop();
    WAIT_TRUE(!bOnline(), kWaitMs);
}

TEST_F(SyncBrokerFixture, CliStationPrintsWhatItStoresAndSharesItsOwn)
{
    TestStation a("A", broker, {rec("K1A", 1, "40", "PH"), rec("K2A", 5)});
    WAIT_TRUE(a.caughtUp, kWaitMs);
    TempDataDir cliDir;
    writeBytes(cliDir.file("fdlog.dat"), formatLogLine(rec("W9CLI", 3)));
    const CliRun ok =
        runCliProgram(FDLOG_CLI, cliSync(broker.address(), MosquittoBroker::Password, "2"), cliDir.path());
    EXPECT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    EXPECT_EQ(ok.out, "A 1 K1A 40 PH\nA 2 K2A 20 CW\n");
    WAIT_EQ(a.log.size(), 3, kWaitMs);
    EXPECT_EQ(readBytes(cliDir.file("fdlog.dat")), a.file());

    struct Row {
        QStringList args;
        QByteArray err;
    } rows[] = {
        {cliSync(broker.address(), "nope", "30"),
         QStringLiteral("The broker %1 refused station SCOREBOARD").arg(broker.address()).toLatin1()},
        {cliSync(QStringLiteral("127.0.0.1:%1").arg(freeLoopbackPort()), "p", "30"), "No connection to the broker"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.err.toStdString());
        const QByteArray before = readBytes(cliDir.file("fdlog.dat"));
        const CliRun bad = runCliProgram(FDLOG_CLI, row.args, cliDir.path(), 20000);
        EXPECT_EQ(bad.exitCode, 1);
        EXPECT_EQ(bad.err.count('\n'), 1);
        EXPECT_TRUE(bad.err.contains(row.err)) << bad.err.toStdString();
        EXPECT_EQ(readBytes(cliDir.file("fdlog.dat")), before);
    }
}

TEST(SyncTls, StationsShareOverTlsWithTheBrokersCertificateAndNotWithout)
{
    MosquittoBroker broker(true);
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    const QString ca = broker.caFile();
    TestStation a("A", broker, {rec("K1A", 1)}, {.caFile = ca}), b("B", broker, {}, {.caFile = ca}), plain("P", broker);
    WAIT_EQ(b.file(), a.file(), kWaitMs);
    EXPECT_EQ(b.log.size(), 1);
    WAIT_TRUE(plain.lost > 0, kWaitMs);
    EXPECT_EQ(plain.caughtUp, 0);
}

TEST_F(SyncBrokerFixture, CliStationRidesOutALostBrokerWithALineOnStderr)
{
    TestStation a("A", broker);
    TempDataDir cliDir;
    writeBytes(cliDir.file("fdlog.dat"), formatLogLine(rec("W9CLI", 3)));
    QProcess cli;
    cli.start(FDLOG_CLI,
              QStringList{"--data", cliDir.path()} + cliSync(broker.address(), MosquittoBroker::Password, "6"));
    WAIT_EQ(a.log.size(), 1, kWaitMs);
    broker.kill();
    ASSERT_TRUE(broker.start()) << broker.error().toStdString();
    a.enter(rec("K1A", 1));
    WAIT_EQ(readBytes(cliDir.file("fdlog.dat")), a.file(), kWaitMs);
    ASSERT_TRUE(cli.waitForFinished(kWaitMs));
    EXPECT_EQ(cli.exitCode(), 0);
    EXPECT_EQ(cli.readAllStandardOutput(), "A 1 K1A 20 CW\n");
    EXPECT_TRUE(cli.readAllStandardError().contains("Trying again."));
}
