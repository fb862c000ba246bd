// Vertical speed indicator: one needle showing the vertical speed in feet per minute on a
// dial from -6000 to +6000, where it stops.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

constexpr double SecondsPerMinute = 60;

constinit NeedleTable dial{
    NeedlePoint{-6000, 137, 93},  NeedlePoint{-5000, 136, 103}, NeedlePoint{-4000, 129, 116},
    NeedlePoint{-3000, 119, 126}, NeedlePoint{-2000, 103, 136}, NeedlePoint{-1000, 64, 135},
    NeedlePoint{-500, 38, 116},   NeedlePoint{0, 31, 85},       NeedlePoint{500, 40, 54},
    NeedlePoint{1000, 65, 33},    NeedlePoint{2000, 102, 33},   NeedlePoint{3000, 119, 42},
    NeedlePoint{4000, 130, 52},   NeedlePoint{5000, 136, 65},   NeedlePoint{6000, 136, 75},
};

constinit Chain elements{
    image(0x100),
    needle(0x1100, {82, 85}, {6, 60}, dial, [](const Element& self) { return self.carried() * SecondsPerMinute; })
        .carries(sim::VerticalSpeed),
    icon(0x1200, {0, 0}, 1, [] { return 0; }),  // face overlay
};
}  // namespace

TJ20_GAUGE(rl_tj20_main_ivsi, .elements = elements)
