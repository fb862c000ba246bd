// Ice protection panel, which also carries the cabin sign switches: the wing (airfoil), engine,
// windshield and tail de-ice switches, the probe heat selector with its current meter, and the
// SEAT BELTS and NO SMOKING switches.
//
// The engine anti-ice switches keep the simulator's engine anti-ice in step; the probe heat
// selector switches the simulator's pitot heat on at any position but 0 and off at 0, and the
// meter needle moves by 2 per update toward the current of the selected probe. Tail de-ice
// runs for 2700 ticks (150 s) from its button, or until both airfoil switches are off; a
// second press starts the 150 s again. Switching the seat belt sign on, or the no smoking
// sign to its lower position, sounds the cabin chime.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(seatbelts, nosmoking, metersel, lairfoil, rairfoil, lengai, rengai, windshield, meter, taildeice);
TJ20_BOUND(ohpanel);

constexpr double TailDeiceTicks = 2700;
constexpr u32 MeterStep = 2;
constexpr u32 LastProbe = 9;
// Current of each selector position; the meter moves in even steps, so 15 reads 14.
constexpr u32 probeCurrent[LastProbe + 1] = {0, 10, 10, 10, 15, 12, 12, 8, 8, 0};
constexpr const char* Chime = "cab_signs.wav";

struct State {
    Deadline tailDeiceEnd;
    PanelLighting lighting{ohpanel};
};
State st;

constinit SimTable simvars{sim::Engine1AntiIce, sim::Engine2AntiIce, sim::TickCount};

constinit NeedleTable meterScale{
    NeedlePoint{0, 134, 73},  NeedlePoint{10, 143, 60}, NeedlePoint{20, 156, 52},
    NeedlePoint{30, 172, 52}, NeedlePoint{40, 186, 60}, NeedlePoint{50, 193, 73},
};

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x2000),
    icon(0x1100, {29, 93}, 2, seatbelts),
    icon(0x1200, {29, 23}, 3, nosmoking),
    icon(0x1300, {222, 63}, 10, metersel),
    icon(0x1400, {316, 26}, 2, lairfoil),
    icon(0x1500, {401, 26}, 2, rairfoil),
    icon(0x1600, {439, 94}, 2, lengai),
    icon(0x1700, {519, 94}, 2, rengai),
    icon(0x1800, {510, 22}, 3, windshield),
    needle(0x1900, {163, 81}, {5, 11}, meterScale, meter).litWhen(st.lighting.lit()),
};

void seatBelts() {
    if (seatbelts.get() == 1) {
        seatbelts.set(0);
    } else {
        seatbelts.set(1);
        sound::playOnce(Chime);
    }
}

void noSmokingLower() {
    if (nosmoking.get() != 0) {
        nosmoking.set(0);
    } else {
        nosmoking.set(2);
        sound::playOnce(Chime);
    }
}

void noSmokingUpper() { nosmoking.set(nosmoking.get() == 0 ? 1 : 0); }

template <Owned& Switch, SimVar AntiIce, KeyEvent Toggle>
void engineAntiIce() {
    toggle(Switch);
    followToggle(Switch.get(), simvars[AntiIce], Toggle);
}

template <u32 Position>
void windshieldSwitch() {
    windshield.set(windshield.get() == 0 ? Position : 0);
}

// Each click commands the pitot heat again, even at the selector's end stops.
void probeHeatUp() {
    stepUp(metersel, LastProbe);
    if (metersel.get() != shared::metersel::Off) send(key::PitotHeatOn);
}
void probeHeatDown() {
    stepDown(metersel);
    if (metersel.get() == shared::metersel::Off) send(key::PitotHeatOff);
}

void tailDeice() {
    st.tailDeiceEnd.arm(simvars[sim::TickCount], TailDeiceTicks);
    taildeice.set(1);
}

constinit Areas areas{
    press<seatBelts>({28, 95, 30, 46}),
    press<noSmokingLower>({26, 49, 35, 25}),
    press<noSmokingUpper>({26, 18, 35, 30}),
    toggleArea<lairfoil>({314, 29, 33, 46}),
    toggleArea<rairfoil>({399, 29, 33, 45}),
    press<engineAntiIce<lengai, sim::Engine1AntiIce, key::Engine1AntiIceToggle>>({437, 97, 33, 44}),
    press<engineAntiIce<rengai, sim::Engine2AntiIce, key::Engine2AntiIceToggle>>({516, 97, 34, 46}),
    press<windshieldSwitch<1>>({504, 33, 44, 26}),
    press<windshieldSwitch<2>>({504, 60, 44, 24}),
    press<probeHeatUp>({256, 64, 38, 70}, Cursor::UpArrow),
    press<probeHeatDown>({223, 64, 32, 70}, Cursor::DownArrow),
    press<tailDeice>({356, 100, 30, 34}),
};

// In one update the meter tries a step up, then a step down, so it settles within one step of
// an odd current; it never goes below 0.
void moveMeter() {
    const u32 target = metersel.get() <= LastProbe ? probeCurrent[metersel.get()] : 0;
    if (meter.get() < target) meter.set(meter.get() + MeterStep);
    if (meter.get() > target) meter.set(meter.get() > MeterStep ? meter.get() - MeterStep : 0);
}

void update() {
    moveMeter();
    st.lighting.follow();
    if (st.tailDeiceEnd.due(simvars[sim::TickCount])) taildeice.set(0);
    if (lairfoil.get() == 0 && rairfoil.get() == 0) taildeice.set(0);
}

void reset() {
    st = {};
    setAll(0, seatbelts, nosmoking, metersel, lairfoil, rairfoil, lengai, rengai, windshield, meter, taildeice,
           ohpanel);
}
}  // namespace

TJ20_GAUGE(rl_tj20_iceprotect, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
