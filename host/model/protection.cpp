// Protection systems: the yaw damper, probe heat, engine anti-ice and the logo lights.
//
// - Yaw damper on and off (key::YawDamperOn, key::YawDamperOff), which the test panel sends
//   on every update, set sim::YawDamper to 1.0 and 0.0.
// - Probe heat on and off (key::PitotHeatOn, key::PitotHeatOff) set sim::PitotHeat.
// - The engine anti-ice toggles (key::Engine1AntiIceToggle, key::Engine2AntiIceToggle) flip
//   sim::Engine1AntiIce and sim::Engine2AntiIce between 0.0 and 1.0; the logo light toggle
//   (key::LogoLightsToggle) flips sim::LogoLights.
// - Engine fire (sim::Engine1Fire, sim::Engine2Fire) is the simulator's own state: nothing
//   here sets it, a scenario sets it as the simulator would report a fire. The fire handles'
//   fuel cut-off and fuel-on events are the engines' (host/model/engines.cpp).
#include "tj20/ids.h"
#include "tj20host/model.h"

namespace tj20::host {

namespace {
void flip(SimState& sim, std::uint32_t id) { sim.set(id, sim.get(id) != 0.0 ? 0.0 : 1.0); }
}  // namespace

void addProtectionModel(SimModel& m) {
    m.onKey(key::YawDamperOn, [](SimState& s, std::uint32_t) { s.set(sim::YawDamper, 1.0); });
    m.onKey(key::YawDamperOff, [](SimState& s, std::uint32_t) { s.set(sim::YawDamper, 0.0); });
    m.onKey(key::PitotHeatOn, [](SimState& s, std::uint32_t) { s.set(sim::PitotHeat, 1.0); });
    m.onKey(key::PitotHeatOff, [](SimState& s, std::uint32_t) { s.set(sim::PitotHeat, 0.0); });
    m.onKey(key::Engine1AntiIceToggle, [](SimState& s, std::uint32_t) { flip(s, sim::Engine1AntiIce); });
    m.onKey(key::Engine2AntiIceToggle, [](SimState& s, std::uint32_t) { flip(s, sim::Engine2AntiIce); });
    m.onKey(key::LogoLightsToggle, [](SimState& s, std::uint32_t) { flip(s, sim::LogoLights); });
}

}  // namespace tj20::host
