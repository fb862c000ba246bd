// Fuel feed.
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
inline constexpr SimVar CentreTankQuantity{0x131};  // fuel in the centre tank, US gallons
}  // namespace tj20::sim

namespace tj20::key {
// Fuel tank selector: the tanks the engines feed from.
inline constexpr KeyEvent FuelSelectorAll{0x101a4};     // both wing tanks, each engine its own side
inline constexpr KeyEvent FuelSelectorLeft{0x101a5};    // left wing tank
inline constexpr KeyEvent FuelSelectorRight{0x101a6};   // right wing tank
inline constexpr KeyEvent FuelSelectorCentre{0x101a9};  // centre tank
}  // namespace tj20::key
