// From Enter on one station to the call in another station's dupe index, through a real
// mosquitto on loopback: median and worst over 1000 contacts.
#include "log/CallIndex.h"
#include "log/LogFile.h"
#include "log/Logbook.h"
#include "log/SectionTable.h"
#include "sync/SharedLog.h"
#include "sync/SyncSession.h"
#include "util/Clock.h"
#include "util/Dialogs.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <optional>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace {

class SilentDialogs final : public Dialogs {
public:
    void message(const QString&, const QString&, Icon) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    void beep() override {}
};

struct BenchStation {
    QTemporaryDir dir;
    SilentDialogs dialogs;
    ContactLog log{SectionTable::standard()};
    Logbook book{log, dir.filePath("fdlog.dat"), dir.filePath("LogBkUp.dat"), dialogs};
    std::unique_ptr<SharedLog> shared;
    std::unique_ptr<SyncSession> session;
    bool caughtUp = false;

    BenchStation(const QString& name, quint16 port, const Clock& clock, const std::vector<ContactRecord>& before = {})
    {
        LogFile(dir.filePath("fdlog.dat")).rewrite(before);
        book.reload();
        shared = std::make_unique<SharedLog>(book, dir.filePath("fdlog.sync"), name);
        session = std::make_unique<SyncSession>(
            *shared, SyncSession::Settings{"127.0.0.1", port, name, {}, {}, "bench", {}, false}, clock);
        QObject::connect(session.get(), &SyncSession::caughtUp, [this] { caughtUp = true; });
        QString error;
        session->start(&error);
    }
};

template <typename F> bool waitFor(F done, int ms)
{
    QElapsedTimer t;
    t.start();
    QEventLoop loop;
    while (!done() && t.elapsed() < ms)
        loop.processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done();
}

// A mosquitto on a free loopback port, anonymous, without persistence, queueing as the README's
// site broker does.
struct BenchBroker {
    QTemporaryDir confDir;
    QProcess process;
    quint16 port = 0;

    bool start()
    {
        {
            QTcpServer s;
            s.listen(QHostAddress::LocalHost, 0);
            port = s.serverPort();
        }
        QFile conf(confDir.filePath("mosquitto.conf"));
        conf.open(QIODevice::WriteOnly);
        conf.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence false\nuser %2\n"
                                  "max_queued_messages 0\nset_tcp_nodelay true\n")
                       .arg(port)
                       .arg(QString::fromLocal8Bit(getpwuid(geteuid())->pw_name))
                       .toLocal8Bit());
        conf.close();
        process.start("mosquitto", {"-c", conf.fileName()});
        return process.waitForStarted() && waitFor(
                                               [&] {
                                                   QTcpSocket probe;
                                                   probe.connectToHost(QHostAddress::LocalHost, port);
                                                   return probe.waitForConnected(100);
                                               },
                                               5000);
    }
    ~BenchBroker()
    {
        process.kill();
        process.waitForFinished();
    }
};

ContactRecord benchContact(int n)
{
    const QTime t = QTime(0, 0).addSecs(n % 86400);
    return {QStringLiteral("K%1AB").arg(n),
            "2A",
            "CT",
            QStringLiteral("2026/06/%1").arg(27 + n / 86400),
            t.toString("hh:mm:ss"),
            "20",
            "CW",
            "",
            ""};
}

std::vector<ContactRecord> benchLog(int size)
{
    std::vector<ContactRecord> out;
    for (int n = 0; n < size; ++n)
        out.push_back(benchContact(n));
    return out;
}

void BM_EnterToOtherStationsDupeIndex(benchmark::State& st)
{
    BenchBroker broker;
    if (!broker.start()) {
        st.SkipWithError("mosquitto did not start");
        return;
    }
    const quint16 port = broker.port;
    SystemClock clock;
    BenchStation a("A", port, clock), b("B", port, clock);
    CallIndex dupes(b.log);
    if (!waitFor([&] { return a.caughtUp && b.caughtUp; }, 10000)) {
        st.SkipWithError("the stations did not connect");
        return;
    }
    std::vector<double> ms;
    int n = 0;
    for (auto _ : st) {
        for (int i = 0; i < 1000; ++i, ++n) {
            const QString call = QStringLiteral("K%1AB").arg(n);
            const QTime t = QTime(0, 0).addSecs(n);
            const ContactRecord r{call, "2A", "CT", "2026/06/27", t.toString("hh:mm:ss"), "20", "CW", "", ""};
            QElapsedTimer enter;
            enter.start();
            a.book.storeContact(r);
            if (!waitFor([&] { return !dupes.recordsWithCall(call).empty(); }, 5000)) {
                st.SkipWithError("a contact did not arrive");
                return;
            }
            ms.push_back(static_cast<double>(enter.nsecsElapsed()) / 1e6);
        }
    }
    std::sort(ms.begin(), ms.end());
    st.counters["median_ms"] = ms[ms.size() / 2];
    st.counters["worst_ms"] = ms.back();
}

// One Enter on a station whose log already holds 13900 contacts (the most a log holds is 14000): the log line
// appended and, when the station shares its log (argument 1), fdlog.sync brought up to date.
void BM_EnterWith13900Contacts(benchmark::State& st)
{
    QTemporaryDir dir;
    SilentDialogs dialogs;
    ContactLog log{SectionTable::standard()};
    Logbook book{log, dir.filePath("fdlog.dat"), dir.filePath("LogBkUp.dat"), dialogs};
    LogFile(dir.filePath("fdlog.dat")).rewrite(benchLog(13900));
    book.reload();
    std::optional<SharedLog> shared;
    if (st.range(0) != 0) {
        shared.emplace(book, dir.filePath("fdlog.sync"), "A");
        QString error;
        if (!shared->open(&error)) {
            st.SkipWithError("the shared log did not open");
            return;
        }
    }
    int n = 13900;
    for (auto _ : st)
        book.storeContact(benchContact(n++));
    st.counters["sync_file_kB"] = static_cast<double>(QFileInfo(dir.filePath("fdlog.sync")).size()) / 1024;
}

// A station joining late with an empty log, from its start to the last of 14000 contacts
// another station shared stored in its log.
void BM_LateStationCatchesUp14000Contacts(benchmark::State& st)
{
    BenchBroker broker;
    if (!broker.start()) {
        st.SkipWithError("mosquitto did not start");
        return;
    }
    SystemClock clock;
    BenchStation a("A", broker.port, clock, benchLog(14000));
    // A first station that joins late makes sure the broker holds all of A's contacts.
    BenchStation first("FIRST", broker.port, clock);
    if (!waitFor([&] { return a.caughtUp && first.caughtUp && first.log.size() == 14000; }, 60000)) {
        st.SkipWithError("the first stations did not connect");
        return;
    }
    for (auto _ : st) {
        QElapsedTimer t;
        t.start();
        BenchStation late("LATE", broker.port, clock);
        if (!waitFor([&] { return late.caughtUp && late.log.size() == 14000; }, 60000)) {
            st.SkipWithError("the late station did not catch up");
            return;
        }
        st.counters["catch_up_ms"] = static_cast<double>(t.elapsed());
    }
}

} // namespace

BENCHMARK(BM_EnterToOtherStationsDupeIndex)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnterWith13900Contacts)->ArgName("shared")->Arg(0)->Arg(1)->Iterations(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LateStationCatchesUp14000Contacts)->Iterations(1)->Unit(benchmark::kMillisecond);
