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
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
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

    BenchStation(const QString& name, quint16 port, const Clock& clock)
    {
        LogFile(dir.filePath("fdlog.dat")).rewrite({});
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

void BM_EnterToOtherStationsDupeIndex(benchmark::State& st)
{
    quint16 port = 0;
    {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost, 0);
        port = s.serverPort();
    }
    QTemporaryDir confDir;
    QFile conf(confDir.filePath("mosquitto.conf"));
    conf.open(QIODevice::WriteOnly);
    conf.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence false\nuser %2\n")
                   .arg(port)
                   .arg(QString::fromLocal8Bit(getpwuid(geteuid())->pw_name))
                   .toLocal8Bit());
    conf.close();
    QProcess broker;
    broker.start("mosquitto", {"-c", conf.fileName()});
    if (!broker.waitForStarted() || !waitFor(
                                        [&] {
                                            QTcpSocket probe;
                                            probe.connectToHost(QHostAddress::LocalHost, port);
                                            return probe.waitForConnected(100);
                                        },
                                        5000)) {
        st.SkipWithError("mosquitto did not start");
        return;
    }
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
    broker.kill();
    broker.waitForFinished();
}

} // namespace

BENCHMARK(BM_EnterToOtherStationsDupeIndex)->Iterations(1)->Unit(benchmark::kMillisecond);
