// Air conditioning panel: the two pack switches, the cockpit (left) and cabin (right)
// temperature selectors, the temperature indicator selector and the radio rack fan switch.
//
// Pack supply pressure ("lpress", "rpress") climbs by 2 per update while a bleed source
// feeds the pack and bleeds down by 2 per update while none does: APU air (APU above 190,
// air switch on) through the pack's own crossfeed valve, the pack's own engine (N2 above
// 35), or the other engine through both crossfeed valves; a pack switched off takes no air.
// The left pack tops out at 240, the right at 250.
//
// Each pack's temperature control valve (0 to 100) walks by 1 per update towards the
// position its selector schedules, once the pack's pressure is above 100: position 1 fully
// closed (0), 2 to 6 at 16, 32, 50, 66, 82, position 7 fully open (100); 0 and 8 leave it.
// Positions 2 to 6 also set a temperature target (1900 to 2620); the supply and cabin
// temperature values are the mean of the two targets. The indicator shows the supply value
// (needle moving 5 per draw) or the cabin value (1 per draw) as the selector chooses.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(lbldsply, rbldsply, lckpttmp, rckpttmp, tempsel, radiorack, aclvalve, acrvalve, cabtemp, cab, cabsply,
           lpress, rpress);
TJ20_BOUND(rpm, apuairsw, lpneuxfd, rpneuxfd, ohpanel, lgencsd, rgencsd, lcsdreset, rcsdreset, apulbuslt, apurbuslt,
           extlbuslt, extrbuslt);

using Pack = shared::lbldsply;
using Valve = shared::lpneuxfd;
using Indicator = shared::tempsel;

constexpr u32 ApuAirSpeed = 190;   // APU speed above which its air feeds the packs
constexpr double BleedSpeed = 35;  // N2 percent above which an engine's bleed feeds the packs
constexpr u32 ValveActiveAbove = 100;
constexpr u32 LeftPackFull = 240, RightPackFull = 250;
constexpr u32 PressureStep = 2;
constexpr u32 SelectorPositions = 8;
constexpr u32 FirstDrawSelector = 4, FirstDrawValve = 50, FirstDrawTemperature = 2260;
constexpr double SupplyStep = 5, SupplyTop = 6000, CabinStep = 1, CabinTop = 6200;

struct State {
    u32 leftTarget = 0, rightTarget = 0;  // temperature targets of the two selectors
    double supplyNeedle = 0, cabinNeedle = 0;
    PanelLighting lighting{ohpanel};
};
State st;

constinit SimTable simvars{sim::Engine1N2, sim::Engine2N2};

constinit NeedleTable leftValveScale{NeedlePoint{0, 16, 56}, NeedlePoint{50, 54, 26}, NeedlePoint{100, 90, 57}};
constinit NeedleTable rightValveScale{NeedlePoint{0, 226, 56}, NeedlePoint{50, 263, 29}, NeedlePoint{100, 301, 57}};
constinit NeedleTable leftPressureScale{
    NeedlePoint{0, 126, 33},    NeedlePoint{100, 159, 54}, NeedlePoint{200, 154, 91},
    NeedlePoint{300, 115, 100}, NeedlePoint{400, 91, 73},  NeedlePoint{500, 109, 37},
};
constinit NeedleTable rightPressureScale{
    NeedlePoint{0, 189, 32},    NeedlePoint{100, 224, 54}, NeedlePoint{200, 218, 91},
    NeedlePoint{300, 177, 101}, NeedlePoint{400, 154, 73}, NeedlePoint{500, 172, 39},
};
constinit NeedleTable cabinScale{NeedlePoint{0, 382, 101}, NeedlePoint{3000, 431, 200}, NeedlePoint{6000, 316, 169}};
constinit NeedleTable supplyScale{NeedlePoint{0, 383, 114}, NeedlePoint{3000, 423, 196}, NeedlePoint{6000, 322, 170}};

double clamp(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }

// An indicator needle walks towards its value by its step on every draw, within its dial.
double walk(double& needle, double value, double step, double top) {
    if (needle < value) needle += step;
    if (needle > value) needle -= step;
    needle = clamp(needle, 0, top);
    return needle;
}

double valvePosition(const Owned& valve) { return clamp(valve.get(), 0, 100); }

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x2600),
    icon(0x1100, {111, 123}, 3, lbldsply),
    icon(0x1200, {177, 123}, 3, rbldsply),
    icon(0x2100, {23, 120}, 9, lckpttmp),
    icon(0x1800, {233, 120}, 9, rckpttmp),
    icon(0x1500, {318, 33}, 2, tempsel),
    icon(0x1600, {404, 48}, 2, radiorack),
    needle(0x1700, {54, 68}, {27, 28}, leftValveScale, [] { return valvePosition(aclvalve); })
        .litWhen(st.lighting.lit()),
    needle(0x2000, {263, 68}, {27, 28}, rightValveScale, [] { return valvePosition(acrvalve); })
        .litWhen(st.lighting.lit()),
    needle(0x2400, {126, 68}, {27, 28}, leftPressureScale, lpress).litWhen(st.lighting.lit()),
    needle(0x2500, {190, 68}, {27, 28}, rightPressureScale, rpress).litWhen(st.lighting.lit()),
    needle(0x2300, {382, 160}, {17, 18}, cabinScale,
           [] { return walk(st.cabinNeedle, cabtemp.get(), CabinStep, CabinTop); })
        .litWhen(st.lighting.lit())
        .visibleWhen([] { return tempsel.get() == Indicator::Cabin; }),
    needle(0x2800, {382, 160}, {17, 18}, supplyScale,
           [] { return walk(st.supplyNeedle, cabsply.get(), SupplyStep, SupplyTop); })
        .litWhen(st.lighting.lit())
        .visibleWhen([] { return tempsel.get() == Indicator::Supply; }),
};

constinit Areas areas{
    press<[] { stepUp(lbldsply, 2); }>({111, 148, 29, 15}),
    press<[] { stepDown(lbldsply); }>({111, 130, 29, 17}),
    press<[] { stepUp(rbldsply, 2); }>({177, 147, 30, 15}),
    press<[] { stepDown(rbldsply); }>({177, 130, 30, 16}),
    press<[] { stepUp(lckpttmp, SelectorPositions); }>({54, 118, 30, 59}, Cursor::UpArrow),
    press<[] { stepDown(lckpttmp); }>({24, 118, 29, 59}, Cursor::DownArrow),
    press<[] { stepUp(rckpttmp, SelectorPositions); }>({264, 118, 32, 60}, Cursor::UpArrow),
    press<[] { stepDown(rckpttmp); }>({234, 118, 29, 60}, Cursor::DownArrow),
    toggleArea<tempsel>({321, 36, 52, 52}),
    toggleArea<radiorack>({403, 59, 30, 26}),
};

// The valve position a selector schedules; nothing for positions 0 and 8 (the valve stays).
constexpr int Unscheduled = -1;
constexpr int valveSchedule[] = {Unscheduled, 0, 16, 32, 50, 66, 82, 100, Unscheduled};
constexpr u32 temperatureTargets[] = {0, 0, 1900, 2080, 2260, 2440, 2620, 0, 0};

void scheduleValve(Owned& valve, const Owned& selector, const Owned& packPressure) {
    if (packPressure.get() <= ValveActiveAbove || selector.get() > SelectorPositions) return;
    const int target = valveSchedule[selector.get()];
    if (target == Unscheduled) return;
    const u32 to = static_cast<u32>(target);
    if (valve.get() > to) valve.set(valve.get() - 1);
    if (valve.get() < to) valve.set(valve.get() + 1);
}

// The air one pack receives: from the APU through its own crossfeed valve, from its own
// engine, or from the other engine through both valves.
struct Sources {
    const Owned& pack;
    const Bound& ownValve;
    const Bound& otherValve;
    double ownN2, otherN2;
    u32 full;
};

void supply(Owned& pressure, const Sources& s) {
    const bool on = s.pack.get() != Pack::Off;
    const bool ownOpen = s.ownValve.get() == Valve::Open, otherOpen = s.otherValve.get() == Valve::Open;
    const bool apu = rpm.get() > ApuAirSpeed && apuairsw.get() != 0 && on && ownOpen;
    const bool ownEngine = s.ownN2 > BleedSpeed && on;
    const bool otherEngine = s.otherN2 > BleedSpeed && on && ownOpen && otherOpen;
    if ((apu || ownEngine || otherEngine) && pressure.get() < s.full) pressure.set(pressure.get() + PressureStep);

    const bool ownClosed = s.ownValve.get() == Valve::Closed, otherClosed = s.otherValve.get() == Valve::Closed;
    const bool noApu = rpm.get() < ApuAirSpeed || apuairsw.get() == 0 || !on || ownClosed;
    const bool noOwnEngine = !on || s.ownN2 < BleedSpeed;
    const bool noOtherEngine = !on || s.otherN2 < BleedSpeed || ownClosed || otherClosed;
    if (noApu && noOwnEngine && noOtherEngine && pressure.get() != 0)
        pressure.set(pressure.get() > PressureStep ? pressure.get() - PressureStep : 0);
}

void target(u32& t, const Owned& selector) {
    if (selector.get() >= 2 && selector.get() <= 6) t = temperatureTargets[selector.get()];
}

void update() {
    const double n2Left = simvars[sim::Engine1N2], n2Right = simvars[sim::Engine2N2];
    scheduleValve(aclvalve, lckpttmp, lpress);
    scheduleValve(acrvalve, rckpttmp, rpress);
    supply(lpress, {lbldsply, lpneuxfd, rpneuxfd, n2Left, n2Right, LeftPackFull});
    supply(rpress, {rbldsply, rpneuxfd, lpneuxfd, n2Right, n2Left, RightPackFull});
    st.lighting.follow();
    target(st.leftTarget, lckpttmp);
    target(st.rightTarget, rckpttmp);
    const u32 mean = (st.leftTarget + st.rightTarget) / 2;
    cabsply.set(mean);
    cabtemp.set(mean);
}

// Packs off, selectors and valves mid-range, temperatures at the mid-range value. The
// electrical variables bound here are only cleared.
void reset() {
    st = {};
    setAll(0, lbldsply, rbldsply, tempsel, radiorack, cab, lpress, rpress);
    setAll(FirstDrawSelector, lckpttmp, rckpttmp);
    setAll(FirstDrawValve, aclvalve, acrvalve);
    setAll(FirstDrawTemperature, cabsply, cabtemp);
    setAll(0, rpm, apuairsw, lpneuxfd, rpneuxfd, ohpanel, lgencsd, rgencsd, lcsdreset, rcsdreset, apulbuslt, apurbuslt,
           extlbuslt, extrbuslt);
}
}  // namespace

TJ20_GAUGE(rl_tj20_aircond, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
