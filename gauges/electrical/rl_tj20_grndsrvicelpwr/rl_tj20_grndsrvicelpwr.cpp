// Ground service power panel ("GROUND SERVICE ELEC PWR"): the switches that put APU or external
// power on the ground service bus, the availability lights repeating the bus power panel's,
// and the maintenance interphone switch. Nothing else in the aircraft reads its switches.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(gsapupwr, gsextpwr, gsapusw, gsextsw, interphone);
TJ20_BOUND(ohpanel, lightstestsw, apupwr, extpwr);

struct State {
    PanelLighting lighting{ohpanel};
};
State st;

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x1600),
    icon(0x1100, {176, 38}, 3, gsapupwr).alwaysLit(),
    icon(0x1200, {123, 34}, 2, gsapusw),
    icon(0x1300, {176, 116}, 3, gsextpwr).alwaysLit(),
    icon(0x1400, {123, 112}, 2, gsextsw),
    icon(0x1500, {248, 90}, 2, interphone),
};

constinit Areas areas{
    toggleArea<gsapusw>({124, 46, 26, 26}),
    toggleArea<gsextsw>({125, 124, 24, 25}),
    toggleArea<interphone>({251, 104, 24, 23}),
};

// A repeater light: on while its source is available, held on by the lights test.
void repeatLight(Owned& light, const Bound& available) {
    light.set(available.get() == 1 ? 1 : 0);
    if (lightstestsw.get() == 1) light.set(shared::gsapupwr::LightsTest);
}

void update() {
    repeatLight(gsapupwr, apupwr);
    repeatLight(gsextpwr, extpwr);
    st.lighting.follow();
}

void reset() {
    st = {};
    setAll(0, gsapupwr, gsextpwr, gsapusw, gsextsw, interphone);
    setAll(0, lightstestsw, apupwr, extpwr, ohpanel);
}
}  // namespace

TJ20_GAUGE(rl_tj20_grndsrvicelpwr, .elements = elements, .areas = areas, .update = update, .reset = reset)
