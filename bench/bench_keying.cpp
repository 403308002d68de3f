// Element timing of the keying thread against the ideal schedule, while the GUI thread is
// busy the whole time. Reported as counters: p50 and p99 error in µs.
#include "keying/CwSendBuffer.h"
#include "keying/KeyingClock.h"
#include "keying/KeyingEngine.h"
#include "keying/RecordingKeyLine.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

void BM_ElementTimingError(benchmark::State& state)
{
    const int wpm = static_cast<int>(state.range(0));
    std::vector<double> errorsUs;
    std::vector<double> stepErrorsUs;
    bool realTime = false;
    for (auto _ : state) {
        MonotonicKeyingClock clock;
        CwSendBuffer buffer;
        KeyingEngine engine(buffer, clock);
        auto line = std::make_shared<RecordingKeyLine>(clock);
        engine.setKeyLine(line);
        engine.setSpeed(wpm);
        buffer.replace(QStringLiteral("PARIS PARIS"));
        engine.LoopThroughCWBuffer();
        // The GUI thread stays busy (spinning, never idle) for the whole message.
        while (buffer.sending())
            benchmark::DoNotOptimize(buffer.isEmpty());
        realTime = engine.realTime();
        // Every element is one call; element k is due k element times after the first.
        const auto events = line->events();
        const double elementNs = 1.2e9 / wpm;
        for (size_t k = 0; k < events.size(); ++k)
            errorsUs.push_back(std::abs(double(events[k].atNs - events[0].atNs) - double(k) * elementNs) / 1000.0);
        // Each element's own length: a late wake-up counts once here, not for every element after it.
        for (size_t k = 1; k < events.size(); ++k)
            stepErrorsUs.push_back(std::abs(double(events[k].atNs - events[k - 1].atNs) - elementNs) / 1000.0);
    }
    std::sort(errorsUs.begin(), errorsUs.end());
    state.counters["p50_us"] = errorsUs[errorsUs.size() / 2];
    state.counters["p99_us"] = errorsUs[errorsUs.size() * 99 / 100];
    state.counters["max_us"] = errorsUs.back();
    state.counters["realtime"] = realTime ? 1 : 0;
    std::sort(stepErrorsUs.begin(), stepErrorsUs.end());
    state.counters["step_p50_us"] = stepErrorsUs[stepErrorsUs.size() / 2];
    state.counters["step_p99_us"] = stepErrorsUs[stepErrorsUs.size() * 99 / 100];
}

BENCHMARK(BM_ElementTimingError)->Arg(20)->Arg(40)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
