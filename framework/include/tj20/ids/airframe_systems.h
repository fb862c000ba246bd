// Hydraulics, pneumatics, air conditioning and pressurisation: what the airframe system
// panels read of the aircraft's flight beside the engine values.
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
inline constexpr SimVar VerticalSpeed{0x22c};  // vertical speed, feet per second
}  // namespace tj20::sim
