// The aircraft's configuration: landing gear, flaps and slats, spoilers, pitch trim, brakes
// and what the pedestal reads beside them.
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
inline constexpr SimVar PedestalEntry6{0x6};      // refreshed in the pedestal's table, read by nothing
inline constexpr SimVar PedestalEntry7{0x7};      // refreshed in the pedestal's table, read by nothing
inline constexpr SimVar ParkingBrake{0x143};      // parking brake position, 0.0 released
inline constexpr SimVar SpeedBrakeHandle{0x145};  // speed brake handle, 0 stowed to 16383 full aft
inline constexpr SimVar FlapHandle{0x148};        // flap handle, 0 up to 16384 full; detents every 3276.8
inline constexpr SimVar LeftFlap{0x149};          // left flap surface, 0 up to 16383 full
inline constexpr SimVar RightFlap{0x14a};         // right flap surface, 0 up to 16383 full
inline constexpr SimVar GearHandle{0x14b};        // gear handle, 0.0 up, 16383 down
inline constexpr SimVar NoseGear{0x14c};          // nose gear, 0 up and locked to 16383 down and locked
inline constexpr SimVar LeftGear{0x14d};          // left main gear, as NoseGear
inline constexpr SimVar RightGear{0x14e};         // right main gear, as NoseGear
inline constexpr SimVar PitchTrim{0x30f};         // elevator trim, radians, nose up positive
inline constexpr SimVar SpoilerSurface{0x310};    // spoiler surfaces, 0 stowed to 16383 fully out
inline constexpr SimVar PedestalEntry37b{0x37b};  // refreshed in the pedestal's table, read by nothing
inline constexpr SimVar PedestalEntry37c{0x37c};  // refreshed in the pedestal's table, read by nothing
inline constexpr SimVar PedestalEntry37f{0x37f};  // refreshed in the pedestal's table, read by nothing
inline constexpr SimVar PedestalEntry380{0x380};  // refreshed in the pedestal's table, read by nothing
}  // namespace tj20::sim

namespace tj20::key {
inline constexpr KeyEvent GearToggle{0x10022};         // gear handle up when down, down when up
inline constexpr KeyEvent PitchTrimDown{0x10047};      // elevator trim one step nose down
inline constexpr KeyEvent PitchTrimUp{0x1004f};        // elevator trim one step nose up
inline constexpr KeyEvent SpoilersDeploy{0x10210};     // spoilers out: speed brake handle full aft
inline constexpr KeyEvent SpoilersArmToggle{0x10213};  // flips sim::SpoilersArmed
inline constexpr KeyEvent AutobrakeStepUp{0x102fa};    // autobrake selector one step up
inline constexpr KeyEvent AutobrakeStepDown{0x102fb};  // autobrake selector one step down
}  // namespace tj20::key
