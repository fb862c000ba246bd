// Shared variables of cockpit lighting: overhead panel and flood lighting, panel lighting controls, emergency lights.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the panel lighting controls (rl_tj20_general_panellights), in registration order. No other system reads
// them.

// Screen (CRT) brightness control, positions 0 to 2.
TJ20_SHARED(crtbrk);
// Standby compass light control, positions 0 to 2.
TJ20_SHARED(stbycomp);
// Thunderstorm light switch, 1 on.
TJ20_SHARED(thndrstrm);
// Cockpit flood light switch, 1 on.
TJ20_SHARED(ckptflood);

// Owned by the master-variables module (rl_tj20_main_master_variables), which only clears them at first draw; in
// its registration order.

// Overhead panel lighting switch: 1 lights the needles and overlays of the overhead gauges. Operated by the overhead
// lights panel (rl_tj20_oh_lights).
TJ20_SHARED(ohpanel);
// Flood lights switch, 1 on; the simulator's panel lights follow it. Operated by the overhead lights panel
// (rl_tj20_oh_lights).
TJ20_SHARED(ohflood);
// Emergency lights switch, positions 0 to 2; at 0 the lights are not armed (EMER LIGHT NOT ARMED). Operated by the
// engine synchronisation panel (rl_tj20_enginesync).
TJ20_SHARED(emerlts);

}  // namespace tj20::shared
