// APU control panel: the battery and emergency power switches, the APU start and door
// switches, the APU air switch, the APU fire handle and the two fire agent switches. The
// battery switch keeps the simulator's master battery in step; the start switch's START
// position is spring-loaded and drops back to RUN 54 ticks (3 s) after it was selected.
//
// Switching sequences. A click acts through the single area under the pointer.
//   Start switch ("apustartsw": 0 OFF, 1 RUN, 2 START), two halves of one lever:
//     lower half  OFF -> RUN -> START (arms the 54-tick release); START stays held
//     upper half  START -> RUN (cancels the release) -> OFF; OFF stays
//   The release moves START to RUN on the first update at or past its tick.
//   Door switch ("apudoorsw": positions 0 to 4, 2 keeps the APU from starting), a selector
//   with 0 and 1 at the top, 2 in the middle, 3 to the lower left and 4 to the lower right:
//     top          0 -> 1; any other position -> 0
//     middle       1, 3 or 4 -> 2; 2 -> 1; 0 stays
//     lower left   1 -> 2 -> 3; 0, 3 and 4 stay
//     lower right  1 -> 2 -> 4; 0, 3 and 4 stay
//   so every position can be reached from every other, in at most three clicks (0 to 3 or 4).
//   Air switch ("apuairsw" 0 to 2): upper arrow one up, lower arrow one down.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(battsw, emerpwrsw, apustartsw, apudoorsw, apufirecontsw, apuairsw, apufireagent1sw, apufireagent2sw);
TJ20_BOUND(lightstestsw, ohpanel);

constexpr double StartReleaseTicks = 54;

struct State {
    Deadline startRelease;  // START springs back to RUN when it fires
    PanelLighting lighting{ohpanel};
};
State st;

constinit SimTable simvars{sim::TickCount, sim::MasterBattery};

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x2000),
    icon(0x1100, {150, 192}, 2, battsw),
    icon(0x1200, {38, 166}, 2, emerpwrsw),
    icon(0x1300, {144, 154}, 2, [] { return lightstestsw.get() == 1 || emerpwrsw.get() == 1; }).alwaysLit(),
    icon(0x1400, {129, 77}, 3, apustartsw),
    icon(0x1500, {191, 58}, 5, apudoorsw),
    icon(0x1600, {48, 87}, 2, apufirecontsw),
    icon(0x1700, {145, 22}, 3, apuairsw),
    icon(0x1800, {38, 22}, 2, apufireagent1sw),
    icon(0x1900, {98, 22}, 2, apufireagent2sw),
};

using StartSwitch = shared::apustartsw;

void batterySwitch() {
    toggle(battsw);
    followToggle(battsw.get(), simvars[sim::MasterBattery], key::MasterBatteryToggle);
}

void startSwitchOn() {
    if (apustartsw.get() == StartSwitch::Off) {
        apustartsw.set(StartSwitch::Run);
    } else if (apustartsw.get() == StartSwitch::Run) {
        apustartsw.set(StartSwitch::Start);
        st.startRelease.arm(simvars[sim::TickCount], StartReleaseTicks);
    }
}

void startSwitchBack() {
    if (apustartsw.get() == StartSwitch::Start) {
        apustartsw.set(StartSwitch::Run);
        st.startRelease.disarm();
    } else if (apustartsw.get() == StartSwitch::Run) {
        apustartsw.set(StartSwitch::Off);
    }
}

void doorTop() { apudoorsw.set(apudoorsw.get() == 0 ? 1 : 0); }

void doorMiddle() {
    const u32 p = apudoorsw.get();
    if (p == 2)
        apudoorsw.set(1);
    else if (p != 0)
        apudoorsw.set(2);
}

// Lower left and lower right: from 1 to the middle, from the middle to their own position.
template <u32 Position>
void doorLower() {
    if (apudoorsw.get() == 1)
        apudoorsw.set(2);
    else if (apudoorsw.get() == 2)
        apudoorsw.set(Position);
}

constinit Areas areas{
    press<batterySwitch>({154, 192, 30, 60}),
    toggleArea<emerpwrsw>({39, 177, 76, 74}),
    press<startSwitchOn>({128, 116, 35, 26}),
    press<startSwitchBack>({128, 82, 36, 34}),
    press<doorTop>({192, 49, 49, 30}),
    press<doorLower<3>>({188, 112, 27, 47}),
    press<doorLower<4>>({216, 112, 30, 47}),
    press<doorMiddle>({188, 80, 58, 31}),
    toggleArea<apufirecontsw>({44, 80, 40, 67}),
    press<[] { stepUp(apuairsw, 2); }>({142, 48, 35, 23}),
    press<[] { stepDown(apuairsw); }>({142, 22, 35, 25}),
    toggleArea<apufireagent1sw>({39, 25, 27, 45}),
    toggleArea<apufireagent2sw>({98, 25, 29, 44}),
};

void update() {
    if (st.startRelease.due(simvars[sim::TickCount]) && apustartsw.get() == StartSwitch::Start)
        apustartsw.set(StartSwitch::Run);
    st.lighting.follow();
}

void reset() {
    st = {};
    setAll(0, battsw, emerpwrsw, apustartsw, apudoorsw, apufirecontsw, apuairsw, apufireagent1sw, apufireagent2sw,
           lightstestsw, ohpanel);
}
}  // namespace

TJ20_GAUGE(rl_tj20_apucntrl, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
