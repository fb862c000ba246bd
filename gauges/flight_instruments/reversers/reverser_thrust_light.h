// A reverse thrust (REV) light, one per engine: the module that includes this defines
// `Lever`, its engine's throttle lever, first. REV comes on 25 ticks (about 1.4 s) after the
// lever is pulled into reverse, once the reverser is deployed, and goes off as soon as the
// lever leaves reverse. The rules run when the light is drawn, on the values of the last update.
#pragma once

#include "tj20/gauge.h"

namespace {
using namespace tj20;

constexpr double DeployTicks = 25.2;

struct State {
    bool timing = false;  // the lever is in reverse and the deployment is being timed
    bool lit = false;
    Deadline deployed;
};
State st;

constinit SimTable simvars{sim::TickCount, Lever};

bool drawn() {
    const double tick = simvars[sim::TickCount];
    const bool reverse = simvars[Lever] < 0;
    if (reverse && !st.timing) {
        st.timing = true;
        st.deployed.arm(tick, DeployTicks);
    }
    if (st.deployed.due(tick) && !st.lit) st.lit = true;
    if (!reverse) st.timing = st.lit = false;
    return st.lit;
}

constinit Chain elements{
    image(0x100),
    icon(0x1100, {0, 0}, 1, [] { return 0; }).visibleWhen([] { return drawn(); }),
};

void reset() { st = {}; }
}  // namespace
