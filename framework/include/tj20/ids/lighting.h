// Exterior and panel lights.
#pragma once

#include <cstdint>

namespace tj20::sim {
inline constexpr std::uint32_t OnGroundFlag = 0xe;            // read by the landing light panel, unused
inline constexpr std::uint32_t AntiCollisionLight = 0x170;    // anti-collision (beacon) light, 1.0 on
inline constexpr std::uint32_t TaxiLight = 0x171;             // taxi light, 1.0 on
inline constexpr std::uint32_t LandingLightPanelAux = 0x301;  // read by the landing light panel, unused
inline constexpr std::uint32_t TurnoffLight = 0x365;          // runway turn-off lights, 1.0 on
}  // namespace tj20::sim

namespace tj20::key {
inline constexpr std::uint32_t NavigationLightsOn = 0x10204;
inline constexpr std::uint32_t NavigationLightsOff = 0x10205;
inline constexpr std::uint32_t PanelLightsOn = 0x10208;  // instrument flood lights
inline constexpr std::uint32_t PanelLightsOff = 0x10209;
inline constexpr std::uint32_t LandingLightsOn = 0x1020b;
inline constexpr std::uint32_t LandingLightsOff = 0x1020c;
inline constexpr std::uint32_t AntiCollisionLightToggle = 0x102bf;  // flips sim::AntiCollisionLight
inline constexpr std::uint32_t TaxiLightToggle = 0x102c0;           // flips sim::TaxiLight
inline constexpr std::uint32_t TurnoffLightToggle = 0x10357;        // flips sim::TurnoffLight
}  // namespace tj20::key
