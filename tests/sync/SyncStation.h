#pragma once

// One in-process station sharing through the test's broker, and the fixture that starts it.
#include "MosquittoBroker.h"
#include "log/LogFile.h"
#include "log/Logbook.h"
#include "log/SectionTable.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"
#include "sync/SharedLog.h"
#include "sync/SyncSession.h"
#include "util/Clock.h"

#include <QTime>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

inline constexpr int kWaitMs = 20000;

inline ContactRecord rec(const QString& call, int second, const QString& band = "20", const QString& mode = "CW")
{
    return {call, "2A", "CT", "2026/06/27", QTime(18, 0).addSecs(second).toString("HH:mm:ss"), band, mode, "", ""};
}

inline const Clock& systemClock()
{
    static const SystemClock clock;
    return clock;
}

struct StationOptions {
    QString password = MosquittoBroker::Password;
    bool master = false;
    const Clock* clock = &systemClock();
    QString caFile = {};
    int lastAgainMs = 30000;
    quint16 port = 0; // a relay's instead of the broker's
};

// A station's data folder and its logbook, loaded from `before`.
struct StationLog {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ContactLog log{SectionTable::standard()};
    Logbook book{log, dir.file("fdlog.dat"), dir.file("LogBkUp.dat"), dialogs};

    explicit StationLog(const std::vector<ContactRecord>& before = {})
    {
        EXPECT_TRUE(LogFile(dir.file("fdlog.dat")).rewrite(before));
        EXPECT_TRUE(book.reload());
    }
    QByteArray file() const { return readBytes(dir.file("fdlog.dat")); }
};

// One station sharing its log through a session of its own.
struct TestStation : StationLog {
    std::unique_ptr<SharedLog> shared;
    std::unique_ptr<SyncSession> session;
    int caughtUp = 0;
    int sizeWhenCaughtUp = -1; // the log's size when it last said so
    QStringList refusals;
    QStringList incomplete;
    int lost = 0;

    TestStation(const QString& name, const MosquittoBroker& broker, const std::vector<ContactRecord>& before = {},
                const StationOptions& o = {})
        : StationLog(before)
    {
        shared = std::make_unique<SharedLog>(book, dir.file("fdlog.sync"), name);
        session = std::make_unique<SyncSession>(*shared,
                                                SyncSession::Settings{"127.0.0.1", o.port ? o.port : broker.port(),
                                                                      name, MosquittoBroker::User, o.password, "test",
                                                                      o.caFile, o.master, o.lastAgainMs},
                                                *o.clock);
        QObject::connect(session.get(), &SyncSession::caughtUp, [this] {
            ++caughtUp;
            sizeWhenCaughtUp = log.size();
        });
        QObject::connect(session.get(), &SyncSession::refused, [this](const QString& t) { refusals << t; });
        QObject::connect(session.get(), &SyncSession::incomplete, [this](const QString& t) { incomplete << t; });
        QObject::connect(session.get(), &SyncSession::connectionLost, [this] { ++lost; });
        QString error;
        EXPECT_TRUE(session->start(&error)) << error.toStdString();
    }
    int recordNo(const ContactRecord& r) const // 1-based, as the logbook counts
    {
        return 1 + int(std::find(log.records().begin(), log.records().end(), r) - log.records().begin());
    }
    void enter(const ContactRecord& r)
    {
        EXPECT_EQ(book.storeContact(r), Logbook::StoreResult::Stored) << r.call.toStdString();
    }
};

struct SyncBrokerFixture : ::testing::Test {
    MosquittoBroker broker;
    void SetUp() override { ASSERT_TRUE(broker.start()) << broker.error().toStdString(); }

    static void expectSameLogs(const std::vector<TestStation*>& stations, int size)
    {
        for (TestStation* s : stations)
            WAIT_EQ(s->log.size(), size, kWaitMs);
        for (TestStation* s : stations) {
            WAIT_EQ(s->file(), stations.front()->file(), kWaitMs);
            EXPECT_TRUE(s->dialogs.calls.empty()) << s->dialogs.messages().join('\n').toStdString();
        }
    }
};
