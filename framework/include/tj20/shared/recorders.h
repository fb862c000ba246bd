// Shared variables of the flight data and voice recorders: flight data entry panel and recorder ground test.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the flight data entry panel (rl_tj20_fdrentry), in registration order. No other system reads them.

// Flight data entry mode selector, positions 0 to 3.
TJ20_SHARED(fdrmode);
// TEST light: on for 3 ticks after the test button, for 90 ticks (5 s) after the event button.
TJ20_SHARED(test);
// EVENT light: on for 3 ticks after the event button.
TJ20_SHARED(evnt);
// First (leftmost) flight data entry digit, 0 to 9.
TJ20_SHARED(a);
// Second flight data entry digit, 0 to 9.
TJ20_SHARED(b);
// Third flight data entry digit, 0 to 9.
TJ20_SHARED(c);
// Fourth flight data entry digit, 0 to 9.
TJ20_SHARED(d);
// Fifth flight data entry digit, 0 to 9.
TJ20_SHARED(e);
// Sixth flight data entry digit, 0 to 9.
TJ20_SHARED(f);
// Seventh (rightmost) flight data entry digit, 0 to 9.
TJ20_SHARED(g);

// Owned by the flight data recorder control (rl_tj20_fdrcntrl), in registration order.

// Flight data recorder ground test switch, positions 0 to 2.
TJ20_SHARED(gndtst);

}  // namespace tj20::shared
