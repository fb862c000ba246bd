// tj20_cycle_cost: a fixed number of panel cycles, for counting the instructions of one cycle
// under callgrind (tools/cycle_cost.sh). It loads the panel, runs the warm-up cycles (the first
// draw and its resets, the sounds and shared values that settle), then runs the measured
// cycles inside tj20_measured_cycles(), the one function callgrind collects in. The simulator
// starts from the same state and the tick advances by one each cycle, so every run executes
// the same instructions.
//
//   tj20_cycle_cost [--panel <file>] [--modules <dir>] [--warmup <n>] [--cycles <n>] [--floor] [--list]
//
// --floor runs the floor panel instead (floor_panel.h); --list prints each gauge with its
// number of elements and runs nothing.
#include <charconv>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "floor_panel.h"
#include "tj20host/panel.h"

// Not inlined and with a plain name, so that callgrind's --toggle-collect finds it.
extern "C" __attribute__((noinline)) void tj20_measured_cycles(tj20::host::Panel* panel, int cycles) {
    panel->run(cycles);
}

namespace {

using namespace tj20::host;

int usage(std::string_view problem) {
    std::cerr << "tj20_cycle_cost: " << problem << "\n"
              << "usage: tj20_cycle_cost [--panel <file>] [--modules <dir>] [--warmup <n>] [--cycles <n>] [--floor] "
                 "[--list]\n";
    return 2;
}

bool count(std::string_view text, int& out) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && out >= 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string panelFile = TJ20_DEFAULT_PANEL;
    std::string moduleDir = TJ20_PANEL_DIR;
    int warmup = 20, cycles = 50;
    bool floor = false, list = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--floor") {
            floor = true;
        } else if (arg == "--list") {
            list = true;
        } else if (arg == "--panel" || arg == "--modules") {
            const char* v = value();
            if (!v) return usage(std::string(arg) + " needs a value");
            (arg == "--panel" ? panelFile : moduleDir) = v;
        } else if (arg == "--warmup" || arg == "--cycles") {
            const char* v = value();
            int n = 0;
            if (!v || !count(v, n)) return usage(std::string(arg) + " needs a whole number of cycles");
            (arg == "--warmup" ? warmup : cycles) = n;
        } else {
            return usage("unknown argument '" + std::string(arg) + "'");
        }
    }
    try {
        const PanelConfig config = PanelConfig::read(panelFile);
        // The floor panel owns its panel and the scratch directory of its modules.
        std::unique_ptr<tj20::bench::FloorPanel> floorPanel;
        std::unique_ptr<Panel> realPanel;
        if (floor)
            floorPanel = std::make_unique<tj20::bench::FloorPanel>(config, moduleDir);
        else
            realPanel = Panel::load(config, {moduleDir});
        Panel* panel = floor ? &floorPanel->panel() : realPanel.get();
        panel->run(warmup);
        if (list) {
            for (const auto& g : panel->gauges()) std::cout << g << ' ' << panel->elements(g).size() << '\n';
            return 0;
        }
        tj20_measured_cycles(panel, cycles);
        std::size_t elements = 0;
        for (const auto& g : panel->gauges()) elements += panel->elements(g).size();
        std::cout << "gauges " << panel->gauges().size() << " elements " << elements << " warmup " << warmup
                  << " cycles " << cycles << '\n';
    } catch (const std::exception& e) {
        std::cerr << "tj20_cycle_cost: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
