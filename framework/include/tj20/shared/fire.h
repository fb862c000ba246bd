// Shared variables of engine fire protection: fire handles, fire test and fire detection loop selectors.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the fire handle panel (rl_tj20_Main_fire_extinguish), in registration order.

// Fire test on (LOOPS A TEST or LOOPS B TEST): both handles show a fire and the selected loop lights come on.
TJ20_SHARED(loopstest);
// Right engine fire handle: stowed, pulled, or pulled and turned to agent 1 or agent 2; the ...Fire states (4 to 7)
// are the same positions with the fire warning on, and show FIRE DETECTOR LOOP.
TJ20_SHARED(rengfire, Stowed = 0, Pulled = 1, Agent1 = 2, Agent2 = 3, StowedFire = 4, PulledFire = 5, Agent1Fire = 6,
            Agent2Fire = 7);
// Left engine fire handle, as rengfire.
TJ20_SHARED(lengfire, Stowed = 0, Pulled = 1, Agent1 = 2, Agent2 = 3, StowedFire = 4, PulledFire = 5, Agent1Fire = 6,
            Agent2Fire = 7);

// Owned by the fire detection panel (rl_tj20_ovhd_firedetect), in registration order.

// Left engine fire detection loop selector (BOTH at first draw): which loop lights the fire test lights.
TJ20_SHARED(lengloopsw, LoopA = 0, Both = 1, LoopB = 2);
// APU fire detection loop selector, as lengloopsw.
TJ20_SHARED(apuloopsw, LoopA = 0, Both = 1, LoopB = 2);
// Right engine fire detection loop selector, as lengloopsw.
TJ20_SHARED(rengloopsw, LoopA = 0, Both = 1, LoopB = 2);

}  // namespace tj20::shared
