// Flight instruments: attitude, heading and navigation displays, air data, radio altitude.
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
inline constexpr SimVar RmiEntry16{0x16};                  // refreshed in the RMI's table, read by nothing
inline constexpr SimVar RmiEntry19{0x19};                  // refreshed in the RMI's table, read by nothing
inline constexpr SimVar RmiEntry1c{0x1c};                  // refreshed in the RMI's table, read by nothing
inline constexpr SimVar Dme1Distance{0x1f};                // DME 1 distance, nautical miles
inline constexpr SimVar Dme2Distance{0x23};                // DME 2 distance, nautical miles
inline constexpr SimVar AdfBearing{0x27};                  // ADF bearing relative to the nose, degrees
inline constexpr SimVar Nav1GlideSlopeReceived{0x2c};      // NAV1 glide slope received, 1.0
inline constexpr SimVar Nav2Bearing{0x3b};                 // NAV2 station bearing relative to the nose, degrees
inline constexpr SimVar MaxOperatingSpeedRaw{0x3f};        // maximum operating speed in 1/128 knot
inline constexpr SimVar SlipBall{0x45};                    // inclinometer ball position, full scale ±127
inline constexpr SimVar BarometricSettingMillibars{0x4b};  // altimeter setting, millibars
inline constexpr SimVar BarometricSettingInches{0x4c};     // altimeter setting, inches of mercury
inline constexpr SimVar Pitch{0x4e};                       // pitch attitude, degrees, positive nose up
inline constexpr SimVar Bank{0x50};                        // bank angle, degrees, positive right wing down
inline constexpr SimVar Heading{0x54};                     // aircraft magnetic heading, degrees
inline constexpr SimVar Nav1Bearing{0x226};                // NAV1 station bearing relative to the nose, degrees
inline constexpr SimVar FlightDirectorPitch{0x319};        // flight director pitch command, degrees
inline constexpr SimVar FlightDirectorBank{0x31a};         // flight director bank command, degrees
inline constexpr SimVar Nav1ToFrom{0x355};                 // NAV1 TO/FROM flag: 1 TO, -1 FROM, 0 none
inline constexpr SimVar Nav1IndicatedCourse{0x356};        // NAV1 selected course as the HSI shows it, degrees
}  // namespace tj20::sim

namespace tj20::key {
inline constexpr KeyEvent BarometricSettingIncrease{0x1015b};  // altimeter setting up one step
inline constexpr KeyEvent BarometricSettingDecrease{0x1015c};  // altimeter setting down one step
}  // namespace tj20::key
