// Engines: fuel, starter and throttle drive each engine's spools, and what the engine
// instruments read follows from them.
//
// An engine answers to this model from the first fuel-on or starter command it receives
// (sim::Engine1Modelled, sim::Engine2Modelled become 1.0); until then its values stay
// whatever a test or scenario set (a fuel lever sending cut-off on every update only keeps
// its valve closed). Scenarios can set any of the values below directly at any time; the
// model carries on from what it finds.
//
// Commands (key events, value ignored):
// - fuel on (key::Engine1FuelOn, key::Engine2FuelOn) and fuel cut-off (key::Engine1FuelCutoff,
//   key::Engine2FuelCutoff) set the engine's fuel valve (sim::Engine1FuelValve, ...), 1.0 open;
// - the starter (key::Engine1Starter, key::Engine2Starter) engages the starter for the next
//   model step only (sim::Engine1StarterEngaged, ...): a start switch holding the starter
//   sends it on every update.
// - the throttle levers (sim::Throttle1Lever, sim::Throttle2Lever, 0 idle to 16383; reverse,
//   below 0, counts as idle) set the speed a running engine settles at.
//
// Every tick (the step is split into whole ticks and a remainder, so one step of 3 ticks ends
// exactly where three steps of 1 end), for each modelled engine:
// - The engine burns while its fuel valve is open and N2 is at or above the light-off speed,
//   20 %. Burning, N2 moves by 0.1 % per tick towards its set speed: idle 58 % plus 42 %
//   times the throttle fraction (100 % at full throttle). Not burning, the starter (while
//   engaged) turns N2 up by 0.1 % per tick to 28 % and holds it there; without it N2 falls
//   by 0.2 % per tick to 0. So the starter takes 240 ticks to 24 %, an engine with fuel
//   lights off at 20 % and reaches idle 380 ticks later; a cut-off engine stops from idle
//   in 290 ticks.
// - N1 follows N2: half of N2 up to idle (29 % at idle), then linearly to 100 % at 100 % N2.
// - EPR input (what the EPR gauges convert): 44 + 0.005 x N1^2 (1.0 displayed at rest on a
//   standard day, about 2.0 at 100 % N1).
// - Fuel flow, pounds per hour: 0 unless burning; 900 at idle, in proportion to N2 below it,
//   rising linearly to 9000 at 100 % N2.
// - EGT, degrees Rankine: moves by at most 5 per tick towards its target: the outside air
//   temperature (sim::OutsideAirTemperature, °C) when not burning; burning, 700 above it at
//   idle (in proportion to N2 below idle) plus 10 per percent of N2 above idle.
// - Oil pressure, pounds per square foot: 45 psi at idle, in proportion to N2 below it, plus
//   0.25 psi per percent of N2 above idle (55 psi at 100 %), times 144.
//
// Engine 1 fuel available (sim::Engine1FuelAvailable) becomes 1.0 when the tank engine 1
// feeds from under the fuel selector (see fuel.cpp) holds fuel and 0.0 when it runs dry,
// whether or not the model runs the engine; while the tanks stay empty it keeps the value a
// scenario set (sim::Engine1FeedTankSeen remembers what the model last saw: 0 nothing yet,
// 1 dry, 2 fuel). The model does not stop an engine whose tank runs dry: the fuel lever that
// reads this value cuts it off.
#include <algorithm>
#include <array>

#include "tj20/ids.h"
#include "tj20host/model.h"
#include "tj20host/sim_ids.h"

namespace tj20::host {

namespace {

// One engine's identifiers.
struct Engine {
    SimVar n1, n2, eprInput, fuelFlow, egt, oilPressure, throttle;
    SimVar modelled, fuelValve, starter;
    KeyEvent fuelOn, fuelCutoff, starterEvent;
};
constexpr Engine engines[] = {
    {sim::Engine1N1, sim::Engine1N2, sim::Engine1EprInput, sim::Engine1FuelFlow, sim::Engine1Egt,
     sim::Engine1OilPressure, sim::Throttle1Lever, sim::Engine1Modelled, sim::Engine1FuelValve,
     sim::Engine1StarterEngaged, key::Engine1FuelOn, key::Engine1FuelCutoff, key::Engine1Starter},
    {sim::Engine2N1, sim::Engine2N2, sim::Engine2EprInput, sim::Engine2FuelFlow, sim::Engine2Egt,
     sim::Engine2OilPressure, sim::Throttle2Lever, sim::Engine2Modelled, sim::Engine2FuelValve,
     sim::Engine2StarterEngaged, key::Engine2FuelOn, key::Engine2FuelCutoff, key::Engine2Starter},
};

constexpr double LightOff = 20;  // N2 percent at which an engine with fuel lights
constexpr double IdleN2 = 58, FullN2 = 100;
constexpr double SpoolRate = 0.1;      // N2 percent per tick, burning or on the starter
constexpr double SpoolDownRate = 0.2;  // N2 percent per tick without fuel or starter
constexpr double StarterTop = 28;      // N2 percent the starter alone reaches
constexpr double IdleN1 = 29;
constexpr double IdleFuelFlow = 900, FullFuelFlow = 9000;  // pounds per hour
constexpr double RankineAtZeroCelsius = 491.67;
constexpr double IdleEgtRise = 700, EgtRisePerPercent = 10, EgtRate = 5;  // degrees Rankine
constexpr double IdleOilPsi = 45, OilPsiPerPercent = 0.25, SquareInchesPerFoot = 144;
constexpr double FullThrottle = 16383;
constexpr double EprInputAtRest = 44, EprInputPerN1Squared = 0.005;
constexpr double MaxStepTicks = 10000;  // the most of one step the engines follow tick by tick

double towards(double value, double target, double step) {
    return value < target ? std::min(value + step, target) : std::max(value - step, target);
}

double aboveIdle(double n2) { return std::max(0.0, n2 - IdleN2); }
double belowIdleShare(double n2) { return std::clamp(n2 / IdleN2, 0.0, 1.0); }

// One tick, or part of one (dt <= 1), of one engine.
void tick(SimState& s, const Engine& e, double dt) {
    double n2 = s.get(e.n2);
    const bool burning = s.get(e.fuelValve) == 1.0 && n2 >= LightOff;
    if (burning) {
        const double throttle = std::clamp(s.get(e.throttle) / FullThrottle, 0.0, 1.0);
        n2 = towards(n2, IdleN2 + (FullN2 - IdleN2) * throttle, SpoolRate * dt);
    } else if (s.get(e.starter) == 1.0) {
        n2 =
            n2 < StarterTop ? std::min(n2 + SpoolRate * dt, StarterTop) : std::max(n2 - SpoolDownRate * dt, StarterTop);
    } else {
        n2 = std::max(n2 - SpoolDownRate * dt, 0.0);
    }
    s.set(e.n2, n2);

    const double n1 = n2 <= IdleN2 ? n2 * IdleN1 / IdleN2 : IdleN1 + aboveIdle(n2) * (100 - IdleN1) / (FullN2 - IdleN2);
    s.set(e.n1, n1);
    s.set(e.eprInput, EprInputAtRest + EprInputPerN1Squared * n1 * n1);
    const double flow =
        IdleFuelFlow * belowIdleShare(n2) + aboveIdle(n2) * (FullFuelFlow - IdleFuelFlow) / (FullN2 - IdleN2);
    s.set(e.fuelFlow, burning ? flow : 0.0);
    const double ambient = RankineAtZeroCelsius + 1.8 * s.get(sim::OutsideAirTemperature);
    const double hot = ambient + IdleEgtRise * belowIdleShare(n2) + EgtRisePerPercent * aboveIdle(n2);
    // An engine the model takes over with no temperature set starts from the outside air's.
    const double egt = s.get(e.egt) == 0.0 ? ambient : s.get(e.egt);
    s.set(e.egt, towards(egt, burning ? hot : ambient, EgtRate * dt));
    s.set(e.oilPressure, (IdleOilPsi * belowIdleShare(n2) + OilPsiPerPercent * aboveIdle(n2)) * SquareInchesPerFoot);
}

// The tank engine 1 feeds from under the fuel selector, as the fuel part burns it.
std::uint32_t engine1FeedTank(double selector) {
    if (selector == 2) return sim::RightTankQuantity;
    if (selector == 3) return sim::CentreTankQuantity;
    return sim::LeftTankQuantity;  // both wing tanks (0), or the left one (1)
}

// Engine 1's fuel available follows its feed tank when the tank fills or runs dry (or the
// selector moves to a tank that differs); in between it keeps what a scenario set.
void followFeedTank(SimState& s) {
    constexpr double Dry = 1, Fuelled = 2;
    const double now = s.get(engine1FeedTank(s.get(sim::FuelSelector))) > 0 ? Fuelled : Dry;
    const double before = s.get(sim::Engine1FeedTankSeen);
    if (now == Fuelled && before != Fuelled) s.set(sim::Engine1FuelAvailable, 1.0);
    if (now == Dry && before == Fuelled) s.set(sim::Engine1FuelAvailable, 0.0);
    s.set(sim::Engine1FeedTankSeen, now);
}

// What a tick moves, bit for bit: once a whole tick leaves it all as it was, the engine has
// settled and the rest of the step would change nothing.
std::array<std::uint64_t, 6> moved(const SimState& s, const Engine& e) {
    return {s.bits(e.n1), s.bits(e.n2), s.bits(e.eprInput), s.bits(e.fuelFlow), s.bits(e.egt), s.bits(e.oilPressure)};
}

void step(SimState& s, double ticks) {
    followFeedTank(s);
    for (const Engine& e : engines) {
        if (s.get(e.modelled) != 1.0) continue;
        // An engine settles within a few thousand ticks from any state an aircraft can be in;
        // one that does not (values no simulator sends: an exhaust a million degrees hot) moves
        // for the first MaxStepTicks of a step only, so a step of any length ends.
        for (double left = std::min(ticks, MaxStepTicks); left > 0; left -= 1) {
            const auto before = moved(s, e);
            tick(s, e, std::min(left, 1.0));
            if (moved(s, e) == before) break;
        }
        s.set(e.starter, 0.0);
    }
}
}  // namespace

void addEngineModel(SimModel& m) {
    for (const Engine& e : engines) {
        m.onKey(e.fuelOn, [&e](SimState& s, std::uint32_t) {
            s.set(e.modelled, 1.0);
            s.set(e.fuelValve, 1.0);
        });
        m.onKey(e.fuelCutoff, [&e](SimState& s, std::uint32_t) { s.set(e.fuelValve, 0.0); });
        m.onKey(e.starterEvent, [&e](SimState& s, std::uint32_t) {
            s.set(e.modelled, 1.0);
            s.set(e.starter, 1.0);
        });
    }
    m.onStep(Subsystem::Engines, step);
}

}  // namespace tj20::host
