// Shared variables of the left and right hydraulic systems: pump switches, system pressures and pressure levels.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the hydraulic pump switch panel (rl_tj20_hydraulic_pumps), in registration order.

// Transfer pump switch, 1 on: ties the two systems together.
TJ20_SHARED(hydxfrpump);
// Left engine pump switch: LOW holds the system at 1500 psi, HIGH at 3000 psi while engine 1 N2 is above 24 %.
TJ20_SHARED(hydlengpump, Off = 0, Low = 1, High = 2);
// Right engine pump switch, as hydlengpump for engine 2.
TJ20_SHARED(hydrengpump, Off = 0, Low = 1, High = 2);
// Auxiliary (electric) pump switch, 1 on: pressurises the right system, the left through the transfer pump.
TJ20_SHARED(hydauxpump);

// Owned by the left system pressure gauge (rl_tj20_hydraulic_lsys), in registration order.

// Left system pressure, psi, 0 to 3000 in steps of 100.
TJ20_SHARED(lsyshydpress);

// Owned by the right system pressure gauge (rl_tj20_hydraulic_rsys), in registration order.

// Right system pressure, psi, 0 to 3000 in steps of 100.
TJ20_SHARED(rsyshydpress);

// Owned by the master-variables module (rl_tj20_main_master_variables), which only clears them at first draw; in
// its registration order.

// Left system pressure above 2900 psi, written every update by the left system gauge (rl_tj20_hydraulic_lsys).
TJ20_SHARED(lhydactive);
// Right system pressure above 2900 psi, written every update by the right system gauge (rl_tj20_hydraulic_rsys).
TJ20_SHARED(rhydactive);
// Left system pressure above 1400 psi, written every update by the left system gauge.
TJ20_SHARED(lhydlowactive);
// Right system pressure above 1400 psi, written every update by the right system gauge.
TJ20_SHARED(rhydlowactive);
// Left system pressure, psi, copied every update by the left system gauge; also the target of the left brake
// pressure needle (the brake pressure gauge clears it at its first draw).
TJ20_SHARED(lhydpressure);
// Right system pressure, psi, copied every update by the right system gauge; also the target of the right brake
// pressure needle (the brake pressure gauge clears it at its first draw).
TJ20_SHARED(rhydpressure);

}  // namespace tj20::shared
