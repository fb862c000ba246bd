// Brake pressure: left and right needles fed by the left and right hydraulic systems. A
// needle rises fast (100 psi per update) to its system's pressure and bleeds down slowly (1 psi
// per update); with its system depressurised it holds the accumulator's precharge, 720 psi on
// the left and 750 psi on the right.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_BOUND(lhydpressure, rhydpressure);

constexpr u32 Rise = 100, Bleed = 1;
constexpr u32 LeftPrecharge = 720, RightPrecharge = 750;

struct State {
    u32 left = 0, right = 0;  // needle values, psi
};
State st;

constinit NeedleTable leftScale{
    NeedlePoint{0, 70, 29},    NeedlePoint{1000, 112, 62}, NeedlePoint{2000, 84, 111},
    NeedlePoint{3000, 32, 91}, NeedlePoint{4000, 46, 34},
};
constinit NeedleTable rightScale{
    NeedlePoint{0, 70, 19},    NeedlePoint{1000, 122, 61}, NeedlePoint{2000, 86, 119},
    NeedlePoint{3000, 17, 96}, NeedlePoint{4000, 38, 20},
};

constinit Chain elements{
    image(0x100),
    needle(0x1100, {69, 69}, {4, 4}, leftScale, &st.left),
    needle(0x1200, {69, 69}, {4, 4}, rightScale, &st.right),
};

void follow(u32& needle, u32 target, u32 precharge) {
    if (needle < target) needle += Rise;
    if (target > precharge && needle > target) needle -= Bleed;
    if (target < precharge && needle > precharge) needle -= Bleed;
}

void update() {
    follow(st.left, lhydpressure.get(), LeftPrecharge);
    follow(st.right, rhydpressure.get(), RightPrecharge);
}

void reset() {
    st = {LeftPrecharge, RightPrecharge};
    setAll(0, lhydpressure, rhydpressure);
}
}  // namespace

TJ20_GAUGE(rl_tj20_main_brakepress, .elements = elements, .update = update, .reset = reset)
