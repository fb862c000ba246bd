// Simulator values that only the host's model keeps: no gauge reads them yet, but the model
// sets them and scenario scripts may set and check them by these names, as they do the
// framework's (tj20/ids/). They live at identifiers from 0x1c00 on, which the simulator
// leaves unused.
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
// Lights that the on and off commands set, 1.0 on, 0.0 off.
inline constexpr SimVar LandingLights{0x1c00};
inline constexpr SimVar NavigationLights{0x1c01};
inline constexpr SimVar PanelLights{0x1c02};

// Fuel feed: the tanks the engines feed from (0 both wing tanks, 1 left, 2 right, 3 centre)
// and what the wing tanks hold, US gallons.
inline constexpr SimVar FuelSelector{0x1c10};
inline constexpr SimVar LeftTankQuantity{0x1c11};
inline constexpr SimVar RightTankQuantity{0x1c12};

// Takeoff/go-around thrust: the tick at which it began, for its five-minute rating.
inline constexpr SimVar TakeoffGoAroundStartTick{0x1c60};
}  // namespace tj20::sim
