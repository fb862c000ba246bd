// Overhead annunciator panel: 41 legend lights that gather the state of the electrical, APU,
// engine start, fuel, anti-ice, hydraulic, flight control, brake, fire detection and cabin
// systems from the gauges that publish it and from the simulator. It commands nothing and
// cannot be clicked.
//
// Every light is one legend image, shown while its condition holds and always drawn lit. The
// lights test ("lightstestsw") shows every light but the two fuel heat lights, which follow
// their switches alone: each comes on with its switch and stays on until 1080 ticks (one
// minute) after it was switched on, however briefly the switch was held. The hydraulic
// pressure lights come on below 900 psi and go out above 1000 psi, so a pressure hovering
// between the two does not make them flicker.
#include <cstdint>
#include <iterator>
#include <utility>

#include "tj20/gauge.h"

namespace {
using namespace tj20;

// The generator controls and "rhydactive" light nothing here: they are bound only to be
// cleared at the first draw, with the rest.
TJ20_BOUND(rpm, apustartsw, lstrtvlv, rstrtvlv, pneupress, lgencsd, rgencsd, lcsdreset, rcsdreset, lengfire, rengfire,
           lfwdfuelpumpsw, laftfuelpumpsw, cfwdfuelpumpsw, caftfuelpumpsw, rfwdfuelpumpsw, raftfuelpumpsw, fuelxfd,
           startpump, lfuelheat, rfuelheat, emerlts, cabinalt, radiorack, engsync, lhydactive, lightstestsw, apulbuslt,
           apurbuslt, antiskidtest, antiskidsw, rhydactive, lhydlowactive, rhydlowactive, gpwstest, lhydpressure,
           rhydpressure, rudhyd, lairfoil, rairfoil, taildeice, extlbuslt, extrbuslt, emerpwrsw);

constinit SimTable simvars{
    sim::TickCount, sim::IndicatedAirspeed, sim::Engine1GeneratorSwitch, sim::Engine2GeneratorSwitch,
    sim::Engine1N2, sim::Engine2N2,         sim::Engine1AntiIce,         sim::Engine2AntiIce,
    sim::PitotHeat, sim::YawDamper,         sim::ParkingBrake,           sim::SpeedBrakeHandle,
    sim::LeftFlap,  sim::RightFlap,         sim::SpoilerSurface,         sim::ElevatorSurface,
};

constexpr double FuelHeatTicks = 1080;
constexpr u32 HydraulicLowOn = 900, HydraulicLowOff = 1000;  // psi: on below, off above
constexpr u32 RudderManualBelow = 950;                       // psi of the right system
constexpr u32 ApuStarterOffAbove = 76, ApuStarterShownBelow = 75;
constexpr u32 ApuGenOffFrom = 191, ApuGenOffTo = 219;  // APU speed: turning but not yet on a bus
constexpr u32 ApuOilLowFrom = 2, ApuOilLowTo = 69;
constexpr u32 StartValvePressure = 20;
constexpr u32 CabinAltitudeLimit = 10000;     // feet
constexpr double RudderRestrictedFrom = 180;  // knots
constexpr double ParkingBrakeSet = 10000, SpeedBrakeOut = 4801, FlapsOut = 410;
constexpr double OilPressureLow = 8;  // N2 percent below which the engine's oil and CSD oil read low
constexpr std::int32_t ElevatorPowered = -300;
constexpr float SpoilerOut = 280;
using FireHandle = shared::lengfire;
using StartValve = shared::lstrtvlv;
using StartSwitch = shared::apustartsw;

struct FuelHeat {
    bool on = false;
    Deadline end;
};

struct State {
    bool apuStarting = false;  // START selected and the APU not yet past 76
    bool leftHydLow = false, rightHydLow = false;
    FuelHeat leftFuelHeat, rightFuelHeat;
    std::int32_t elevator = 0;  // elevator surface × 1000, truncated
    float spoiler = 0;          // spoiler surface × 1000
};
State st;

bool on(const Bound& v) { return v.get() == 1; }
bool lightsTest() { return on(lightstestsw); }
bool between(u32 v, u32 lo, u32 hi) { return v >= lo && v <= hi; }
bool fireWarning(const Bound& handle) { return between(handle.get(), FireHandle::StowedFire, FireHandle::Agent2Fire); }

// The left engine feeds from the centre and left pumps, or from the right side and the start
// pump through the crossfeed; the right engine from the centre and right pumps and the start
// pump, or from the left side through the crossfeed.
bool leftEngineFed() {
    return on(caftfuelpumpsw) || on(cfwdfuelpumpsw) || on(lfwdfuelpumpsw) || on(laftfuelpumpsw) ||
           (on(fuelxfd) && (on(raftfuelpumpsw) || on(rfwdfuelpumpsw) || on(startpump)));
}
bool rightEngineFed() {
    return on(cfwdfuelpumpsw) || on(startpump) || on(caftfuelpumpsw) || on(rfwdfuelpumpsw) || on(raftfuelpumpsw) ||
           (on(fuelxfd) && (on(laftfuelpumpsw) || on(lfwdfuelpumpsw)));
}

// No generator on line, no APU or external power on either bus, emergency power off.
bool emergencyBusUnpowered() {
    return simvars[sim::Engine1GeneratorSwitch] == 0.0 && simvars[sim::Engine2GeneratorSwitch] == 0.0 &&
           apulbuslt.get() == 0 && apurbuslt.get() == 0 && extlbuslt.get() == 0 && extrbuslt.get() == 0 &&
           emerpwrsw.get() == 0;
}

bool airfoilAntiIce() { return on(lairfoil) || on(rairfoil); }

// A fuel heat light is evaluated when drawn: switching on starts its minute.
bool fuelHeatShown(FuelHeat& heat, const Bound& sw) {
    if (on(sw) && !heat.on) {
        heat.on = true;
        heat.end.arm(simvars[sim::TickCount], FuelHeatTicks);
    }
    return heat.on;
}

bool antiSkidShown() { return antiskidsw.get() == shared::antiskidsw::Off || on(antiskidtest); }

// One light: where it sits, its legend, whether the lights test shows it, and when it is shown.
struct Light {
    Point at;
    const char* legend;
    bool tested;
    bool (*shown)();
};
constexpr bool Tested = true, Untested = false;

constexpr Light lights[] = {
    {{150, 5}, "L ENG ANTI-ICE ON", Tested, [] { return simvars[sim::Engine1AntiIce] == 1.0; }},
    {{223, 5}, "R ENG ANTI-ICE ON", Tested, [] { return simvars[sim::Engine2AntiIce] == 1.0; }},
    {{297, 5}, "L FUEL HEAT ON", Untested, [] { return fuelHeatShown(st.leftFuelHeat, lfuelheat); }},
    {{370, 6}, "R FUEL HEAT ON", Untested, [] { return fuelHeatShown(st.rightFuelHeat, rfuelheat); }},
    {{444, 6}, "YAW DAMP OFF", Tested, [] { return simvars[sim::YawDamper] == 0.0; }},
    {{588, 6},
     "RUDDER TRAVEL UNRESTRICTED",
     Tested,
     [] { return simvars[sim::IndicatedAirspeed] < RudderRestrictedFrom; }},
    {{734, 6}, "ELEVATOR PWR ON", Tested, [] { return on(lhydactive) && st.elevator < ElevatorPowered; }},
    {{806, 6},
     "SPOILER DEPLOYED",
     Tested,
     [] { return (on(lhydlowactive) || on(rhydlowactive)) && (st.spoiler < -SpoilerOut || st.spoiler > SpoilerOut); }},
    {{5, 31}, "RADIO FAN OFF", Tested, [] { return radiorack.get() != 0; }},
    {{151, 31}, "WING ANTI-ICE ON", Tested, [] { return airfoilAntiIce() && taildeice.get() == 0; }},
    {{225, 31}, "TAIL DE-ICE ON", Tested, [] { return on(taildeice) && airfoilAntiIce(); }},
    {{298, 30}, "ENG SYNC ON", Tested, [] { return engsync.get() != 0; }},
    {{735, 31}, "PARKING BRAKES ON", Tested, [] { return simvars[sim::ParkingBrake] > ParkingBrakeSet; }},
    {{807, 31}, "RUDDER CONTROL MANUAL", Tested, [] { return rhydpressure.get() < RudderManualBelow || on(rudhyd); }},
    {{5, 55},
     "APU GEN OFF",
     Tested,
     [] { return between(rpm.get(), ApuGenOffFrom, ApuGenOffTo) && !on(apulbuslt) && !on(apurbuslt); }},
    {{224, 55}, "PITOT / STALL HEATER OFF", Tested, [] { return simvars[sim::PitotHeat] == 0.0; }},
    {{296, 55},
     "L START VALVE OPEN",
     Tested,
     [] { return lstrtvlv.get() == StartValve::Start && pneupress.get() > StartValvePressure; }},
    {{369, 55},
     "R START VALVE OPEN",
     Tested,
     [] { return rstrtvlv.get() == StartValve::Start && pneupress.get() > StartValvePressure; }},
    {{588, 55}, "APU STARTER ON", Tested, [] { return rpm.get() < ApuStarterShownBelow && st.apuStarting; }},
    {{661, 55},
     "SPEED BRAKE EXTENDED",
     Tested,
     [] {
         return simvars[sim::SpeedBrakeHandle] > SpeedBrakeOut &&
                (simvars[sim::RightFlap] > FlapsOut || simvars[sim::LeftFlap] > FlapsOut);
     }},
    {{5, 105}, "L GEN OFF", Tested, [] { return simvars[sim::Engine1GeneratorSwitch] == 0.0; }},
    {{78, 105}, "R GEN OFF", Tested, [] { return simvars[sim::Engine2GeneratorSwitch] == 0.0; }},
    {{296, 104}, "L OIL PRESS LOW", Tested, [] { return simvars[sim::Engine1N2] < OilPressureLow; }},
    {{369, 104}, "R OIL PRESS LOW", Tested, [] { return simvars[sim::Engine2N2] < OilPressureLow; }},
    {{587, 105}, "FIRE DETECTOR LOOP", Tested, [] { return fireWarning(lengfire) || fireWarning(rengfire); }},
    {{662, 105}, "APU OIL PRESS LOW", Tested, [] { return between(rpm.get(), ApuOilLowFrom, ApuOilLowTo); }},
    {{735, 105}, "L HYD PRESS LOW", Tested, [] { return st.leftHydLow; }},
    {{808, 105}, "R HYD PRESS LOW", Tested, [] { return st.rightHydLow; }},
    {{5, 129}, "L CSD OIL", Tested, [] { return simvars[sim::Engine1N2] < OilPressureLow; }},
    {{78, 128}, "R CSD OIL", Tested, [] { return simvars[sim::Engine2N2] < OilPressureLow; }},
    {{296, 129}, "L INLET FUEL PRESS LOW", Tested, [] { return !leftEngineFed(); }},
    {{368, 129}, "R INLET FUEL PRESS LOW", Tested, [] { return !rightEngineFed(); }},
    {{441, 129}, "CABIN ALT", Tested, [] { return cabinalt.get() > CabinAltitudeLimit; }},
    {{734, 130}, "L OUTBD ANTI - SKID", Tested, antiSkidShown},
    {{807, 130}, "R OUTBD ANTI - SKID", Tested, antiSkidShown},
    {{5, 154}, "EMER LIGHT NOT ARMED", Tested, [] { return emerlts.get() == 0; }},
    {{443, 154}, "AC EMER BUS OFF", Tested, emergencyBusUnpowered},
    {{516, 154}, "DC EMER BUS OFF", Tested, emergencyBusUnpowered},
    {{661, 154}, "GPWS FAIL", Tested, [] { return on(gpwstest); }},
    {{734, 155}, "L INBD ANTI - SKID", Tested, antiSkidShown},
    {{807, 155}, "R INBD ANTI - SKID", Tested, antiSkidShown},
};
constexpr std::size_t LightCount = std::size(lights);
static_assert(LightCount == 41);

// Light i shows legend bitmap 0x1100 + 0x100 i; the value selects nothing, visibility decides.
template <std::size_t I>
constexpr Element light() {
    return icon(0x1100 + 0x100 * static_cast<abi::u32>(I), lights[I].at, 1, [] { return 0; }).visibleWhen([] {
        return (lights[I].tested && lightsTest()) || lights[I].shown();
    });
}

template <std::size_t... I>
constexpr auto panel(std::index_sequence<I...>) {
    return Chain{image(0x100), light<I>()...};
}
constinit auto elements = panel(std::make_index_sequence<LightCount>{});

// Each update: the APU start latch, the surface values, the end of the fuel heat minutes and
// the hydraulic pressure latches.
void hydraulicLow(bool& low, const Bound& pressure) {
    if (pressure.get() < HydraulicLowOn && !low) low = true;
    if (pressure.get() > HydraulicLowOff && low) low = false;
}

void update() {
    if (apustartsw.get() == StartSwitch::Start) st.apuStarting = true;
    if (rpm.get() > ApuStarterOffAbove) st.apuStarting = false;
    st.elevator = saturate<std::int32_t>(1000 * simvars[sim::ElevatorSurface]);
    st.spoiler = static_cast<float>(simvars[sim::SpoilerSurface] * 1000);
    const double tick = simvars[sim::TickCount];
    for (FuelHeat* heat : {&st.leftFuelHeat, &st.rightFuelHeat})
        if (heat->end.due(tick)) heat->on = false;
    hydraulicLow(st.leftHydLow, lhydpressure);
    hydraulicLow(st.rightHydLow, rhydpressure);
}

void reset() {
    st = {};
    setAll(0, rpm, apustartsw, lstrtvlv, rstrtvlv, pneupress, lgencsd, rgencsd, lcsdreset, rcsdreset, lengfire,
           rengfire, lfwdfuelpumpsw, laftfuelpumpsw, cfwdfuelpumpsw, caftfuelpumpsw, rfwdfuelpumpsw, raftfuelpumpsw,
           fuelxfd, startpump, lfuelheat, rfuelheat, emerlts, cabinalt, radiorack, engsync, lhydactive, lightstestsw,
           apulbuslt, apurbuslt, antiskidtest, antiskidsw, rhydactive, lhydlowactive, rhydlowactive, gpwstest,
           lhydpressure, rhydpressure, rudhyd, lairfoil, rairfoil, taildeice, extlbuslt, extrbuslt, emerpwrsw);
}
}  // namespace

TJ20_GAUGE(rl_tj20_annunpnl, .sim = simvars, .elements = elements, .update = update, .reset = reset)
