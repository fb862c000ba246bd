// GA button of the throttle quadrant. Pressed on the ground at low speed it starts the
// takeoff mode ("fmato", shown as TAK OFF and ended by the guidance panel): wings level,
// altitude hold and a 2000 ft/min climb target. Anywhere else it commands takeoff/go-around
// thrust, from which the guidance panel enters its go-around mode.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(fmato);

constexpr double TakeoffModeBelowKnots = 60;  // from 60 knots on, GA means go-around thrust even on the ground
constexpr u32 TakeoffClimbFeetPerMinute = 2000;

// The wings leveler and the selected altitude ride along unread.
constinit SimTable simvars{sim::OnGround, sim::IndicatedAirspeed, sim::WingsLevelHold, sim::SelectedAltitude};

constinit Chain elements{image(0x100)};

void gaPressed() {
    if (simvars[sim::OnGround] == 1.0 && simvars[sim::IndicatedAirspeed] < TakeoffModeBelowKnots) {
        fmato.set(1);
        send(key::WingsLevelEngage);
        send(key::AltitudeHoldEngage);
        send(key::VerticalSpeedSet, TakeoffClimbFeetPerMinute);
    } else {
        send(key::TakeoffGoAroundOn);
    }
}

constinit Areas areas{press<gaPressed>({0, 0, 29, 29})};

void reset() { fmato.set(0); }
}  // namespace

TJ20_GAUGE(rl_tj20_main_goaround_sw, .sim = simvars, .elements = elements, .areas = areas, .reset = reset)
