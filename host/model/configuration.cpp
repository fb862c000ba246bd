// Landing gear, flaps, spoilers, pitch trim and autobrake: how the simulator answers the gear
// lever, the spoiler, trim and autobrake commands, and how the gear and the flaps travel.
//
// Gear
// - The gear toggle flips GearHandle between 0 (up) and 16383 (down) and sets the gear
//   travelling: the nose and both main gear (NoseGear, LeftGear, RightGear) move toward the
//   handle together, end to end in 8 simulated seconds (144 ticks), and the travel ends when
//   all three are there. Gear positions move only in a travel the toggle started: a script
//   that sets the handle or the gear itself keeps what it set.
//
// Flaps
// - The surfaces (LeftFlap, RightFlap) follow the flap handle (FlapHandle, 0 to 16384; the
//   surfaces stop at 16383) whenever the handle moves, at 16383 in 15 simulated seconds (270
//   ticks). The handle has no key event of its own: scripts set it, as the simulator's flap
//   lever would. The model keeps the handle position it last followed and whether the
//   surfaces are still on their way (FlapHandleFollowed, FlapsInTransit, host-only), so
//   surfaces a script sets itself stay where they are until the handle moves again.
//
// Spoilers
// - The arm toggle flips SpoilersArmed.
// - Deployment runs the speed brake handle full aft (SpeedBrakeHandle 16383) and the spoiler
//   surfaces fully out (SpoilerSurface 16383) at once; the handle leaves its ARM detent on the
//   way, so the spoilers read disarmed (SpoilersArmed 0) and the pedestal's rejected-takeoff
//   rule deploys them once, not on every update.
//
// Pitch trim
// - Each trim up or down event moves PitchTrim by 0.001 radians nose up or down, within
//   ±0.25 radians (the pedestal's indicator shows it in thousandths).
//
// Autobrake
// - The step events move AutobrakeLevel (host-only) one level up or down within 0 to 5:
//   0 rejected takeoff, 1 off, 2 to 4 the three landing settings, 5 maximum. The panel's MIN
//   and MED are levels 2 and 3 and its MAX level 5: from MED it steps up twice.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "tj20/ids.h"
#include "tj20host/model.h"
#include "tj20host/sim_ids.h"

namespace tj20::host {

namespace {
constexpr double GearUp = 0, GearDown = 16383;
constexpr double GearTravelPerTick = 16383.0 / 144;
constexpr double FlapsFull = 16383;
constexpr double FlapTravelPerTick = 16383.0 / 270;
constexpr double SpoilersOut = 16383;
constexpr double TrimStep = 0.001, TrimLimit = 0.25;
constexpr double AutobrakeTop = 5;

// Moves a gear leg or a surface toward its target by `travel`; true once it is there. A
// remainder within rounding of one step's travel counts as reached, so a travel of whole steps
// ends on its last step whatever the sum of the steps rounds to.
bool moveToward(SimState& s, std::uint32_t id, double target, double travel) {
    const double now = s.get(id);
    const bool arrives = std::abs(target - now) <= travel * (1 + 1e-9);
    s.set(id, arrives ? target : now + std::copysign(travel, target - now));
    return arrives;
}

void step(SimState& s, std::uint32_t id, double delta, double lo, double hi) {
    s.set(id, std::clamp(s.get(id) + delta, lo, hi));
}

void travelGear(SimState& s, double ticks) {
    if (s.get(sim::GearInTransit) != 1.0) return;
    const double target = s.get(sim::GearHandle);
    bool there = true;
    for (auto gear : {sim::NoseGear, sim::LeftGear, sim::RightGear})
        there = moveToward(s, gear, target, GearTravelPerTick * ticks) && there;
    if (there) s.set(sim::GearInTransit, 0.0);
}

void followFlapHandle(SimState& s, double ticks) {
    const double handle = s.get(sim::FlapHandle);
    if (handle != s.get(sim::FlapHandleFollowed)) {
        s.set(sim::FlapHandleFollowed, handle);
        s.set(sim::FlapsInTransit, 1.0);
    }
    if (s.get(sim::FlapsInTransit) != 1.0) return;
    const double target = std::clamp(handle, 0.0, FlapsFull);
    const bool left = moveToward(s, sim::LeftFlap, target, FlapTravelPerTick * ticks);
    const bool right = moveToward(s, sim::RightFlap, target, FlapTravelPerTick * ticks);
    if (left && right) s.set(sim::FlapsInTransit, 0.0);
}
}  // namespace

void addConfigurationModel(SimModel& m) {
    using K = std::uint32_t;
    m.onKey(key::GearToggle, [](SimState& s, K) {
        s.set(sim::GearHandle, s.get(sim::GearHandle) == GearUp ? GearDown : GearUp);
        s.set(sim::GearInTransit, 1.0);
    });
    m.onStep(Subsystem::Configuration, travelGear);
    m.onStep(Subsystem::Configuration, followFlapHandle);

    m.onKey(key::SpoilersArmToggle,
            [](SimState& s, K) { s.set(sim::SpoilersArmed, s.get(sim::SpoilersArmed) != 0.0 ? 0.0 : 1.0); });
    m.onKey(key::SpoilersDeploy, [](SimState& s, K) {
        s.set(sim::SpeedBrakeHandle, SpoilersOut);
        s.set(sim::SpoilerSurface, SpoilersOut);
        s.set(sim::SpoilersArmed, 0.0);
    });

    m.onKey(key::PitchTrimUp, [](SimState& s, K) { step(s, sim::PitchTrim, TrimStep, -TrimLimit, TrimLimit); });
    m.onKey(key::PitchTrimDown, [](SimState& s, K) { step(s, sim::PitchTrim, -TrimStep, -TrimLimit, TrimLimit); });

    m.onKey(key::AutobrakeStepUp, [](SimState& s, K) { step(s, sim::AutobrakeLevel, 1, 0, AutobrakeTop); });
    m.onKey(key::AutobrakeStepDown, [](SimState& s, K) { step(s, sim::AutobrakeLevel, -1, 0, AutobrakeTop); });
}

}  // namespace tj20::host
