// The engines: what the simulator reports of each engine, and the commands for its fuel and
// its starter.
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
inline constexpr SimVar Engine1OilPressure{0x1a2};    // engine 1 oil pressure, pounds per square foot
inline constexpr SimVar Engine2OilPressure{0x1c9};    // engine 2 oil pressure, pounds per square foot
inline constexpr SimVar Engine1Egt{0x237};            // engine 1 exhaust gas temperature, degrees Rankine
inline constexpr SimVar Engine2Egt{0x241};            // engine 2 exhaust gas temperature, degrees Rankine
inline constexpr SimVar Engine1N1{0x270};             // engine 1 fan speed N1, percent
inline constexpr SimVar Engine1EprInput{0x272};       // engine 1 pressure ratio input the EPR gauge converts
inline constexpr SimVar Engine1FuelFlow{0x274};       // engine 1 fuel flow, pounds per hour
inline constexpr SimVar Engine1FuelAvailable{0x27f};  // engine 1 has fuel to feed from, 1.0 yes
inline constexpr SimVar Engine2N1{0x283};             // engine 2 fan speed N1, percent
inline constexpr SimVar Engine2EprInput{0x285};       // engine 2 pressure ratio input the EPR gauge converts
inline constexpr SimVar Engine2FuelFlow{0x287};       // engine 2 fuel flow, pounds per hour
}  // namespace tj20::sim

namespace tj20::key {
inline constexpr KeyEvent Engine1FuelOn{0x101bf};      // engine 1 mixture full rich: fuel on
inline constexpr KeyEvent Engine1FuelCutoff{0x101c3};  // engine 1 mixture full lean: fuel cut off
inline constexpr KeyEvent Engine2FuelOn{0x101c4};      // engine 2 mixture full rich: fuel on
inline constexpr KeyEvent Engine2FuelCutoff{0x101c8};  // engine 2 mixture full lean: fuel cut off
// Starters: each event engages its engine's starter for the cycle it is sent in (a "set",
// not a toggle); a start switch holding the starter sends it on every update.
inline constexpr KeyEvent Engine1Starter{0x102fc};
inline constexpr KeyEvent Engine2Starter{0x102fd};
}  // namespace tj20::key
