// Identifiers every part of the panel uses: the tick counter and the panel windows.
#pragma once

#include <cstdint>

namespace tj20::sim {
inline constexpr std::uint32_t Placeholder = 0x0;  // empty table entry; always reads 0
inline constexpr std::uint32_t TickCount = 0x1;    // simulator tick counter, 18 per second
}  // namespace tj20::sim

namespace tj20::key {
// Panel window toggles: each press shows a hidden window or hides a shown one.
inline constexpr std::uint32_t OverheadWindowToggle = 0x10173;
inline constexpr std::uint32_t AftOverheadWindowToggle = 0x10174;
inline constexpr std::uint32_t PedestalWindowToggle = 0x10175;
inline constexpr std::uint32_t HydraulicWindowToggle = 0x10176;
inline constexpr std::uint32_t LightsWindowToggle = 0x10177;
}  // namespace tj20::key
