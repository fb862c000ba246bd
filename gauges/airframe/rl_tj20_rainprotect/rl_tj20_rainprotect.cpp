// Rain protection panel: the windshield wiper selector ("wiper", 1 to 3, with the
// spring-loaded PARK position 0) and a second two-position switch.
//
// The up arrow steps the selector up to 3. The down arrow repeats while held; each action
// steps it down, and on reaching 1 goes on to PARK, so one click takes 3, 2 or 1 to PARK
// (3 takes the press and one repeat). PARK springs back to 1 12 ticks after it was last
// selected, unless the pilot has moved the selector on from PARK meanwhile.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(wiper);
TJ20_BOUND(ohpanel);

constexpr double ParkTicks = 12.6;  // 12 whole ticks
constexpr u32 Slow = 1, Fastest = 3;
using Wiper = shared::wiper;

struct State {
    u32 other = 0;  // the second switch
    Deadline parkEnd;
    PanelLighting lighting{ohpanel};
};
State st;

constinit SimTable simvars{sim::TickCount};

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x1300),
    icon(0x1100, {174, 43}, 4, wiper),
    icon(0x1200, {68, 31}, 2, &st.other),
};

void wiperDown() {
    if (wiper.get() > Slow) wiper.set(wiper.get() - 1);
    if (wiper.get() == Slow) {
        st.parkEnd.arm(simvars[sim::TickCount], ParkTicks);
        wiper.set(Wiper::Park);
    }
}

constinit Areas areas{
    press<[] { stepUp(wiper, Fastest); }>({208, 47, 39, 73}, Cursor::UpArrow),
    repeat<wiperDown>({172, 47, 35, 73}, Cursor::DownArrow),
    press<[] { st.other = st.other == 0 ? 1 : 0; }>({69, 41, 28, 29}),
};

void update() {
    if (st.parkEnd.due(simvars[sim::TickCount]) && wiper.get() == Wiper::Park) wiper.set(Slow);
    st.lighting.follow();
}

void reset() {
    st = {};
    wiper.set(Slow);
    ohpanel.set(0);
}
}  // namespace

TJ20_GAUGE(rl_tj20_rainprotect, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
