// The whole default panel under a hostile hand and a hostile simulator. The bytes become a
// sequence of presses, holds, drags and right clicks on every mouse area of every gauge (and
// at points off them), panel cycles with odd tick steps and tick jumps, windows shown and
// hidden, and values no simulator sends (NaN, infinities, negatives, huge, raw bit patterns)
// on the simulator variables the gauges read, and on the shared variables between them.
//
// The panel loads once per process, from the modules this build made, and keeps its state
// from one input to the next as it would through a long session: an input that fails alone
// may need the inputs before it (run the corpus with -runs to replay them in order).
#include <dlfcn.h>
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "check.h"
#include "id_names.h"
#include "tj20/host_abi.h"
#include "tj20host/panel.h"

using namespace tj20;
using namespace tj20::host;

namespace {

struct Area {
    std::string gauge;
    abi::PixBox box;
    std::uint32_t flags;
};

struct Cockpit {
    std::unique_ptr<Panel> panel;
    std::vector<std::string> gauges;
    std::vector<Area> areas;               // every mouse area of every gauge, in panel and table order
    std::vector<std::uint32_t> simulator;  // every simulator variable the framework and host name
    std::vector<std::string> shared;       // every registered shared variable
    std::vector<std::string> windows;
};

// A gauge's mouse areas, read from the module the panel loaded (the handle is the panel's own:
// RTLD_NOLOAD opens nothing new).
void collectAreas(Cockpit& c, const std::string& module) {
    const std::string file = std::string(TJ20_PANEL_DIR) + "/" + module + ".gau";
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD);
    TJ20_FUZZ_CHECK(handle != nullptr);
    const auto* linkage = static_cast<const abi::LinkageRecord*>(dlsym(handle, "Linkage"));
    TJ20_FUZZ_CHECK(linkage && linkage->gauge_table[0]);
    for (const abi::MouseRect* r = linkage->gauge_table[0]->mouse_rect; r && r->rect_type != abi::MouseEndOfTable; ++r)
        if (r->rect_type == abi::MouseArea) c.areas.push_back({module, r->box, r->mouse_flags});
    dlclose(handle);
}

Cockpit& cockpit() {
    static Cockpit c = [] {
        Cockpit k;
        k.panel = Panel::load(PanelConfig::read(TJ20_DEFAULT_PANEL), {TJ20_PANEL_DIR});
        k.panel->run(1);  // the first draw sets every gauge's initial values
        k.gauges = k.panel->gauges();
        for (const auto& g : k.gauges) collectAreas(k, g);
        for (const auto& n : simNames()) k.simulator.push_back(n.id);
        k.shared = k.panel->sharedNames();
        k.windows = k.panel->windows();
        return k;
    }();
    return c;
}

// Values a simulator would never send, and a few it would.
double simulatorValue(FuzzedDataProvider& in) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double dmax = std::numeric_limits<double>::max();
    constexpr double tiny = std::numeric_limits<double>::denorm_min();
    static constexpr double special[] = {0.0,          -0.0,          1.0,    -1.0,    0.5,   nan,     inf,
                                         -inf,         dmax,          -dmax,  tiny,    1e300, -1e300,  2147483648.0,
                                         4294967296.0, -2147483649.0, 9.3e18, -9.3e18, 1e6,   35000.0, 360.0,
                                         -360.0,       100.0,         255.0,  65535.0};
    switch (in.ConsumeIntegralInRange<int>(0, 2)) {
        case 0:
            return special[in.ConsumeIntegralInRange<std::size_t>(0, std::size(special) - 1)];
        case 1:
            return in.ConsumeFloatingPoint<double>();
        default: {
            const auto bits = in.ConsumeIntegral<std::uint64_t>();  // any pattern, signalling NaNs included
            double v;
            static_assert(sizeof v == sizeof bits);
            __builtin_memcpy(&v, &bits, sizeof v);
            return v;
        }
    }
}

std::uint32_t sharedValue(FuzzedDataProvider& in) {
    static constexpr std::uint32_t special[] = {0, 1, 2, 3, 4, 5, 7, 8, 10, 100, 0x7fffffff, 0x80000000, 0xffffffff};
    return in.ConsumeBool() ? special[in.ConsumeIntegralInRange<std::size_t>(0, std::size(special) - 1)]
                            : in.ConsumeIntegral<std::uint32_t>();
}

double tickStep(FuzzedDataProvider& in) {
    static constexpr double steps[] = {1.0, 1.0, 1.0, 0.0, 0.25, 0.5, 2.0, 3.0, 18.0, 90.0, 1000.0, 1e6};
    return steps[in.ConsumeIntegralInRange<std::size_t>(0, std::size(steps) - 1)];
}

// A point inside an area's box (its far edges included, where boxes meet).
std::pair<int, int> inside(FuzzedDataProvider& in, const abi::PixBox& box) {
    const int x = box.x + in.ConsumeIntegralInRange<int>(0, std::max(0, box.width - 1));
    const int y = box.y + in.ConsumeIntegralInRange<int>(0, std::max(0, box.height - 1));
    return {x, y};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Cockpit& c = cockpit();
    Panel& panel = *c.panel;
    FuzzedDataProvider in(data, size);
    int cyclesLeft = 48;  // keeps one input quick: a cycle of the instrumented panel is costly
    enum Op {
        Press,
        RightPress,
        Drag,
        Hold,
        PressAnywhere,
        Cycles,
        SetTick,
        SimValue,
        SimDigits,
        Shared,
        Window,
        Count
    };
    while (in.remaining_bytes() > 0 && cyclesLeft > 0) {
        const auto& area = c.areas[in.ConsumeIntegralInRange<std::size_t>(0, c.areas.size() - 1)];
        switch (in.ConsumeIntegralInRange<int>(0, Count - 1)) {
            case Press: {
                const auto [x, y] = inside(in, area.box);
                panel.mouse(area.gauge, x, y, MouseEvent::Press);
                break;
            }
            case RightPress: {
                const auto [x, y] = inside(in, area.box);
                panel.mouse(area.gauge, x, y, MouseEvent::RightPress);
                break;
            }
            case Drag: {  // a press, then the hand moves across the area
                auto [x, y] = inside(in, area.box);
                panel.mouse(area.gauge, x, y, MouseEvent::Press);
                for (int moves = in.ConsumeIntegralInRange<int>(1, 6); moves > 0; --moves) {
                    std::tie(x, y) = inside(in, area.box);
                    panel.mouse(area.gauge, x, y, MouseEvent::Drag);
                }
                break;
            }
            case Hold: {
                const auto [x, y] = inside(in, area.box);
                const int cycles = in.ConsumeIntegralInRange<int>(0, 12);
                panel.hold(area.gauge, x, y, cycles);
                cyclesLeft -= cycles;
                break;
            }
            case PressAnywhere: {
                const auto& gauge = c.gauges[in.ConsumeIntegralInRange<std::size_t>(0, c.gauges.size() - 1)];
                const int x = in.ConsumeIntegral<int>();
                const int y = in.ConsumeIntegral<int>();
                const auto event = static_cast<MouseEvent>(in.ConsumeIntegralInRange<int>(0, 2));
                panel.mouse(gauge, x, y, event);
                break;
            }
            case Cycles: {
                const int cycles = in.ConsumeIntegralInRange<int>(1, 8);
                panel.run(cycles, tickStep(in));
                cyclesLeft -= cycles;
                break;
            }
            case SetTick: {  // what a script's "set tick" may give: any finite, non-negative count
                static constexpr double ticks[] = {0.0, 1.0, 4294967295.0, 4294967296.0, 9.2e18, 1e300};
                panel.setTick(in.ConsumeBool() ? ticks[in.ConsumeIntegralInRange<std::size_t>(0, std::size(ticks) - 1)]
                                               : in.ConsumeFloatingPointInRange<double>(0.0, 1e7));
                break;
            }
            case SimValue:
                panel.sim().set(c.simulator[in.ConsumeIntegralInRange<std::size_t>(0, c.simulator.size() - 1)],
                                simulatorValue(in));
                break;
            case SimDigits:
                panel.sim().setDigits(c.simulator[in.ConsumeIntegralInRange<std::size_t>(0, c.simulator.size() - 1)],
                                      in.ConsumeIntegral<std::uint32_t>());
                break;
            case Shared:
                TJ20_FUZZ_CHECK(panel.setShared(
                    c.shared[in.ConsumeIntegralInRange<std::size_t>(0, c.shared.size() - 1)], sharedValue(in)));
                break;
            case Window:
                panel.setWindowVisible(c.windows[in.ConsumeIntegralInRange<std::size_t>(0, c.windows.size() - 1)],
                                       in.ConsumeBool());
                break;
        }
    }
    panel.run(1);  // whatever the hand and the simulator did, one more full cycle
    TJ20_FUZZ_CHECK(panel.sharedNames() == c.shared);
    TJ20_FUZZ_CHECK(panel.journal().events.size() <= panel.journal().capacity());
    return 0;
}
