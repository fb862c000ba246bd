// Electrical power: the simulator's engine generator switches.
//
// - Engine 1 generator toggle (key::Engine1GeneratorToggle) flips sim::Engine1GeneratorSwitch
//   between 1.0 (on) and 0.0 (off); engine 2's toggle flips sim::Engine2GeneratorSwitch. These
//   are the values the generator panel and the bus power panel read back, so a click on the
//   generator switch puts its generator on or off the bus on the next update.
// - Nothing else is modelled: engine N2 (sim::Engine1N2, sim::Engine2N2), which cools the
//   generator drives, stays a plain simulator value that tests and scenarios set; the
//   generators do not depend on it. The battery belongs to the APU part.
#include "tj20/ids.h"
#include "tj20host/model.h"

namespace tj20::host {

namespace {
void flip(SimState& sim, std::uint32_t id) { sim.set(id, sim.get(id) != 0.0 ? 0.0 : 1.0); }
}  // namespace

void addElectricalModel(SimModel& m) {
    m.onKey(key::Engine1GeneratorToggle, [](SimState& s, std::uint32_t) { flip(s, sim::Engine1GeneratorSwitch); });
    m.onKey(key::Engine2GeneratorToggle, [](SimState& s, std::uint32_t) { flip(s, sim::Engine2GeneratorSwitch); });
}

}  // namespace tj20::host
