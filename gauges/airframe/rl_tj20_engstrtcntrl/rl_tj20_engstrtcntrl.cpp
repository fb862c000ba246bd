// Engine start panel: the two engine start switches, the two fuel heat push buttons, the
// start (DC fuel) pump switch, the ignition selector and the pneumatic duct pressure gauge.
//
// Duct pressure ("pneupress", psi) climbs by 1 per update to 40 while APU air (APU above
// 190 with its air switch on) or an engine's bleed (N2 above 35 with its crossfeed valve
// open) feeds the duct, and bleeds down by 1 per update while none does. At exactly 190, or
// an N2 of exactly 35, a source neither feeds the duct nor lets it bleed.
//
// A start switch at START holds its engine's starter: from 26 psi up, while the engine's N2
// is below 24 %, its crossfeed valve is open and the ignition selector is off position 1,
// the starter event goes out on every update.
//
// Fuel heat: a push lights the button for 12 ticks; a push while it is lit does nothing. Both
// are lit when the panel comes up and go out 12 ticks later, on the first update at or past
// that tick, like a push.
//
// Switching sequences:
//   Start switch (0 OFF, 1, 2 START): upper half 1 -> 2, any other -> 1;
//                                     lower half 0 -> 1, 1 or 2 -> 0.
//   Ignition selector (0 to 4): right arrow one up, left arrow one down.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(lstrtvlv, rstrtvlv, lfuelheat, rfuelheat, startpump, ignition, pneupress);
TJ20_BOUND(rpm, apuairsw, lpneuxfd, rpneuxfd, ohpanel);

using StartSwitch = shared::lstrtvlv;
using Valve = shared::lpneuxfd;
using Ignition = shared::ignition;

constexpr u32 ApuAirSpeed = 190;      // APU speed above which its air feeds the duct
constexpr double BleedSpeed = 35;     // N2 percent above which an engine's bleed feeds the duct
constexpr double StarterCutout = 24;  // N2 percent at which the starter lets go
constexpr u32 DuctFull = 40;
constexpr u32 StarterPressure = 26;     // psi a starter needs
constexpr u32 IgnitionPositions = 4;    // highest position
constexpr double FuelHeatTicks = 12.6;  // a push lights the button for this long, truncated

struct State {
    Deadline leftHeat, rightHeat;  // the fuel heat buttons go out when these fire
    PanelLighting lighting{ohpanel};
};
State st;

constinit SimTable simvars{sim::Engine1N2, sim::Engine2N2, sim::TickCount};

constinit NeedleTable ductScale{
    NeedlePoint{0, 147, 109},  NeedlePoint{20, 175, 129}, NeedlePoint{40, 175, 160},
    NeedlePoint{60, 147, 174}, NeedlePoint{80, 118, 160}, NeedlePoint{100, 118, 128},
};

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x1800),
    icon(0x1100, {167, 51}, 3, lstrtvlv),
    icon(0x1200, {208, 51}, 3, rstrtvlv),
    icon(0x1900, {33, 102}, 2, lfuelheat),
    icon(0x2000, {83, 102}, 2, rfuelheat),
    icon(0x1500, {18, 36}, 2, startpump),
    icon(0x1600, {72, 31}, 5, ignition),
    needle(0x1700, {147, 144}, {8, 8}, ductScale, pneupress).litWhen(st.lighting.lit()),
};

template <auto& Switch>
void startSwitchUp() {
    Switch.set(Switch.get() == 1 ? StartSwitch::Start : 1);
}

template <auto& Switch>
void startSwitchDown() {
    Switch.set(Switch.get() == StartSwitch::Off ? 1 : StartSwitch::Off);
}

void push(Owned& heat, Deadline& off) {
    if (heat.get() != 0) return;
    off.arm(simvars[sim::TickCount], FuelHeatTicks);
    heat.set(1);
}

constinit Areas areas{
    press<startSwitchDown<lstrtvlv>>({162, 111, 40, 24}),
    press<startSwitchUp<lstrtvlv>>({162, 53, 41, 57}),
    press<startSwitchDown<rstrtvlv>>({205, 111, 42, 24}, Cursor::UpArrow),
    press<startSwitchUp<rstrtvlv>>({205, 53, 42, 57}),
    press<[] { push(lfuelheat, st.leftHeat); }>({30, 116, 34, 17}),
    press<[] { push(rfuelheat, st.rightHeat); }>({81, 112, 34, 21}),
    toggleArea<startpump>({18, 47, 29, 27}),
    press<[] { stepUp(ignition, IgnitionPositions); }>({102, 30, 30, 61}, Cursor::UpArrow),
    press<[] { stepDown(ignition); }>({73, 30, 28, 61}, Cursor::DownArrow),
};

void duct(double n2Left, double n2Right) {
    const bool apuAir = rpm.get() > ApuAirSpeed && apuairsw.get() != 0;
    const bool leftBleed = n2Left > BleedSpeed && lpneuxfd.get() == Valve::Open;
    const bool rightBleed = n2Right > BleedSpeed && rpneuxfd.get() == Valve::Open;
    if ((apuAir || leftBleed || rightBleed) && pneupress.get() < DuctFull) pneupress.set(pneupress.get() + 1);
    const bool noApuAir = rpm.get() < ApuAirSpeed || apuairsw.get() == 0;
    const bool noLeftBleed = n2Left < BleedSpeed || lpneuxfd.get() == Valve::Closed;
    const bool noRightBleed = n2Right < BleedSpeed || rpneuxfd.get() == Valve::Closed;
    if (noApuAir && noLeftBleed && noRightBleed && pneupress.get() != 0) pneupress.set(pneupress.get() - 1);
}

void starter(const Owned& startSwitch, double n2, const Bound& valve, KeyEvent engage) {
    if (startSwitch.get() == StartSwitch::Start && n2 < StarterCutout && pneupress.get() >= StarterPressure &&
        ignition.get() != Ignition::StartersBlocked && valve.get() == Valve::Open)
        send(engage);
}

void update() {
    const double n2Left = simvars[sim::Engine1N2], n2Right = simvars[sim::Engine2N2];
    duct(n2Left, n2Right);
    starter(lstrtvlv, n2Left, lpneuxfd, key::Engine1Starter);
    starter(rstrtvlv, n2Right, rpneuxfd, key::Engine2Starter);
    st.lighting.follow();
    const double tick = simvars[sim::TickCount];
    if (st.leftHeat.due(tick) && lfuelheat.get() == 1) lfuelheat.set(0);
    if (st.rightHeat.due(tick) && rfuelheat.get() == 1) rfuelheat.set(0);
}

// Start switches off, ignition on position 1, both fuel heat buttons lit for their 12 ticks.
void reset() {
    st = {};
    setAll(0, lstrtvlv, rstrtvlv, startpump, pneupress);
    ignition.set(Ignition::StartersBlocked);
    lfuelheat.set(1);
    rfuelheat.set(1);
    st.leftHeat.arm(simvars[sim::TickCount], FuelHeatTicks);
    st.rightHeat.arm(simvars[sim::TickCount], FuelHeatTicks);
    setAll(0, rpm, apuairsw, lpneuxfd, rpneuxfd, ohpanel);
}
}  // namespace

TJ20_GAUGE(rl_tj20_engstrtcntrl, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
