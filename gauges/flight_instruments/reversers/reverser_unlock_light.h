// A reverser unlock light, one per engine: the module that includes this defines `Lever`, its
// engine's throttle lever, first. The light shows for 25 ticks (about 1.4 s) when the lever
// is pulled into reverse, while the reverser unlocks and travels, and again for 25 ticks when
// the lever comes back out of reverse, while it stows; it is off in between. The rules run
// when the light is drawn, on the values of the last update.
#pragma once

#include "tj20/gauge.h"

namespace {
using namespace tj20;

constexpr double TravelTicks = 25.2;

struct State {
    bool lit = false;
    bool deployed = false;  // the reverser has been unlocked and has not yet stowed
    Deadline unlocked, stowed;
};
State st;

constinit SimTable simvars{sim::TickCount, Lever};

bool drawn() {
    const double tick = simvars[sim::TickCount];
    const bool reverse = simvars[Lever] < 0;
    if (reverse && !st.lit && !st.deployed) {
        st.lit = st.deployed = true;
        st.unlocked.arm(tick, TravelTicks);
    }
    if (st.unlocked.due(tick) && st.lit) st.lit = false;
    if (!reverse && !st.lit && st.deployed) {
        st.stowed.arm(tick, TravelTicks);
        st.lit = true;
    }
    if (st.stowed.due(tick) && st.lit) st.lit = st.deployed = false;
    return st.lit;
}

constinit Chain elements{
    image(0x100),
    icon(0x1100, {0, 0}, 1, [] { return 0; }).visibleWhen([] { return drawn(); }),
};

void reset() { st = {}; }
}  // namespace
