// Shared variables of engine start and the pneumatic crossfeed: start switches, fuel heat, duct pressure, valves.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the engine start panel (rl_tj20_engstrtcntrl), in registration order.

// Left engine start switch, positions 0 to 2: at Start the start valve opens and the starter is engaged while the
// duct pressure, the crossfeed valve and the ignition selector allow it.
TJ20_SHARED(lstrtvlv, Off = 0, Start = 2);
// Right engine start switch, as lstrtvlv.
TJ20_SHARED(rstrtvlv, Off = 0, Start = 2);
// Left fuel heat on: 1 from its push button for 12 ticks (1 at first draw).
TJ20_SHARED(lfuelheat);
// Right fuel heat on, as lfuelheat.
TJ20_SHARED(rfuelheat);
// Start (DC fuel) pump switch, 1 on: feeds the APU and the right engine, the left engine only through the crossfeed.
TJ20_SHARED(startpump);
// Ignition selector, positions 0 to 4 (1 at first draw); position 1 keeps the engine starters from engaging.
TJ20_SHARED(ignition, StartersBlocked = 1);
// Pneumatic duct pressure, psi, 0 to 40, fed by APU air and engine bleed; a starter needs 26.
TJ20_SHARED(pneupress);

// Owned by the master-variables module (rl_tj20_main_master_variables), which only clears them at first draw; in
// its registration order.

// Left pneumatic crossfeed valve, set by the crossfeed panel (rl_tj20_pneuxfeed).
TJ20_SHARED(lpneuxfd, Closed = 0, Open = 1);
// Right pneumatic crossfeed valve, set by the crossfeed panel (rl_tj20_pneuxfeed).
TJ20_SHARED(rpneuxfd, Closed = 0, Open = 1);

}  // namespace tj20::shared
