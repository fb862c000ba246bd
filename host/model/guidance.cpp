// Autopilot, autothrottle and flight director: how the simulator answers the guidance
// panel, the GA button and the heading-hold strip, and what the annunciator reads back.
//
// Autopilot master
// - Autopilot on / off set or clear AutopilotEngaged. The holds below keep their state
//   when the master goes off (the annunciator still shows them; the autopilot just no
//   longer flies them).
//
// Holds. The panel sends the hold events to engage a hold, often on every update (approach
// hold while the glide slope is alive, wings level and altitude hold throughout a
// go-around), so each one sets its hold; none of them flips.
// - Lateral holds are exclusive, as one autopilot roll channel flies one mode: heading hold
//   and wings level each end the other lateral holds (heading, wings level, NAV1, approach).
//   NAV1 hold and approach hold end heading hold and wings level but leave each other, since
//   the approach flies the same localizer the NAV1 hold captured.
// - Approach hold also ends altitude hold: the glide slope takes the pitch channel.
//   Altitude hold leaves approach hold alone; a go-around ends the approach through wings
//   level.
// - Airspeed hold and Mach hold are exclusive: each on event ends the other. The off events
//   clear their own hold only.
//
// Targets
// - Heading: HeadingSet sets SelectedHeading to the value, in 0 to 359 degrees.
// - Altitude: AltitudeSet sets SelectedAltitude to the value, feet, read as signed.
// - Vertical speed: VerticalSpeedSet sets SelectedVerticalSpeed to the value, feet per
//   minute, read as signed; the increase and decrease events step it by 100 within ±8000.
// - Airspeed: AirspeedSet sets SelectedAirspeed to the value, knots.
// - Mach: the increase and decrease events step SelectedMach by 0.01 within 0 to 0.99,
//   kept to whole hundredths.
//
// Thrust
// - The autothrottle arm event flips AutothrottleArmed.
// - The takeoff/go-around event commands TO/GA thrust: TakeoffGoAroundThrust becomes 1 and
//   the tick it began is kept. The panel repeats the event on every update while the thrust
//   is active; a repeat neither flips nor restarts it. TO/GA thrust ends when the crew
//   selects a speed mode (airspeed or Mach hold on), when the autothrottle is disarmed, or,
//   checked as time advances, when its five-minute rating (5400 ticks from the start, kept in
//   the host-only TakeoffGoAroundStartTick) runs out.
// - The throttle events set the engine's lever (Throttle1Lever, Throttle2Lever) to the
//   value read as signed: 0 idle, 16383 full forward, negative values reverse.
// - The final landing step signal (flare/retard reached) is only journaled: the retard
//   itself is left to the simulator's own autothrottle.
//
// Flight director: the toggle flips FlightDirector.
//
// NAV receivers: the annunciator and the autoland monitor compare NAV1 with NAV2, their
// frequencies (Nav1Frequency, Nav2Frequency, packed BCD digits, stored with
// SimState::setDigits and kept bit for bit) and their courses (Nav1Course, Nav2Course,
// degrees). Tuning is the radios'; set them directly to start a run.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "tj20/ids.h"
#include "tj20host/model.h"
#include "tj20host/sim_ids.h"

namespace tj20::host {

namespace {
constexpr double TogaRatingTicks = 5400;  // five minutes at 18 ticks a second
constexpr double VerticalSpeedStep = 100, VerticalSpeedLimit = 8000;
constexpr double MachStep = 0.01, MachMax = 0.99;

double signedValue(std::uint32_t value) { return static_cast<double>(static_cast<std::int32_t>(value)); }

void flip(SimState& s, std::uint32_t id) { s.set(id, s.get(id) != 0.0 ? 0.0 : 1.0); }

void setAll(SimState& s, std::initializer_list<std::uint32_t> ids, double value) {
    for (auto id : ids) s.set(id, value);
}

void endToga(SimState& s) { s.set(sim::TakeoffGoAroundThrust, 0.0); }

void stepVerticalSpeed(SimState& s, double delta) {
    const double next = s.get(sim::SelectedVerticalSpeed) + delta;
    s.set(sim::SelectedVerticalSpeed, std::clamp(next, -VerticalSpeedLimit, VerticalSpeedLimit));
}

void stepMach(SimState& s, double delta) {
    const double next = std::round((s.get(sim::SelectedMach) + delta) * 100.0) / 100.0;
    s.set(sim::SelectedMach, std::clamp(next, 0.0, MachMax));
}
}  // namespace

void addGuidanceModel(SimModel& m) {
    using K = std::uint32_t;
    m.onKey(key::AutopilotOn, [](SimState& s, K) { s.set(sim::AutopilotEngaged, 1.0); });
    m.onKey(key::AutopilotOff, [](SimState& s, K) { s.set(sim::AutopilotEngaged, 0.0); });

    m.onKey(key::HeadingHoldEngage, [](SimState& s, K) {
        setAll(s, {sim::WingsLevelHold, sim::Nav1Hold, sim::ApproachHold}, 0.0);
        s.set(sim::HeadingHold, 1.0);
    });
    m.onKey(key::WingsLevelEngage, [](SimState& s, K) {
        setAll(s, {sim::HeadingHold, sim::Nav1Hold, sim::ApproachHold}, 0.0);
        s.set(sim::WingsLevelHold, 1.0);
    });
    m.onKey(key::Nav1HoldEngage, [](SimState& s, K) {
        setAll(s, {sim::HeadingHold, sim::WingsLevelHold}, 0.0);
        s.set(sim::Nav1Hold, 1.0);
    });
    m.onKey(key::ApproachHoldEngage, [](SimState& s, K) {
        setAll(s, {sim::HeadingHold, sim::WingsLevelHold, sim::AltitudeHold}, 0.0);
        s.set(sim::ApproachHold, 1.0);
    });
    m.onKey(key::AltitudeHoldEngage, [](SimState& s, K) { s.set(sim::AltitudeHold, 1.0); });

    m.onKey(key::AirspeedHoldOn, [](SimState& s, K) {
        s.set(sim::MachHold, 0.0);
        s.set(sim::AirspeedHold, 1.0);
        endToga(s);
    });
    m.onKey(key::AirspeedHoldOff, [](SimState& s, K) { s.set(sim::AirspeedHold, 0.0); });
    m.onKey(key::MachHoldOn, [](SimState& s, K) {
        s.set(sim::AirspeedHold, 0.0);
        s.set(sim::MachHold, 1.0);
        endToga(s);
    });
    m.onKey(key::MachHoldOff, [](SimState& s, K) { s.set(sim::MachHold, 0.0); });

    m.onKey(key::HeadingSet, [](SimState& s, K v) { s.set(sim::SelectedHeading, static_cast<double>(v % 360)); });
    m.onKey(key::AltitudeSet, [](SimState& s, K v) { s.set(sim::SelectedAltitude, signedValue(v)); });
    m.onKey(key::VerticalSpeedSet, [](SimState& s, K v) {
        s.set(sim::SelectedVerticalSpeed, std::clamp(signedValue(v), -VerticalSpeedLimit, VerticalSpeedLimit));
    });
    m.onKey(key::VerticalSpeedIncrease, [](SimState& s, K) { stepVerticalSpeed(s, VerticalSpeedStep); });
    m.onKey(key::VerticalSpeedDecrease, [](SimState& s, K) { stepVerticalSpeed(s, -VerticalSpeedStep); });
    m.onKey(key::AirspeedSet, [](SimState& s, K v) { s.set(sim::SelectedAirspeed, static_cast<double>(v)); });
    m.onKey(key::MachIncrease, [](SimState& s, K) { stepMach(s, MachStep); });
    m.onKey(key::MachDecrease, [](SimState& s, K) { stepMach(s, -MachStep); });

    m.onKey(key::AutothrottleArmToggle, [](SimState& s, K) {
        flip(s, sim::AutothrottleArmed);
        if (s.get(sim::AutothrottleArmed) == 0.0) endToga(s);
    });
    m.onKey(key::TakeoffGoAroundOn, [](SimState& s, K) {
        if (s.get(sim::TakeoffGoAroundThrust) == 1.0) return;
        s.set(sim::TakeoffGoAroundThrust, 1.0);
        s.set(sim::TakeoffGoAroundStartTick, s.get(sim::TickCount));
    });
    m.onStep(Subsystem::Guidance, [](SimState& s, double) {
        if (s.get(sim::TakeoffGoAroundThrust) == 1.0 &&
            s.get(sim::TickCount) >= s.get(sim::TakeoffGoAroundStartTick) + TogaRatingTicks)
            endToga(s);
    });
    m.onKey(key::Throttle1Set, [](SimState& s, K v) { s.set(sim::Throttle1Lever, signedValue(v)); });
    m.onKey(key::Throttle2Set, [](SimState& s, K v) { s.set(sim::Throttle2Lever, signedValue(v)); });

    m.onKey(key::FlightDirectorToggle, [](SimState& s, K) { flip(s, sim::FlightDirector); });
}

}  // namespace tj20::host
