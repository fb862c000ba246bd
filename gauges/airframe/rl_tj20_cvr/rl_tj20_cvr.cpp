// Cockpit voice recorder panel: the TEST button lights its light for 36 ticks (2 seconds);
// pressed again while lit, it puts the light out at once. Nothing outside the panel reads it.
//
// The light goes out on the first update at or past its deadline, so an update that steps
// over the exact tick cannot leave it on.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_BOUND(ohpanel);

constexpr double TestLightTicks = 36;

struct State {
    u32 testing = 0;  // the test light
    Deadline testOff;
    PanelLighting lighting{ohpanel};
};
State st;

constinit SimTable simvars{sim::TickCount};

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x1200),
    icon(0x1100, {187, 25}, 2, &st.testing),
};

void testButton() {
    if (st.testing == 0) {
        st.testOff.arm(simvars[sim::TickCount], TestLightTicks);
        st.testing = 1;
    } else {
        st.testOff.disarm();
        st.testing = 0;
    }
}

constinit Areas areas{
    press<testButton>({113, 21, 30, 29}),
};

void update() {
    if (st.testOff.due(simvars[sim::TickCount]) && st.testing == 1) st.testing = 0;
    st.lighting.follow();
}

void reset() {
    st = {};
    ohpanel.set(0);
}
}  // namespace

TJ20_GAUGE(rl_tj20_cvr, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
