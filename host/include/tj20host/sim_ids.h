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

// Engines (model/engines.cpp): 1.0 once the model runs the engine (from its first fuel-on or
// starter command), its fuel valve (1.0 open, as the fuel-on and cut-off commands set it)
// and its starter, engaged for the next model step by the starter command.
inline constexpr SimVar Engine1Modelled{0x1c20};
inline constexpr SimVar Engine1FuelValve{0x1c21};
inline constexpr SimVar Engine1StarterEngaged{0x1c22};
inline constexpr SimVar Engine1FeedTankSeen{0x1c23};  // engine 1's feed tank: 0 not yet seen, 1 dry, 2 fuel
inline constexpr SimVar Engine2Modelled{0x1c28};
inline constexpr SimVar Engine2FuelValve{0x1c29};
inline constexpr SimVar Engine2StarterEngaged{0x1c2a};

// Takeoff/go-around thrust: the tick at which it began, for its five-minute rating.
inline constexpr SimVar TakeoffGoAroundStartTick{0x1c60};

// Landing gear and flaps on their way (1.0) and the flap handle position the flaps last
// followed; the autobrake setting, 0 (rejected takeoff) to 5 (maximum), 1 off.
inline constexpr SimVar GearInTransit{0x1c80};
inline constexpr SimVar FlapsInTransit{0x1c81};
inline constexpr SimVar FlapHandleFollowed{0x1c82};
inline constexpr SimVar AutobrakeLevel{0x1c83};
}  // namespace tj20::sim
