// Flight guidance, autopilot, autothrottle and thrust.
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
inline constexpr SimVar Nav1Frequency{0x18};             // NAV1 active frequency, packed BCD digits
inline constexpr SimVar Nav2Frequency{0x1b};             // NAV2 active frequency, packed BCD digits
inline constexpr SimVar Nav1LateralNeedle{0x28};         // NAV1 course deviation needle, full scale ±127
inline constexpr SimVar Nav1GlideSlopeNeedle{0x29};      // NAV1 glide-slope needle, full scale ±119
inline constexpr SimVar Nav1Course{0x2d};                // NAV1 selected course, degrees
inline constexpr SimVar Nav1ReceiverCode{0x2e};          // NAV1 receiver bits; 0x80 set: a localizer is tuned
inline constexpr SimVar Nav2Course{0x36};                // NAV2 selected course, degrees
inline constexpr SimVar OnGround{0x3c};                  // on the ground, 1.0; 0.0 airborne
inline constexpr SimVar IndicatedAirspeed{0x3d};         // indicated airspeed, knots
inline constexpr SimVar MachNumberRaw{0x40};             // Mach number in 1/20480 (Mach = value × 3.2 / 65536)
inline constexpr SimVar AltitudeMetres{0x49};            // aircraft altitude, metres
inline constexpr SimVar Altitude{0x4a};                  // aircraft altitude, feet
inline constexpr SimVar AnnunciatorEntry51{0x51};        // refreshed in the annunciator's table, read by nothing
inline constexpr SimVar AutopilotEngaged{0x67};          // autopilot master, 1.0 engaged
inline constexpr SimVar WingsLevelHold{0x68};            // wings leveler active, 1.0
inline constexpr SimVar Nav1Hold{0x69};                  // NAV1 (VOR/LOC) hold active, 1.0
inline constexpr SimVar HeadingHold{0x6a};               // heading hold active, 1.0
inline constexpr SimVar SelectedHeading{0x6b};           // autopilot heading target, degrees
inline constexpr SimVar AltitudeHold{0x6c};              // altitude hold active, 1.0
inline constexpr SimVar SelectedAltitude{0x6d};          // autopilot altitude target, feet
inline constexpr SimVar ApproachHold{0x70};              // approach hold active, 1.0
inline constexpr SimVar AirspeedHold{0x73};              // airspeed hold active, 1.0
inline constexpr SimVar SelectedAirspeed{0x74};          // autopilot airspeed target, knots
inline constexpr SimVar MachHold{0x75};                  // Mach hold active, 1.0
inline constexpr SimVar SelectedMach{0x76};              // autopilot Mach target
inline constexpr SimVar AnnunciatorEntry77{0x77};        // refreshed in the annunciator's table, read by nothing
inline constexpr SimVar SelectedVerticalSpeed{0x78};     // autopilot vertical speed target, feet per minute
inline constexpr SimVar AutothrottleArmed{0x7b};         // autothrottle armed, 1.0
inline constexpr SimVar TakeoffGoAroundThrust{0x7c};     // takeoff/go-around thrust active, 1.0
inline constexpr SimVar Throttle1Lever{0x80};            // engine 1 throttle lever, 0 idle to 16383; negative: reverse
inline constexpr SimVar Throttle2Lever{0xa3};            // engine 2 throttle lever, 0 idle to 16383; negative: reverse
inline constexpr SimVar SpoilersArmed{0x144};            // spoilers armed, 1.0
inline constexpr SimVar OutsideAirTemperature{0x155};    // outside air temperature, °C
inline constexpr SimVar RamAirTemperatureScaled{0x15e};  // ram air temperature / 256 (°C = 256 × value)
inline constexpr SimVar RadioHeight{0x266};              // radio height, metres
inline constexpr SimVar FlightDirector{0x318};           // flight director on, 1.0
}  // namespace tj20::sim

namespace tj20::key {
inline constexpr KeyEvent AutopilotOff{0x100ff};           // autopilot master off
inline constexpr KeyEvent AutopilotOn{0x10100};            // autopilot master on
inline constexpr KeyEvent ApproachHoldEngage{0x1010e};     // engages approach hold (localizer and glide slope)
inline constexpr KeyEvent HeadingHoldEngage{0x1010f};      // engages heading hold on the selected heading
inline constexpr KeyEvent AltitudeHoldEngage{0x10110};     // engages altitude hold on the selected altitude
inline constexpr KeyEvent WingsLevelEngage{0x10111};       // engages the wings leveler
inline constexpr KeyEvent Nav1HoldEngage{0x10113};         // engages NAV1 (VOR/LOC) hold
inline constexpr KeyEvent Throttle1Set{0x1011c};           // value: lever position
inline constexpr KeyEvent Throttle2Set{0x1011d};           // value: lever position
inline constexpr KeyEvent AutothrottleArmToggle{0x10144};  // flips sim::AutothrottleArmed
inline constexpr KeyEvent TakeoffGoAroundOn{0x10145};      // commands takeoff/go-around thrust on
inline constexpr KeyEvent VerticalSpeedIncrease{0x10166};  // vertical speed target up one step
inline constexpr KeyEvent VerticalSpeedDecrease{0x10167};  // vertical speed target down one step
inline constexpr KeyEvent MachIncrease{0x1017c};           // Mach target up one step
inline constexpr KeyEvent MachDecrease{0x1017d};           // Mach target down one step
inline constexpr KeyEvent VerticalSpeedSet{0x101f4};       // value: feet per minute
inline constexpr KeyEvent AirspeedSet{0x101f5};            // value: knots
inline constexpr KeyEvent HeadingSet{0x101fa};             // value: degrees
inline constexpr KeyEvent AirspeedHoldOn{0x1022d};         // airspeed hold on
inline constexpr KeyEvent AirspeedHoldOff{0x1022e};        // airspeed hold off
inline constexpr KeyEvent MachHoldOn{0x10230};             // Mach hold on
inline constexpr KeyEvent MachHoldOff{0x10231};            // Mach hold off
inline constexpr KeyEvent AltitudeSet{0x1024c};            // value: feet
inline constexpr KeyEvent FlightDirectorToggle{0x102f0};   // flips sim::FlightDirector
inline constexpr KeyEvent FinalLandingStep{0x10333};       // flare/retard step of the landing sequence reached
}  // namespace tj20::key
