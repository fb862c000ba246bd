// The auxiliary power unit and the battery.
#pragma once

#include <cstdint>

namespace tj20::sim {
inline constexpr std::uint32_t MasterBattery = 0x16c;  // master battery switch, 1.0 on, 0.0 off
}  // namespace tj20::sim

namespace tj20::key {
inline constexpr std::uint32_t MasterBatteryToggle = 0x102c1;  // flips sim::MasterBattery
}  // namespace tj20::key
