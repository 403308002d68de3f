// Element timing of the keying thread against the ideal schedule, while the GUI thread is
// busy the whole time. Reported as counters: p50, p99 and max error in µs of each element
// edge against the schedule, and of each element's length (len_), over `samples` edges. The run lasts
// FDLOG_BENCH_KEYING_SECONDS per speed (default 15): a real p99 wants a few thousand edges, which at 20 WPM is a couple
// of minutes.
#include "keying/CwSendBuffer.h"
#include "keying/KeyingClock.h"
#include "keying/KeyingEngine.h"
#include "keying/RecordingKeyLine.h"

#include <QCoreApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>

namespace {

double secondsPerSpeed()
{
    const char* env = std::getenv("FDLOG_BENCH_KEYING_SECONDS");
    const double s = env ? std::atof(env) : 0;
    return s > 0 ? s : 15;
}

// What a busy window thread does: builds texts, reads the send buffer (its lock is the one
// the keying thread takes at every character), and runs its events now and then.
void busyGuiThread(const CwSendBuffer& buffer, MonotonicKeyingClock& clock)
{
    while (buffer.sending()) {
        const qint64 until = clock.nowNs() + 2'000'000;
        QString label;
        while (clock.nowNs() < until) {
            label = buffer.text().left(20) + QString::number(label.size());
            benchmark::DoNotOptimize(label);
        }
        QCoreApplication::processEvents();
    }
}

void BM_ElementTimingError(benchmark::State& state)
{
    const int wpm = static_cast<int>(state.range(0));
    const double elementNs = 1.2e9 / wpm;
    std::vector<double> errorsUs;
    std::vector<double> lengthErrorsUs;
    bool realTime = false;
    for (auto _ : state) {
        MonotonicKeyingClock clock;
        CwSendBuffer buffer;
        KeyingEngine engine(buffer, clock);
        auto line = std::make_shared<RecordingKeyLine>(clock);
        engine.setKeyLine(line);
        engine.setSpeed(wpm);
        // "PARIS " is 50 elements.
        const int words = std::max(1, int(std::ceil(secondsPerSpeed() * 1e9 / (50 * elementNs))));
        buffer.replace(QStringLiteral("PARIS ").repeated(words));
        engine.LoopThroughCWBuffer();
        busyGuiThread(buffer, clock);
        realTime = engine.realTime();
        // Every element is one call; element k is due k element times after the schedule's
        // origin, taken as the median offset so one late first edge does not shift them all.
        const auto events = line->events();
        std::vector<double> offsets;
        for (size_t k = 0; k < events.size(); ++k)
            offsets.push_back(double(events[k].atNs - events[0].atNs) - double(k) * elementNs);
        std::vector<double> sorted = offsets;
        std::nth_element(sorted.begin(), sorted.begin() + long(sorted.size() / 2), sorted.end());
        const double origin = sorted[sorted.size() / 2];
        for (const double o : offsets)
            errorsUs.push_back(std::abs(o - origin) / 1000.0);
        // Each element's own length: one late edge counts for the two elements around it, not
        // for every one after it (the engine starts a new schedule after a stall).
        for (size_t k = 1; k < events.size(); ++k)
            lengthErrorsUs.push_back(std::abs(offsets[k] - offsets[k - 1]) / 1000.0);
    }
    const auto report = [&state](std::vector<double>& us, const std::string& prefix) {
        std::sort(us.begin(), us.end());
        state.counters[prefix + "p50_us"] = us[us.size() / 2];
        state.counters[prefix + "p99_us"] = us[us.size() * 99 / 100];
        state.counters[prefix + "max_us"] = us.back();
    };
    report(errorsUs, "");
    report(lengthErrorsUs, "len_");
    state.counters["samples"] = double(errorsUs.size());
    state.counters["realtime"] = realTime ? 1 : 0;
}
BENCHMARK(BM_ElementTimingError)->Arg(20)->Arg(40)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
