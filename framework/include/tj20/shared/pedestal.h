// Shared variables of the centre pedestal: fuel levers, fuel crossfeed lever and rudder hydraulic switch.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the centre pedestal (rl_tj20_pedestal), in registration order.

// Engine 1 fuel lever (RUN at first draw); the engine's fuel on or cut off follows it every update.
TJ20_SHARED(lfuellever, Cutoff = 0, Run = 1);
// Engine 2 fuel lever, as lfuellever.
TJ20_SHARED(rfuellever, Cutoff = 0, Run = 1);

// Owned by the master-variables module (rl_tj20_main_master_variables), which only clears them at first draw; in
// its registration order.

// Fuel crossfeed, 1 open; toggled by the pedestal's crossfeed lever (rl_tj20_pedestal). Open, it lets the pumps of
// one side feed the other engine, and the left and centre pumps feed the APU.
TJ20_SHARED(fuelxfd);
// Rudder hydraulic switch, 1 off (shows RUDDER CONTROL MANUAL); copied every update from the pedestal's switch
// (rl_tj20_pedestal).
TJ20_SHARED(rudhyd);

}  // namespace tj20::shared
