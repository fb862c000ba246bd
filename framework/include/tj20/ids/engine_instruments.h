// The engine instruments: the values their tables look up beyond the engines' own (which are
// in the engines' list).
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
// Refreshed in the tables of the left EGT, oil pressure and EPR gauges, read by nothing.
inline constexpr SimVar EgtEntryA{0xa};
inline constexpr SimVar OilPressureEntry232{0x232};
inline constexpr SimVar EprEntry276{0x276};
// Fuel on board in all tanks, pounds; the fuel-used counters count it down.
inline constexpr SimVar FuelTotalQuantity{0x317};
}  // namespace tj20::sim
