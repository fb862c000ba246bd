// Fuel feed: the tank selector and the engines' burn, kept twice for the gauges that read
// each: from the tanks the selector feeds (gallons, a fast stand-in) and from the fuel on
// board (pounds, at the engines' fuel flow).
//
// - The selector events choose the tanks the engines feed from: ALL both wing tanks (each
//   engine its own side), LEFT the left wing tank, RIGHT the right wing tank, CENTER the
//   centre tank. The selection is kept in FuelSelector; before any event it reads 0, ALL.
// - Each running engine (N2 above 50 percent) burns 0.25 US gallons per tick from the
//   selected tank (so 0.25 per cycle at the usual tick step of 1, 0.5 at a step of 2, none
//   while the clock stands still); under ALL engine 1 burns from the left tank and engine 2
//   from the right. The burn is deliberately fast (a tank of a few gallons lasts a few dozen
//   ticks) so a scenario can watch a tank run dry. A tank never goes below exactly 0; an engine whose
//   tank is dry burns nothing (the simulator does not stop it: no gauge reads that).
// - The selection and the wing tank quantities are host-only values (tj20host/sim_ids.h);
//   the centre tank quantity is the one the fuel pump panel reads. Set them (and N2)
//   directly to start a run.
// - The fuel on board (sim::FuelTotalQuantity, pounds, what the fuel-used counters count
//   from) goes down by the engines' fuel flow (sim::Engine1FuelFlow plus sim::Engine2FuelFlow,
//   pounds per hour) over the simulated time of each step: 18 ticks to the second, so 900 lb/h
//   burns 1 lb in 72 ticks. The flow is the one the engines leave at the end of the step.
//   It never goes below 0; a quantity that reads 0 or less (never set) stays as it is. The
//   tanks above do not add up to it. Refuelling is a scenario setting it higher, which the
//   counters show as negative fuel used.
#include <algorithm>

#include "tj20/ids.h"
#include "tj20host/model.h"
#include "tj20host/sim_ids.h"

namespace tj20::host {

namespace {
using sim::FuelSelector, sim::LeftTankQuantity, sim::RightTankQuantity;

constexpr double SelectAll = 0, SelectLeft = 1, SelectRight = 2, SelectCentre = 3;
constexpr double RunningN2 = 50.0;    // percent: above it an engine runs and burns fuel
constexpr double BurnPerTick = 0.25;  // US gallons per running engine per tick
constexpr double TicksPerHour = 18.0 * 3600.0;

void burn(SimState& s, std::uint32_t tank, double ticks) {
    s.set(tank, std::max(0.0, s.get(tank) - BurnPerTick * ticks));
}

// The tank an engine feeds from under the current selection; `ownSide` is its wing tank.
std::uint32_t feedTank(double selector, std::uint32_t ownSide) {
    if (selector == SelectLeft) return LeftTankQuantity;
    if (selector == SelectRight) return RightTankQuantity;
    if (selector == SelectCentre) return sim::CentreTankQuantity;
    return ownSide;
}

// The fuel on board, burnt at the engines' fuel flow.
void burnFuelOnBoard(SimState& s, double ticks) {
    const double onBoard = s.get(sim::FuelTotalQuantity);
    if (onBoard <= 0) return;
    const double poundsPerHour = s.get(sim::Engine1FuelFlow) + s.get(sim::Engine2FuelFlow);
    s.set(sim::FuelTotalQuantity, std::max(0.0, onBoard - poundsPerHour * ticks / TicksPerHour));
}
}  // namespace

void addFuelModel(SimModel& m) {
    m.onKey(key::FuelSelectorAll, [](SimState& s, std::uint32_t) { s.set(FuelSelector, SelectAll); });
    m.onKey(key::FuelSelectorLeft, [](SimState& s, std::uint32_t) { s.set(FuelSelector, SelectLeft); });
    m.onKey(key::FuelSelectorRight, [](SimState& s, std::uint32_t) { s.set(FuelSelector, SelectRight); });
    m.onKey(key::FuelSelectorCentre, [](SimState& s, std::uint32_t) { s.set(FuelSelector, SelectCentre); });

    m.onStep(Subsystem::Fuel, [](SimState& s, double ticks) {
        const double selector = s.get(FuelSelector);
        if (s.get(sim::Engine1N2) > RunningN2) burn(s, feedTank(selector, LeftTankQuantity), ticks);
        if (s.get(sim::Engine2N2) > RunningN2) burn(s, feedTank(selector, RightTankQuantity), ticks);
        burnFuelOnBoard(s, ticks);
    });
}

}  // namespace tj20::host
