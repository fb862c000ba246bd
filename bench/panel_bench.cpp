// One full panel cycle of the default panel: the tick, the simulator model, every gauge's
// update and draw, and the evaluation of every element. Reports cycles per second, the time
// per gauge, and the journal's size at the end: the journal keeps only its latest events, so
// however many cycles run, it stays within its capacity.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <exception>
#include <memory>

#include "tj20host/panel.h"

namespace {

using namespace tj20::host;

void PanelCycle(benchmark::State& state) {
    std::unique_ptr<Panel> panel;
    try {
        panel = Panel::load(PanelConfig::read(TJ20_DEFAULT_PANEL), {TJ20_PANEL_DIR});
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    panel->run(1);  // the first draw and its resets are not part of the steady cycle
    const auto gauges = static_cast<double>(panel->gauges().size());

    std::int64_t cycles = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        panel->run(1);
        ++cycles;
    }
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;

    state.counters["gauges"] = gauges;
    state.counters["cycles_per_second"] = benchmark::Counter(static_cast<double>(cycles), benchmark::Counter::kIsRate);
    state.counters["ns_per_gauge"] = cycles > 0 ? elapsed.count() / (static_cast<double>(cycles) * gauges) : 0.0;
    state.counters["journal_events_kept"] = static_cast<double>(panel->journal().events.size());
    state.counters["journal_events_total"] = static_cast<double>(panel->journal().end());
}

}  // namespace

BENCHMARK(PanelCycle)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
