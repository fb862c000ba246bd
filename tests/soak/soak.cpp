// A long run of the whole default panel: the same flight flown over and over (power up,
// engine start, takeoff setup, climb and descent, shutdown), as a day in the simulator would
// run it at 18 cycles a second. It reports what a long run must keep level:
//   - memory: the resident set and the journal's size sampled as the run goes;
//   - determinism: a hash of the whole trace (every journaled event as a JSON line), the same
//     for a second run after the panel is unloaded and loaded again;
//   - no drift: the shared variables at the start of every flight after the first, and each
//     flight's own trace (stamped relative to its start), the same for every flight.
//
//   tj20_soak [--cycles N] [--runs R] [--samples S] [--max-growth-kib K] [--quiet]
//
// Exit status 0 when every check holds, 1 when one does not, 2 for bad arguments or a panel
// that does not load.
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "flight.h"
#include "tj20host/panel.h"
#include "tj20host/trace.h"

namespace {

using namespace tj20::host;

long residentKib() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// FNV-1a over text.
struct Hash {
    std::uint64_t value = 1469598103934665603ull;
    void add(std::string_view text) {
        for (const unsigned char c : text) value = (value ^ c) * 1099511628211ull;
    }
};

struct Sample {
    std::uint64_t cycle;
    long rssKib;
    std::size_t journalKept;
    std::uint64_t journalTotal;
};

struct RunResult {
    std::uint64_t traceHash = 0;
    std::uint64_t cycles = 0;
    int flights = 0;
    double seconds = 0;
    double cpuSeconds = 0;
    std::vector<Sample> samples;
    std::size_t journalCapacity = 0;
    // Flights whose start differed from the second flight's, with the variables that did.
    std::vector<std::string> drift;
    std::map<std::uint64_t, int> flightTraces;  // relative trace hash -> flights that had it
};

std::string snapshotDiff(const std::map<std::string, std::uint32_t>& a, const std::map<std::string, std::uint32_t>& b) {
    std::string out;
    for (const auto& [name, value] : a) {
        const auto it = b.find(name);
        if (it == b.end() || it->second != value)
            out += " " + name + " " + std::to_string(value) + "->" +
                   (it == b.end() ? std::string("gone") : std::to_string(it->second));
    }
    return out;
}

RunResult fly(const PanelConfig& config, std::uint64_t cycles, int samples, bool quiet) {
    RunResult r;
    LoadOptions options{TJ20_PANEL_DIR};
    auto panel = Panel::load(config, options);
    r.journalCapacity = panel->journal().capacity();

    Hash whole;
    Hash flight;
    std::uint64_t flightCycle = 0;
    double flightTick = 0;
    std::ostringstream line;
    const int listener = panel->journal().listen([&](const Event& e) {
        line.str("");
        printEventJson(line, e);
        whole.add(line.str());
        Event relative = e;
        relative.cycle -= flightCycle;
        relative.tick -= flightTick;
        relative.key.cycle -= relative.key.cycle ? flightCycle : 0;
        relative.sound.cycle -= relative.sound.cycle ? flightCycle : 0;
        line.str("");
        printEventJson(line, relative);
        flight.add(line.str());
    });

    const auto snapshot = [&] {
        std::map<std::string, std::uint32_t> values;
        for (const auto& name : panel->sharedNames()) values[name] = *panel->shared(name);
        return values;
    };
    const std::uint64_t every =
        samples > 0 ? std::max<std::uint64_t>(1, cycles / static_cast<std::uint64_t>(samples)) : cycles;
    std::uint64_t nextSample = 0;
    std::map<std::string, std::uint32_t> reference;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    panel->run(1);  // the first draw sets every gauge's initial values
    while (panel->cycleCount() < cycles) {
        flightCycle = panel->cycleCount();
        flightTick = panel->tick();
        flight = Hash{};
        if (r.flights >= 1) {
            const auto now = snapshot();
            if (r.flights == 1)
                reference = now;
            else if (const auto diff = snapshotDiff(reference, now); !diff.empty())
                r.drift.push_back("flight " + std::to_string(r.flights) + ":" + diff);
        }
        tj20::soak::flyOnce(*panel);
        if (r.flights >= 1) ++r.flightTraces[flight.value];
        ++r.flights;
        if (panel->cycleCount() >= nextSample || panel->cycleCount() >= cycles) {
            const Sample& s = r.samples.emplace_back(
                Sample{panel->cycleCount(), residentKib(), panel->journal().events.size(), panel->journal().end()});
            nextSample = panel->cycleCount() + every;
            if (!quiet) {  // as it goes: a day takes a while
                std::printf("  cycle %9llu  rss %7ld KiB  journal %zu kept of %llu  %.0f s\n",
                            static_cast<unsigned long long>(s.cycle), s.rssKib, s.journalKept,
                            static_cast<unsigned long long>(s.journalTotal),
                            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
                std::fflush(stdout);
            }
        }
    }
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    r.cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    r.cycles = panel->cycleCount();
    panel->journal().unlisten(listener);
    r.traceHash = whole.value;
    return r;
}

int usage(const char* problem) {
    std::cerr << "tj20_soak: " << problem
              << "\nusage: tj20_soak [--cycles N] [--runs R] [--samples S] [--max-growth-kib K] [--quiet]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t cycles = 1'555'200;  // a day at 18 cycles a second
    int runs = 2;
    int samples = 24;
    long maxGrowthKib = 2048;
    bool quiet = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--quiet") {
            quiet = true;
            continue;
        }
        const char* v = value();
        if (!v) return usage("an option lacks its value");
        char* end = nullptr;
        const long long n = std::strtoll(v, &end, 10);
        if (*end || n < 1) return usage("option values are whole numbers from 1");
        if (arg == "--cycles")
            cycles = static_cast<std::uint64_t>(n);
        else if (arg == "--runs")
            runs = static_cast<int>(n);
        else if (arg == "--samples")
            samples = static_cast<int>(n);
        else if (arg == "--max-growth-kib")
            maxGrowthKib = static_cast<long>(n);
        else
            return usage("unknown option");
    }

    std::vector<RunResult> results;
    try {
        const auto config = PanelConfig::read(TJ20_DEFAULT_PANEL);
        for (int i = 0; i < runs; ++i) results.push_back(fly(config, cycles, samples, quiet));
    } catch (const std::exception& e) {
        std::cerr << "tj20_soak: " << e.what() << "\n";
        return 2;
    }

    bool ok = true;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const auto& r = results[i];
        std::printf(
            "run %zu: %llu cycles, %d flights of %d cycles, %.1f s (%.1f s of processor time, %.0f cycles a "
            "processor second), trace hash %016llx\n",
            i + 1, static_cast<unsigned long long>(r.cycles), r.flights, tj20::soak::FlightCycles, r.seconds,
            r.cpuSeconds, static_cast<double>(r.cycles) / r.cpuSeconds, static_cast<unsigned long long>(r.traceHash));
        // Growth is measured from the second sample: by then the journal is full and the
        // panel has flown at least once.
        const auto& from = r.samples.size() > 1 ? r.samples[1] : r.samples.front();
        const long growth = r.samples.back().rssKib - from.rssKib;
        std::printf("  rss %ld KiB at cycle %llu, %ld KiB at the end: %+ld KiB\n", from.rssKib,
                    static_cast<unsigned long long>(from.cycle), r.samples.back().rssKib, growth);
        if (growth > maxGrowthKib) {
            std::printf("  FAIL: the resident set grew by more than %ld KiB\n", maxGrowthKib);
            ok = false;
        }
        if (r.samples.back().journalKept > r.journalCapacity) {
            std::printf("  FAIL: the journal keeps more than its capacity\n");
            ok = false;
        }
        for (const auto& d : r.drift) {
            std::printf("  FAIL: drift at the start of %s\n", d.c_str());
            ok = false;
        }
        if (r.flightTraces.size() > 1) {
            std::printf("  FAIL: the flights after the first left %zu different traces\n", r.flightTraces.size());
            ok = false;
        }
        if (i > 0 && r.traceHash != results[0].traceHash) {
            std::printf("  FAIL: the trace differs from run 1's\n");
            ok = false;
        }
    }
    std::printf("%s\n", ok ? "soak: every check held" : "soak: FAILED");
    return ok ? 0 : 1;
}
