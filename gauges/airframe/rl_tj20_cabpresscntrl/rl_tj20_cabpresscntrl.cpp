// Pressurisation controller: landing barometric setting and landing altitude on their drums,
// the rate knob, the mode switch with its two lights and a push button with its light. The
// settings are shown only; no other system reads them.
//
//   Mode switch: from AUTO (0) to the other mode lights both lights; back to AUTO puts the
//   second light out. The first light stays until the light's own button is pressed in AUTO.
//   Rate knob: 0 to 13. Landing baro 955 to 1045 hPa by 1, landing altitude 0 to 8600 ft by
//   100; their arrows keep stepping while held. The push button lights for 12 ticks after it
//   is let go (holding it keeps it lit).
#include <algorithm>

#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(lndbaro, lndalt);
TJ20_BOUND(ohpanel);

constexpr u32 BaroLowest = 955, BaroHighest = 1045, BaroStandard = 1013;
constexpr u32 AltitudeStep = 100, AltitudeHighest = 8600;
constexpr double RateHighest = 13, RateFirstDraw = 7;
constexpr double PushTicks = 12.6;

struct State {
    u32 mode = 0;  // 1 away from AUTO
    u32 firstLight = 0, secondLight = 0;
    double rate = 0;       // rate knob position
    u32 pushed = 0;        // push button light
    Deadline pushRelease;  // puts the push button light out
    PanelLighting lighting{ohpanel};
};
State st;

constinit SimTable simvars{sim::TickCount};

double baroDrum() { return lndbaro.get() < BaroLowest ? 0.0 : double(lndbaro.get() - BaroLowest); }
double altitudeDrum() { return double(lndalt.get()) + 500.0; }

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x1600),
    icon(0x1100, {22, 106}, 2, &st.mode),
    icon(0x1200, {188, 115}, 15, [] { return st.rate; }),
    movingImage(
        0x1900, {145, 62}, 0.0, [] { return 0; }, 1.0, [] { return baroDrum(); })
        .litWhen(st.lighting.lit()),
    movingImage(
        0x1400, {84, 62}, 0.0, [] { return 0; }, 0.01, [] { return altitudeDrum(); })
        .litWhen(st.lighting.lit()),
    icon(0x1800, {196, 58}, 1, [] { return 0; }).visibleWhen(Cond::cellEquals(&st.pushed, 1)),
    icon(0x2100, {12, 52}, 1, [] { return 0; }).visibleWhen(Cond::cellEquals(&st.firstLight, 1)),
    icon(0x2200, {12, 76}, 1, [] { return 0; }).visibleWhen(Cond::cellEquals(&st.secondLight, 1)),
};

void modeSwitch() {
    if (st.mode == 1) {
        st.mode = 0;
        st.secondLight = 0;
    } else {
        st.mode = st.secondLight = st.firstLight = 1;
    }
}

void rateUp() {
    if (st.rate < RateHighest) st.rate += 1;
}
void rateDown() {
    if (st.rate > 0) st.rate -= 1;
}
void altitudeUp() {
    if (lndalt.get() < AltitudeHighest) lndalt.set(std::min(lndalt.get() + AltitudeStep, AltitudeHighest));
}
void altitudeDown() { lndalt.set(lndalt.get() > AltitudeStep ? lndalt.get() - AltitudeStep : 0); }

void firstLightButton() {
    if (st.mode == 0 && st.firstLight == 1) st.firstLight = 0;
}

void push() {
    st.pushRelease.arm(simvars[sim::TickCount], PushTicks);
    st.pushed = 1;
}

constinit Areas areas{
    press<modeSwitch>({20, 113, 32, 34}),
    press<rateUp>({209, 116, 22, 41}, Cursor::UpArrow),
    press<rateDown>({187, 116, 21, 41}, Cursor::DownArrow),
    repeat<[] { stepUp(lndbaro, BaroHighest); }>({159, 145, 20, 23}, Cursor::UpArrow),
    repeat<[] { stepDown(lndbaro, BaroLowest); }>({139, 145, 19, 23}, Cursor::DownArrow),
    repeat<altitudeUp>({98, 144, 21, 24}, Cursor::UpArrow),
    repeat<altitudeDown>({76, 144, 21, 24}, Cursor::DownArrow),
    repeat<push>({191, 54, 40, 39}),
    press<firstLightButton>({12, 52, 49, 48}),
};

void update() {
    st.lighting.follow();
    if (st.pushRelease.due(simvars[sim::TickCount])) st.pushed = 0;
}

void reset() {
    st = {};
    st.rate = RateFirstDraw;
    lndbaro.set(BaroStandard);
    lndalt.set(0);
    ohpanel.set(0);
}
}  // namespace

TJ20_GAUGE(rl_tj20_cabpresscntrl, .sim = simvars, .elements = elements, .areas = areas, .update = update,
           .reset = reset)
