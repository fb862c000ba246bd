// Shared variables of the flight instruments: landing gear lights, decision height, stall warning test.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the landing gear indicator (rl_tj20_main_lndgr_ind), in registration order.

// Gear door light: 1 while any gear is in transit.
TJ20_SHARED(geardoor);
// Left gear light: off when up and locked, green when down and locked, red in transit (all three red while
// a gear is not down with both throttles closed).
TJ20_SHARED(llndgrlt, Off = 0, Green = 1, Red = 2);
// Nose gear light, as llndgrlt.
TJ20_SHARED(noselndgrlt, Off = 0, Green = 1, Red = 2);
// Right gear light, as llndgrlt.
TJ20_SHARED(rlndgrlt, Off = 0, Green = 1, Red = 2);

// Owned by the radio altimeter (rl_tj20_main_radioh) and by the DH window (rl_tj20_main_dh): each registers it with
// its own cell and keeps it the same way.

// Decision height, whole feet (100 at first draw), stepped by one by the DH arrows and stopping at 0 on the way
// down; the ADI's DH light is lit while radio height is at or below it, and the minimums callouts are made
// relative to it.
TJ20_SHARED(dh);

// Owned by the stall warning lights (rl_tj20_main_warn_stall), in registration order.

// Stall warning test: 1 while the test panel's STALL TEST switch is off neutral; written by the test panel
// (rl_tj20_testpanel).
TJ20_SHARED(stalltester);

}  // namespace tj20::shared
