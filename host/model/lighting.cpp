// Lights: toggles flip the light state the panel reads back; on and off commands set
// host-only light states (tj20host/sim_ids.h) that no gauge reads but the trace shows.
#include "tj20/ids.h"
#include "tj20host/model.h"
#include "tj20host/sim_ids.h"

namespace tj20::host {

namespace {
void flip(SimState& sim, std::uint32_t id) { sim.set(id, sim.get(id) != 0.0 ? 0.0 : 1.0); }
}  // namespace

void addLightingModel(SimModel& m) {
    m.onKey(key::AntiCollisionLightToggle, [](SimState& s, std::uint32_t) { flip(s, sim::AntiCollisionLight); });
    m.onKey(key::TaxiLightToggle, [](SimState& s, std::uint32_t) { flip(s, sim::TaxiLight); });
    m.onKey(key::TurnoffLightToggle, [](SimState& s, std::uint32_t) { flip(s, sim::TurnoffLight); });
    m.onKey(key::LandingLightsOn, [](SimState& s, std::uint32_t) { s.set(sim::LandingLights, 1.0); });
    m.onKey(key::LandingLightsOff, [](SimState& s, std::uint32_t) { s.set(sim::LandingLights, 0.0); });
    m.onKey(key::NavigationLightsOn, [](SimState& s, std::uint32_t) { s.set(sim::NavigationLights, 1.0); });
    m.onKey(key::NavigationLightsOff, [](SimState& s, std::uint32_t) { s.set(sim::NavigationLights, 0.0); });
    m.onKey(key::PanelLightsOn, [](SimState& s, std::uint32_t) { s.set(sim::PanelLights, 1.0); });
    m.onKey(key::PanelLightsOff, [](SimState& s, std::uint32_t) { s.set(sim::PanelLights, 0.0); });
}

}  // namespace tj20::host
