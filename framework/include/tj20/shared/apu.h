// Shared variables of the auxiliary power unit: its control panel (with battery and emergency power) and its speed.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the APU control panel (rl_tj20_apucntrl), in registration order.

// Battery switch, 1 on; the simulator's master battery follows it.
TJ20_SHARED(battsw);
// Emergency power switch, 1 on.
TJ20_SHARED(emerpwrsw);
// APU master switch: START is spring-loaded and drops back to RUN 54 ticks (3 s) after it is selected.
TJ20_SHARED(apustartsw, Off = 0, Run = 1, Start = 2);
// APU door switch, positions 0 to 4; in position 2 the door is closed and the APU cannot start.
TJ20_SHARED(apudoorsw, Closed = 2);
// APU fire control handle; pulled, it winds the APU down.
TJ20_SHARED(apufirecontsw, Normal = 0, Pulled = 1);
// APU air switch, positions 0 to 2; any position but Off puts the bleed air load on the APU.
TJ20_SHARED(apuairsw, Off = 0);
// APU fire agent 1 switch, 0 or 1; no system reads it.
TJ20_SHARED(apufireagent1sw);
// APU fire agent 2 switch, 0 or 1; no system reads it.
TJ20_SHARED(apufireagent2sw);

// Owned by the APU instrument (rl_tj20_apu_egtrpm), in registration order.

// APU speed, 0 to 200 (200 is on speed), moving 1 per update: gates APU generator power and APU bleed air.
TJ20_SHARED(rpm);
// APU exhaust gas temperature, 0 to 440: 390 running without and 440 with the air load.
TJ20_SHARED(egt);
// APU speed for the small vernier needle, 0 to 200, following rpm.
TJ20_SHARED(rpmsmall);

}  // namespace tj20::shared
