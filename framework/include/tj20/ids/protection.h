// Protection and warning systems: engine fire, ice and rain protection, the yaw damper and
// the stall and overspeed warnings, with the exterior and surface values their panels and the
// annunciator read.
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
inline constexpr SimVar PitotHeat{0xd};             // pitot (probe) heat, 1.0 on, 0.0 off
inline constexpr SimVar StallWarning{0x43};         // stall warning, 1.0 active
inline constexpr SimVar OverspeedWarning{0x44};     // overspeed warning, 1.0 active
inline constexpr SimVar YawDamper{0x72};            // yaw damper, 1.0 on, 0.0 off
inline constexpr SimVar FireHandleEntry230{0x230};  // refreshed in the fire handle panel's table, read by nothing
inline constexpr SimVar FireHandleEntry23a{0x23a};  // refreshed in the fire handle panel's table, read by nothing
inline constexpr SimVar LogoLights{0x26c};          // logo lights, 1.0 on, 0.0 off
inline constexpr SimVar ElevatorSurface{0x30e};     // elevator surface deflection, radians
inline constexpr SimVar Engine1AntiIce{0x373};      // engine 1 anti-ice, 1.0 on, 0.0 off
inline constexpr SimVar Engine2AntiIce{0x374};      // engine 2 anti-ice, 1.0 on, 0.0 off
inline constexpr SimVar Engine1Fire{0x377};         // engine 1 on fire, 1.0
inline constexpr SimVar Engine2Fire{0x378};         // engine 2 on fire, 1.0
}  // namespace tj20::sim

namespace tj20::key {
inline constexpr KeyEvent YawDamperOn{0x10215};           // yaw damper on; sent on every update it applies
inline constexpr KeyEvent YawDamperOff{0x10216};          // yaw damper off; sent on every update it applies
inline constexpr KeyEvent PitotHeatOn{0x10218};           // pitot (probe) heat on
inline constexpr KeyEvent PitotHeatOff{0x10219};          // pitot (probe) heat off
inline constexpr KeyEvent LogoLightsToggle{0x10348};      // flips sim::LogoLights
inline constexpr KeyEvent Engine1AntiIceToggle{0x103b4};  // flips sim::Engine1AntiIce
inline constexpr KeyEvent Engine2AntiIceToggle{0x103b5};  // flips sim::Engine2AntiIce
}  // namespace tj20::key
