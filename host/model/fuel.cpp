// Fuel feed: the tank selector and the engines' burn.
//
// - The selector events choose the tanks the engines feed from: ALL both wing tanks (each
//   engine its own side), LEFT the left wing tank, RIGHT the right wing tank, CENTER the
//   centre tank. The selection is kept in FuelSelector; before any event it reads 0, ALL.
// - Every cycle each running engine (N2 above 50 percent) burns 0.25 US gallons from the
//   selected tank; under ALL engine 1 burns from the left tank and engine 2 from the right.
//   The burn is deliberately fast (a tank of a few gallons lasts a few dozen cycles) so a
//   scenario can watch a tank run dry. A tank never goes below exactly 0; an engine whose
//   tank is dry burns nothing (the simulator does not stop it: no gauge reads that).
// - The wing tank quantities are kept only here; the centre tank quantity is the one the
//   fuel pump panel reads. Set them (and N2) directly to start a run.
#include <algorithm>

#include "tj20/ids.h"
#include "tj20host/model.h"

namespace tj20::host {

namespace {
// Host-side fuel state that no gauge reads.
constexpr std::uint32_t FuelSelector = 0x1c10;       // 0 ALL, 1 LEFT, 2 RIGHT, 3 CENTER
constexpr std::uint32_t LeftTankQuantity = 0x1c11;   // fuel in the left wing tank, US gallons
constexpr std::uint32_t RightTankQuantity = 0x1c12;  // fuel in the right wing tank, US gallons

constexpr double SelectAll = 0, SelectLeft = 1, SelectRight = 2, SelectCentre = 3;
constexpr double RunningN2 = 50.0;     // percent: above it an engine runs and burns fuel
constexpr double BurnPerCycle = 0.25;  // US gallons per running engine per cycle

void burn(SimState& s, std::uint32_t tank) { s.set(tank, std::max(0.0, s.get(tank) - BurnPerCycle)); }

// The tank an engine feeds from under the current selection; `ownSide` is its wing tank.
std::uint32_t feedTank(double selector, std::uint32_t ownSide) {
    if (selector == SelectLeft) return LeftTankQuantity;
    if (selector == SelectRight) return RightTankQuantity;
    if (selector == SelectCentre) return sim::CentreTankQuantity;
    return ownSide;
}
}  // namespace

void addFuelModel(SimModel& m) {
    m.onKey(key::FuelSelectorAll, [](SimState& s, std::uint32_t) { s.set(FuelSelector, SelectAll); });
    m.onKey(key::FuelSelectorLeft, [](SimState& s, std::uint32_t) { s.set(FuelSelector, SelectLeft); });
    m.onKey(key::FuelSelectorRight, [](SimState& s, std::uint32_t) { s.set(FuelSelector, SelectRight); });
    m.onKey(key::FuelSelectorCentre, [](SimState& s, std::uint32_t) { s.set(FuelSelector, SelectCentre); });

    m.everyCycle([](SimState& s) {
        const double selector = s.get(FuelSelector);
        if (s.get(sim::Engine1N2) > RunningN2) burn(s, feedTank(selector, LeftTankQuantity));
        if (s.get(sim::Engine2N2) > RunningN2) burn(s, feedTank(selector, RightTankQuantity));
    });
}

}  // namespace tj20::host
