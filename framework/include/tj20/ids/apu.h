// The auxiliary power unit and the battery.
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
inline constexpr SimVar MasterBattery{0x16c};  // master battery switch, 1.0 on, 0.0 off
}  // namespace tj20::sim

namespace tj20::key {
inline constexpr KeyEvent MasterBatteryToggle{0x102c1};  // flips sim::MasterBattery
}  // namespace tj20::key
