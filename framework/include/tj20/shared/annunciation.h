// Shared variables of annunciation and tests: lights test, test panel switches, GPWS test.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the master-variables module (rl_tj20_main_master_variables), which only clears them at first draw; in
// its registration order.

// Lights test switch, 1 while testing: the annunciator and system lights come on (lights with a test value show 3).
// Also registered by the cabin pressure indicators (rl_tj20_cabinpress), whose lights test switch toggles it.
TJ20_SHARED(lightstestsw);
// GPWS test, 1 shows GPWS FAIL; copied from gpwstst every update by the engine synchronisation panel.
TJ20_SHARED(gpwstest);

// Owned by the test panel (rl_tj20_testpanel), in registration order.

// YAW DAMP switch; the simulator's yaw damper is on only at On (OFF at first draw).
TJ20_SHARED(yawdamper, Off = 0, On = 1, Override = 2);
// LOGO LT switch, 1 on; the simulator's logo lights follow it.
TJ20_SHARED(logoltsw);
// ANTI-SKID switch; Off shows the anti-skid lights.
TJ20_SHARED(antiskidsw, Off = 0, Arm = 1);
// MACH TRIM COMP switch.
TJ20_SHARED(machtrimcomp, Norm = 0, Override = 1);
// Anti-skid test (TEST CHK) in progress: 1 until 12 ticks after the last press; shows the anti-skid lights.
TJ20_SHARED(antiskidtest);

// Owned by the engine synchronisation panel (rl_tj20_enginesync), in registration order.

// GPWS test switch position, 0 to 3; published to the other systems as gpwstest.
TJ20_SHARED(gpwstst);

}  // namespace tj20::shared
