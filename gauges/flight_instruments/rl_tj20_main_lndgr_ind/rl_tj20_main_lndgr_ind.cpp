// Landing gear position lights and the gear door light. Each gear's light is off when the
// gear is up and locked (0), green when down and locked (16383) and red in between; all three
// turn red while a gear is not down and locked with both throttles closed (below 256). The
// door light shows while any gear is in transit. Other gauges read the lights.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(geardoor, llndgrlt, noselndgrlt, rlndgrlt);

constexpr double Up = 0, DownLocked = 16383;
constexpr double ThrottleClosedBelow = 256;
using Light = shared::llndgrlt;

constinit SimTable simvars{sim::NoseGear, sim::LeftGear, sim::RightGear, sim::Throttle1Lever, sim::Throttle2Lever};

constinit Chain elements{
    image(0x100),
    icon(0x1100, {6, 8}, 2, geardoor),
    icon(0x1200, {67, 12}, 3, llndgrlt),
    icon(0x1300, {108, 12}, 3, noselndgrlt),
    icon(0x1400, {149, 12}, 3, rlndgrlt),
};

bool inTransit(double gear) { return gear > Up && gear < DownLocked; }

// A gear at neither end shows red; at an end, off or green. Any other reading leaves it.
void show(Owned& light, double gear) {
    if (inTransit(gear))
        light.set(Light::Red);
    else if (gear == DownLocked)
        light.set(Light::Green);
    else if (gear == Up)
        light.set(Light::Off);
}

void update() {
    const double nose = simvars[sim::NoseGear], left = simvars[sim::LeftGear], right = simvars[sim::RightGear];
    geardoor.set(inTransit(nose) || inTransit(left) || inTransit(right) ? 1 : 0);
    show(noselndgrlt, nose);
    show(llndgrlt, left);
    show(rlndgrlt, right);
    const bool throttlesClosed =
        simvars[sim::Throttle1Lever] < ThrottleClosedBelow && simvars[sim::Throttle2Lever] < ThrottleClosedBelow;
    if (throttlesClosed && (nose < DownLocked || left < DownLocked || right < DownLocked))
        setAll(Light::Red, noselndgrlt, llndgrlt, rlndgrlt);
}

void reset() { setAll(0, geardoor, llndgrlt, noselndgrlt, rlndgrlt); }
}  // namespace

TJ20_GAUGE(rl_tj20_main_lndgr_ind, .sim = simvars, .elements = elements, .update = update, .reset = reset)
