// Overhead lights: the overhead panel lighting switch that every overhead gauge follows
// ("ohpanel"), and the flood light switch that also commands the simulator's panel lights.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_BOUND(ohpanel, ohflood);

struct State {
    PanelLighting lighting{ohpanel};
};
State st;

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x1300),
    icon(0x1100, {38, 23}, 2, ohpanel),
    icon(0x1200, {168, 23}, 2, ohflood),
};

void floodSwitch() {
    if (ohflood.get() == 0) {
        ohflood.set(1);
        send(key::PanelLightsOn);
    } else {
        ohflood.set(0);
        send(key::PanelLightsOff);
    }
}

constinit Areas areas{
    toggleArea<ohpanel>({39, 25, 52, 52}),
    press<floodSwitch>({169, 24, 53, 53}),
};

void update() { st.lighting.follow(); }
void reset() {
    st = {};
    setAll(0, ohpanel, ohflood);
}
}  // namespace

TJ20_GAUGE(rl_tj20_oh_lights, .elements = elements, .areas = areas, .update = update, .reset = reset)
