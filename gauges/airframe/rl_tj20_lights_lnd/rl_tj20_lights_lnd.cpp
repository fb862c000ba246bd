// Landing lights: a three-position switch (off, turn-off lights, turn-off and landing
// lights) and the taxi light switch, both kept in step with the simulator's lights.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

struct State {
    u32 landing = 0;  // L: 0 off, 1 turn-off lights, 2 turn-off and landing lights
    u32 taxi = 0;     // N: 0 off, 1 on
};
State st;

constinit SimTable simvars{sim::TaxiLight, sim::TurnoffLight, sim::OnGroundFlag, sim::LandingLightPanelAux,
                           sim::Placeholder};

constinit Chain elements{
    image(0x100),
    icon(0x1700, {45, 38}, 3, [] { return st.landing; }),
    icon(0x1800, {107, 38}, 3, [] { return st.landing; }),
    icon(0x1600, {216, 47}, 2, [] { return st.taxi; }),
};

void landingUp() {
    if (st.landing < 2) ++st.landing;
    if (st.landing == 1 && simvars[sim::TurnoffLight] < 1.0) send(key::TurnoffLightToggle);
    if (st.landing == 2) send(key::LandingLightsOn);
}

void landingDown() {
    if (st.landing > 0) --st.landing;
    if (st.landing == 1) send(key::LandingLightsOff);
    if (st.landing == 0 && simvars[sim::TurnoffLight] > 0.0) send(key::TurnoffLightToggle);
}

void taxiSwitch() {
    st.taxi = st.taxi ? 0 : 1;
    followToggle(st.taxi, simvars[sim::TaxiLight], key::TaxiLightToggle);
}

constinit Areas areas{
    press<landingUp>({45, 73, 115, 25}, Cursor::UpArrow),
    press<landingDown>({45, 40, 115, 32}, Cursor::DownArrow),
    press<taxiSwitch>({211, 46, 62, 61}),
};

void reset() { st = {}; }
}  // namespace

TJ20_GAUGE(rl_tj20_lights_lnd, .sim = simvars, .elements = elements, .areas = areas, .reset = reset)
