// One full panel cycle of the default panel: the tick, the simulator model, every gauge's
// update and draw, and the evaluation of every element. Reports cycles per second, the time
// per gauge, and the journal's size at the end: the journal keeps only its latest events, so
// however many cycles run, it stays within its capacity. The floor (floor_panel.h) runs in the
// same program: the same layout of do-nothing gauges with the same element counts, so that
// the panel's figure reads as a ratio to it (tools/panel_speed.sh prints it).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <exception>
#include <memory>

#include "floor_panel.h"
#include "tj20host/panel.h"

namespace {

using namespace tj20::host;

void measure(benchmark::State& state, Panel& panel) {
    panel.run(1);  // the first draw and its resets are not part of the steady cycle
    const auto gauges = static_cast<double>(panel.gauges().size());

    std::int64_t cycles = 0;
    for (auto _ : state) {
        panel.run(1);
        ++cycles;
    }

    // Both figures per second of the process's own processor time, as the benchmark times it:
    // on a machine shared with other work, the time others take is not counted.
    const auto perGauge = static_cast<double>(cycles) * gauges / 1e9;
    state.counters["gauges"] = gauges;
    state.counters["cycles_per_second"] = benchmark::Counter(static_cast<double>(cycles), benchmark::Counter::kIsRate);
    state.counters["ns_per_gauge"] =
        benchmark::Counter(perGauge, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["journal_events_kept"] = static_cast<double>(panel.journal().events.size());
    state.counters["journal_events_total"] = static_cast<double>(panel.journal().end());
}

void PanelCycle(benchmark::State& state) {
    std::unique_ptr<Panel> panel;
    try {
        panel = Panel::load(PanelConfig::read(TJ20_DEFAULT_PANEL), {TJ20_PANEL_DIR});
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    measure(state, *panel);
}

void FloorCycle(benchmark::State& state) {
    std::unique_ptr<tj20::bench::FloorPanel> floor;
    try {
        floor = std::make_unique<tj20::bench::FloorPanel>(PanelConfig::read(TJ20_DEFAULT_PANEL), TJ20_PANEL_DIR);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    measure(state, floor->panel());
}

}  // namespace

BENCHMARK(PanelCycle)->Unit(benchmark::kMicrosecond);
BENCHMARK(FloorCycle)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
