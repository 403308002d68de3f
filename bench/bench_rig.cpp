// From a rig reply's last byte to the operating state's band change, with the poller at its
// fastest rate (50 ms ticks) on a real serial port (a pseudo-terminal), and the read tick's
// own work on its own.
#include "log/OperatingState.h"
#include "rig/RigPoller.h"
#include "settings/Preferences.h"
#include "sim/PtyPeer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

const QByteArray kReplies[2] = {"FA00014025000;MD3;", "FA00007040000;MD3;"};

void BM_ReplyToBandChange(benchmark::State& st)
{
    PtyPeer rig;
    if (!rig.isValid()) {
        st.SkipWithError("no pty");
        return;
    }
    QTemporaryDir dir;
    Preferences prefs;
    OperatingState state(prefs);
    RigPoller poller(state, dir.path());
    RigSettings& s = poller.settings();
    s.selectRig("Kenwood");
    s.ports = SerialPortTable({rig.slavePath()});
    s.pollRate = QLatin1Char('F');

    // The rig side answers each request as soon as it has both commands.
    int next = 0;
    QElapsedTimer sent;
    QByteArray pending;
    QObject::connect(&rig, &PtyPeer::received, [&](const QByteArray& bytes) {
        pending.append(bytes);
        if (pending.contains("MD;")) {
            pending.clear();
            rig.write(kReplies[next]);
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
