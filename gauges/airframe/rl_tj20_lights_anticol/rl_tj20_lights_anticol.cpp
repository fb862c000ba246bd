// Exterior lights: a spare switch, the anti-collision light (mirrored to the simulator's
// light) and the navigation lights (on and off commands).
#include "tj20/gauge.h"

namespace {
using namespace tj20;

struct State {
    u32 spare = 0;          // S1: no command
    u32 antiCollision = 0;  // S2
    u32 navigation = 0;     // S3
};
State st;

constinit SimTable simvars{sim::AntiCollisionLight};

constinit Chain elements{
    image(0x100),
    icon(0x1300, {19, 117}, 2, [] { return st.spare; }),
    icon(0x1400, {150, 62}, 2, [] { return st.antiCollision; }),
    icon(0x1500, {218, 47}, 2, [] { return st.navigation; }),
    icon(0x1100, {15, 31}, 2, [] { return 0; }),
    icon(0x1200, {67, 31}, 2, [] { return 0; }),
};

void antiCollisionSwitch() {
    st.antiCollision = st.antiCollision ? 0 : 1;
    followToggle(st.antiCollision, simvars[sim::AntiCollisionLight], key::AntiCollisionLightToggle);
}

void navigationSwitch() {
    st.navigation = st.navigation ? 0 : 1;
    send(st.navigation ? key::NavigationLightsOn : key::NavigationLightsOff);
}

constinit Areas areas{
    press<[] { st.spare = st.spare ? 0 : 1; }>({12, 117, 43, 43}),
    press<antiCollisionSwitch>({140, 55, 48, 52}),
    press<navigationSwitch>({216, 51, 49, 55}),
};

void reset() { st = {}; }
}  // namespace

TJ20_GAUGE(rl_tj20_lights_anticol, .sim = simvars, .elements = elements, .areas = areas, .reset = reset)
