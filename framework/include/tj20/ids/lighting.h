// Exterior and panel lights.
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
inline constexpr SimVar OnGroundFlag{0xe};            // read by the landing light panel, unused
inline constexpr SimVar AntiCollisionLight{0x170};    // anti-collision (beacon) light, 1.0 on
inline constexpr SimVar TaxiLight{0x171};             // taxi light, 1.0 on
inline constexpr SimVar LandingLightPanelAux{0x301};  // read by the landing light panel, unused
inline constexpr SimVar TurnoffLight{0x365};          // runway turn-off lights, 1.0 on
}  // namespace tj20::sim

namespace tj20::key {
inline constexpr KeyEvent NavigationLightsOn{0x10204};
inline constexpr KeyEvent NavigationLightsOff{0x10205};
inline constexpr KeyEvent PanelLightsOn{0x10208};  // instrument flood lights
inline constexpr KeyEvent PanelLightsOff{0x10209};
inline constexpr KeyEvent LandingLightsOn{0x1020b};
inline constexpr KeyEvent LandingLightsOff{0x1020c};
inline constexpr KeyEvent AntiCollisionLightToggle{0x102bf};  // flips sim::AntiCollisionLight
inline constexpr KeyEvent TaxiLightToggle{0x102c0};           // flips sim::TaxiLight
inline constexpr KeyEvent TurnoffLightToggle{0x10357};        // flips sim::TurnoffLight
}  // namespace tj20::key
