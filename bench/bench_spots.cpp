// A cluster flood of 1000 spots a second over loopback telnet, through the spotting session
// into the store, the spot list and the band map strip of a shown (offscreen) window: how late
// the GUI thread's event loop runs a queued call meanwhile, and whether memory stays flat.
#include "spots/SpotBoard.h"
#include "spots/SpotSession.h"
#include "ui/BandMapView.h"
#include "ui/PacketSpotWindow.h"
#include "ui/SpotListWidget.h"
#include "util/Clock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kTickMs = 10;
constexpr int kRunMs = 5000;
constexpr int kProbeMs = 5;

// CPU time of the calling thread: unlike the timer's lateness, not stretched when other programs
// load the machine, so it shows what a turn of our own loop costs.
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double percentile(std::vector<double>& v, int p)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, v.size() * static_cast<size_t>(p) / 100)];
}

qint64 residentKb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

// The cluster, on its own thread so its writing does not load the loop being measured.
class Flood : public QObject {
public:
    explicit Flood(int spotsPerSecond) : m_rate(spotsPerSecond) {}
    std::atomic<quint16> port{0};
    std::atomic<int> sent{0};

    void run()
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost);
        port = server.serverPort();
        QTcpSocket* client = nullptr;
        QTimer tick;
        QElapsedTimer since;
        int n = 0;
        QObject::connect(&server, &QTcpServer::newConnection, [&] {
            client = server.nextPendingConnection();
            since.start();
            tick.start(kTickMs);
        });
        QObject::connect(&tick, &QTimer::timeout, [&] {
            QByteArray burst;
            // As many as are due by the clock, whatever the timer's jitter.
            const qint64 due = since.elapsed() * m_rate / 1000;
            for (; n < due; ++n) {
                const QByteArray call = "K" + QByteArray::number(n % 10) + "A" + QByteArray::number(n % 997);
                const QByteArray khz = QByteArray::number(14000.0 + (n % 3500) / 10.0, 'f', 1);
                const QByteArray line = "DX de W1AW:     " + khz.rightJustified(8, ' ') + "  " +
                                        call.leftJustified(13, ' ') + "CW 20 dB 25 WPM CQ             " +
                                        QByteArray::number(1000 + n % 60) + "Z\r\n";
                burst += line;
            }
            if (client && client->state() == QAbstractSocket::ConnectedState)
                client->write(burst);
            sent = n;
        });
        QEventLoop loop;
        QTimer::singleShot(kRunMs + 2000, &loop, &QEventLoop::quit);
        loop.exec();
    }

private:
    int m_rate;
};

void BM_SpotFloodToList(benchmark::State& st)
{
    SystemClock clock;
    SpotBoard board(clock);
    SpotSession session(board);
    QWidget window;
    // The spotting window too, as after its first use: it shows the received text.
    PacketSpotWindow spotting(session, QString());
    spotting.show();
    auto* list = new SpotListWidget(board, &window);
    auto* strip = new BandMapView(
        board.store(), clock, [] { return 0.0f; }, &window);
    strip->setBands({{QString(), BandMap::Range{Frequency::fromMHz(14), Frequency::fromMHz(14.35)}}});
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(list);
    layout->addWidget(strip);
    window.resize(1000, 700);
    window.show();
    QObject::connect(&board, &SpotBoard::spotAdded, [&] {
        list->addNewestRow();
        strip->redraw();
    });

    for (auto _ : st) {
        Flood flood(static_cast<int>(st.range(0)));
        QThread* thread = QThread::create([&flood] { flood.run(); });
        thread->start();
        while (flood.port == 0)
            QThread::msleep(1);
        session.chooseSource(QStringLiteral("Telnet"));
        session.settings().telnetHost = QStringLiteral("127.0.0.1");
        session.settings().telnetPort = QString::number(flood.port);
        int spots = 0;
        QObject::connect(&board, &SpotBoard::spotAdded, &window, [&] { ++spots; });
        session.openPort();

        // A 5 ms timer: how much later than due each tick runs is the loop's latency.
        std::vector<double> lateMs;
        std::vector<double> cpuMs; // the GUI thread's CPU time from one probe to the next
        double cpuAtProbe = 0;
        QElapsedTimer since;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        QObject::connect(&probe, &QTimer::timeout, &window, [&] {
            const double cpu = threadCpuMs();
            if (since.isValid()) {
                lateMs.push_back(qMax(0.0, static_cast<double>(since.nsecsElapsed()) / 1e6 - kProbeMs));
                cpuMs.push_back(cpu - cpuAtProbe);
            }
            since.start();
            cpuAtProbe = cpu;
        });
        qint64 rssAfterOneSecond = 0;
        QTimer::singleShot(1000, &window, [&] { rssAfterOneSecond = residentKb(); });
        probe.start(kProbeMs);
        QEventLoop loop;
        QTimer::singleShot(kRunMs, &loop, &QEventLoop::quit);
        loop.exec();
        probe.stop();
        const qint64 rssEnd = residentKb();
        session.closePort();
        thread->wait();
        delete thread;

        st.counters["spots_per_s"] = spots * 1000.0 / kRunMs;
        st.counters["sent_per_s"] = flood.sent * 1000.0 / (kRunMs + 2000);
        st.counters["probes"] = static_cast<double>(lateMs.size());
        st.counters["rows"] = static_cast<double>(board.rows().size());
        st.counters["latency_p50_ms"] = percentile(lateMs, 50);
        st.counters["latency_p99_ms"] = percentile(lateMs, 99);
        st.counters["latency_max_ms"] = percentile(lateMs, 100);
        st.counters["gui_cpu_per_probe_p99_ms"] = percentile(cpuMs, 99);
        st.counters["gui_cpu_per_probe_max_ms"] = percentile(cpuMs, 100);
        st.counters["rss_growth_kb"] = static_cast<double>(rssEnd - rssAfterOneSecond);
        st.counters["received_text_chars"] = static_cast<double>(session.received().text().size());
    }
}
// Arg 0: the same window with a quiet cluster, the machine's own timer latency to compare with.
BENCHMARK(BM_SpotFloodToList)
    ->Arg(0)
    ->Arg(1000)
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
