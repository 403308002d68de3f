// From a rig reply's last byte to the operating state's band change, with the poller at its
// fastest rate (50 ms ticks) on a real serial port (a pseudo-terminal), and the read tick's
// own work on its own.
#include "log/OperatingState.h"
#include "rig/RigPoller.h"
#include "settings/Preferences.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

const QByteArray kReplies[2] = {"FA00014025000;MD3;", "FA00007040000;MD3;"};

void BM_ReplyToBandChange(benchmark::State& st)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        st.SkipWithError("no pty");
        return;
    }
    termios t{};
    tcgetattr(slave, &t);
    cfmakeraw(&t);
    tcsetattr(slave, TCSANOW, &t);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    QTemporaryDir dir;
    Preferences prefs;
    OperatingState state(prefs);
    RigPoller poller(state, dir.path());
    RigSettings& s = poller.settings();
    s.selectRig("Kenwood");
    s.ports = SerialPortTable({QString::fromLocal8Bit(name)});
    s.pollRate = QLatin1Char('F');

    // The rig side answers each request as soon as it has both commands.
    int next = 0;
    QElapsedTimer sent;
    QByteArray pending;
    QSocketNotifier notifier(master, QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [&] {
        char buf[256];
        const ssize_t n = ::read(master, buf, sizeof buf);
        if (n > 0)
            pending.append(buf, n);
        if (pending.contains("MD;")) {
            pending.clear();
            const QByteArray& r = kReplies[next];
            if (::write(master, r.constData(), static_cast<size_t>(r.size())) == r.size())
                sent.start();
        }
    });
    if (!poller.start()) {
        st.SkipWithError("cannot open the pty");
        return;
    }
    QEventLoop loop;
    QObject::connect(&state, &OperatingState::bandChanged, &loop, &QEventLoop::quit);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    for (auto _ : st) {
        next = state.band() == QLatin1String("20") ? 1 : 0;
        sent.invalidate();
        guard.start(2000);
        loop.exec();
        if (!sent.isValid()) {
            st.SkipWithError("no band change");
            break;
        }
        st.SetIterationTime(static_cast<double>(sent.nsecsElapsed()) / 1e9);
    }
    poller.stop();
    ::close(slave);
    ::close(master);
}
BENCHMARK(BM_ReplyToBandChange)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

void BM_ReadTickWork(benchmark::State& st)
{
    QTemporaryDir dir;
    Preferences prefs;
    OperatingState state(prefs);
    RigPoller poller(state, dir.path());
    poller.settings().selectRig("Kenwood");
    int i = 0;
    for (auto _ : st)
        poller.consumeReply(kReplies[i++ & 1]);
    benchmark::DoNotOptimize(state.band());
}
BENCHMARK(BM_ReadTickWork)->Unit(benchmark::kMicrosecond);

} // namespace
