// Shared variables of ice and rain protection, with the cabin sign switches of the ice protection panel.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the ice protection panel (rl_tj20_iceprotect), in registration order.

// Seat belt sign switch, 1 on; switching it on sounds the cabin chime.
TJ20_SHARED(seatbelts);
// No smoking sign switch, positions 0 to 2; selecting 2 from 0 sounds the cabin chime.
TJ20_SHARED(nosmoking);
// Probe heat selector, positions 0 to 9: Off switches the simulator's pitot heat off, any other position on and
// selects the current shown on the meter.
TJ20_SHARED(metersel, Off = 0);
// Left wing (airfoil) anti-ice valve switch, 1 on.
TJ20_SHARED(lairfoil);
// Right wing (airfoil) anti-ice valve switch, 1 on.
TJ20_SHARED(rairfoil);
// Engine 1 anti-ice switch, 1 on; the simulator's engine 1 anti-ice follows it.
TJ20_SHARED(lengai);
// Engine 2 anti-ice switch, 1 on; the simulator's engine 2 anti-ice follows it.
TJ20_SHARED(rengai);
// Windshield anti-ice/defog selector, positions 0 to 2.
TJ20_SHARED(windshield);
// Probe heat current on the meter, 0 to 14 in steps of 2, following metersel.
TJ20_SHARED(meter);
// Tail de-ice running: 1 from its button for 2700 ticks (150 s), or until both airfoil switches are off.
TJ20_SHARED(taildeice);

// Owned by the rain protection panel (rl_tj20_rainprotect), in registration order.

// Windshield wiper selector, positions 0 to 3 (1 at first draw); Park is momentary and returns to 1 after 12 ticks.
TJ20_SHARED(wiper, Park = 0);

}  // namespace tj20::shared
