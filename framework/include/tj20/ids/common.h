// Identifiers every part of the panel uses: the tick counter and the panel windows.
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
inline constexpr SimVar Placeholder{0x0};  // empty table entry; always reads 0
inline constexpr SimVar TickCount{0x1};    // simulator tick counter, 18 per second
}  // namespace tj20::sim

namespace tj20::key {
// Panel window toggles: each press shows a hidden window or hides a shown one.
inline constexpr KeyEvent OverheadWindowToggle{0x10173};
inline constexpr KeyEvent AftOverheadWindowToggle{0x10174};
inline constexpr KeyEvent PedestalWindowToggle{0x10175};
inline constexpr KeyEvent HydraulicWindowToggle{0x10176};
inline constexpr KeyEvent LightsWindowToggle{0x10177};
}  // namespace tj20::key
