// Radio magnetic indicator: a compass card turning with the heading and two bearing pointers,
// each with a two-position source knob: pointer 1 shows the NAV1 bearing or, switched, the
// ADF's; pointer 2 the NAV2 bearing or the ADF's. Card and pointers sit on full-circle dials.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

constexpr abi::u32 FullCircle = 360;

struct State {
    u32 selector1 = 0;  // 0: NAV1, 1: ADF
    u32 selector2 = 0;  // 0: NAV2, 1: ADF
};
State st;

// The three entries after the bearings are refreshed but read by nothing.
constinit SimTable simvars{sim::Heading,    sim::Nav1Bearing, sim::Nav2Bearing, sim::AdfBearing,
                           sim::RmiEntry16, sim::RmiEntry19,  sim::RmiEntry1c};

constinit NeedleTable cardScale{NeedlePoint{0, 347, 177}, NeedlePoint{90, 173, 354}, NeedlePoint{180, 2, 177},
                                NeedlePoint{270, 171, 0}};
constinit NeedleTable pointer1Scale{NeedlePoint{0, 172, 10}, NeedlePoint{90, 332, 181}, NeedlePoint{180, 173, 341},
                                    NeedlePoint{270, 12, 178}};
constinit NeedleTable pointer2Scale{NeedlePoint{0, 171, 23}, NeedlePoint{90, 332, 176}, NeedlePoint{180, 173, 339},
                                    NeedlePoint{270, 5, 177}};

constinit Chain elements{
    image(0x100),
    needle(0x1100, {170, 177}, {170, 170}, cardScale, [] { return 360 - simvars[sim::Heading]; }).period(FullCircle),
    needle(0x1200, {172, 177}, {8, 160}, pointer2Scale,
           [] { return simvars[st.selector2 == 1 ? sim::AdfBearing : sim::Nav2Bearing]; })
        .period(FullCircle),
    needle(0x1300, {173, 177}, {8, 165}, pointer1Scale,
           [] { return simvars[st.selector1 == 1 ? sim::AdfBearing : sim::Nav1Bearing]; })
        .period(FullCircle),
    icon(0x1400, {18, 244}, 2, [] { return st.selector1; }),
    icon(0x1500, {234, 254}, 2, [] { return st.selector2; }),
};

void flip(u32& selector) { selector = selector == 0 ? 1 : 0; }

constinit Areas areas{
    press<[] { flip(st.selector1); }>({14, 253, 84, 82}),
    press<[] { flip(st.selector2); }>({246, 254, 81, 83}),
};

void reset() { st = {}; }
}  // namespace

TJ20_GAUGE(rl_tj20_main_nav_rmi, .sim = simvars, .elements = elements, .areas = areas, .reset = reset)
