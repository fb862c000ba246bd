// Flight instruments: how the simulator answers the altimeter's BARO knob, and the flight
// director's command bars.
//
// Barometric setting
// - The setting is kept in millibars (BarometricSettingMillibars) and in inches of mercury
//   (BarometricSettingInches), always together: a step moves the millibars by one and
//   recomputes the inches from them (1 inch of mercury = 33.8639 mb).
// - BarometricSettingIncrease and BarometricSettingDecrease step it within 946 to 1050 mb,
//   the range of the altimeter's setting window. A setting that reads 0 (never set) steps
//   from the standard 1013.25 mb.
// - A scenario may set either value directly; the next step recomputes the inches from the
//   millibars.
//
// Flight director
// - While FlightDirector is 1 the simulator computes the command bars every cycle:
//   - bank command (FlightDirectorBank): the heading error (SelectedHeading - Heading,
//     taken the short way round, -180 to 180 degrees), one degree of bank per degree of
//     error, limited to 25 degrees either way;
//   - pitch command (FlightDirectorPitch): the present pitch plus one degree per 100 ft of
//     altitude error (SelectedAltitude - Altitude), the correction limited to 5 degrees
//     either way, so the bar centres as the aircraft reaches the selected altitude.
// - With the flight director off the commands keep their last values (the ADI hides the
//   bars), so a scenario may also set them directly while it is off.
// - Everything else the instruments read (attitude, heading, air data, radio height, the
//   NAV and DME values, the bearings) is the simulator's flight and is set by the scenario.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tj20/ids.h"
#include "tj20host/model.h"

namespace tj20::host {

namespace {
constexpr double MillibarsPerInch = 33.8639;
constexpr double StandardMillibars = 1013.25;
constexpr double LowestMillibars = 946, HighestMillibars = 1050;
constexpr double MillibarStep = 1;

constexpr double BankPerDegreeOfHeading = 1, BankCommandLimit = 25;  // degrees
constexpr double FeetPerDegreeOfPitch = 100, PitchCorrectionLimit = 5;

void stepBarometricSetting(SimState& s, double millibars) {
    double setting = s.get(sim::BarometricSettingMillibars);
    if (setting == 0.0) setting = StandardMillibars;
    setting = std::clamp(setting + millibars, LowestMillibars, HighestMillibars);
    s.set(sim::BarometricSettingMillibars, setting);
    s.set(sim::BarometricSettingInches, setting / MillibarsPerInch);
}

void commandBars(SimState& s) {
    const double headingError = std::remainder(s.get(sim::SelectedHeading) - s.get(sim::Heading), 360.0);
    s.set(sim::FlightDirectorBank,
          std::clamp(headingError * BankPerDegreeOfHeading, -BankCommandLimit, BankCommandLimit));
    const double altitudeError = s.get(sim::SelectedAltitude) - s.get(sim::Altitude);
    s.set(sim::FlightDirectorPitch, s.get(sim::Pitch) + std::clamp(altitudeError / FeetPerDegreeOfPitch,
                                                                   -PitchCorrectionLimit, PitchCorrectionLimit));
}
}  // namespace

void addInstrumentsModel(SimModel& m) {
    using K = std::uint32_t;
    m.onKey(key::BarometricSettingIncrease, [](SimState& s, K) { stepBarometricSetting(s, MillibarStep); });
    m.onKey(key::BarometricSettingDecrease, [](SimState& s, K) { stepBarometricSetting(s, -MillibarStep); });
    m.onStep(Subsystem::Guidance, [](SimState& s, double) {
        if (s.get(sim::FlightDirector) == 1.0) commandBars(s);
    });
}

}  // namespace tj20::host
