// Lights: toggles flip the light state the panel reads back; on and off commands set
// host-side light states that no gauge reads but the trace shows.
#include "tj20/ids.h"
#include "tj20host/model.h"

namespace tj20::host {

namespace {
// Light states that only the simulator keeps (no gauge reads them).
constexpr std::uint32_t LandingLights = 0x1c00;
constexpr std::uint32_t NavigationLights = 0x1c01;
constexpr std::uint32_t PanelLights = 0x1c02;

void flip(SimState& sim, std::uint32_t id) { sim.set(id, sim.get(id) != 0.0 ? 0.0 : 1.0); }
}  // namespace

void addLightingModel(SimModel& m) {
    m.onKey(key::AntiCollisionLightToggle, [](SimState& s, std::uint32_t) { flip(s, sim::AntiCollisionLight); });
    m.onKey(key::TaxiLightToggle, [](SimState& s, std::uint32_t) { flip(s, sim::TaxiLight); });
    m.onKey(key::TurnoffLightToggle, [](SimState& s, std::uint32_t) { flip(s, sim::TurnoffLight); });
    m.onKey(key::LandingLightsOn, [](SimState& s, std::uint32_t) { s.set(LandingLights, 1.0); });
    m.onKey(key::LandingLightsOff, [](SimState& s, std::uint32_t) { s.set(LandingLights, 0.0); });
    m.onKey(key::NavigationLightsOn, [](SimState& s, std::uint32_t) { s.set(NavigationLights, 1.0); });
    m.onKey(key::NavigationLightsOff, [](SimState& s, std::uint32_t) { s.set(NavigationLights, 0.0); });
    m.onKey(key::PanelLightsOn, [](SimState& s, std::uint32_t) { s.set(PanelLights, 1.0); });
    m.onKey(key::PanelLightsOff, [](SimState& s, std::uint32_t) { s.set(PanelLights, 0.0); });
}

}  // namespace tj20::host
