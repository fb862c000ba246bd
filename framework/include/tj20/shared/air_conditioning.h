// Shared variables of air conditioning and pressurisation: packs, temperatures, cabin altitude, pressure controller.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the air conditioning panel (rl_tj20_aircond), in registration order.

// Left pack (bleed supply) switch, positions 0 to 2; any position but Off turns the pack on.
TJ20_SHARED(lbldsply, Off = 0);
// Right pack switch, as lbldsply.
TJ20_SHARED(rbldsply, Off = 0);
// Left (cockpit) temperature selector, positions 0 to 8 (4 at first draw); 1 to 7 schedule the left valve and 2 to 6
// set the left temperature target.
TJ20_SHARED(lckpttmp);
// Right (cabin) temperature selector, as lckpttmp for the right valve.
TJ20_SHARED(rckpttmp);
// Temperature indicator selector: the needle shows the supply or the cabin temperature.
TJ20_SHARED(tempsel, Supply = 0, Cabin = 1);
// Radio rack venturi/fan switch; 1 shows RADIO FAN OFF.
TJ20_SHARED(radiorack);
// Left temperature control valve position, 0 to 100 (50 at first draw).
TJ20_SHARED(aclvalve);
// Right temperature control valve position, 0 to 100 (50 at first draw).
TJ20_SHARED(acrvalve);
// Cabin temperature value: the mean of the two selectors' targets, 1900 to 2620 (2260 at first draw).
TJ20_SHARED(cabtemp);
// Without function: registered and cleared at first draw, never changed.
TJ20_SHARED(cab);
// Supply temperature value: the same mean as cabtemp (2260 at first draw).
TJ20_SHARED(cabsply);
// Left pack supply pressure, 0 to 240 in steps of 2, from APU air, the left engine or the right engine through the
// crossfeed.
TJ20_SHARED(lpress);
// Right pack supply pressure, 0 to 250 in steps of 2, the mirror image of lpress.
TJ20_SHARED(rpress);

// Owned by the cabin pressure indicators (rl_tj20_cabinpress), in registration order. The lights test switch that
// this panel also registers, between ramair and diffpress, is with the annunciation variables.

// Air conditioning shutoff switch, 0 or 1.
TJ20_SHARED(aircondshutoff);
// Ram air switch, 0 or 1.
TJ20_SHARED(ramair);
// Cabin differential: aircraft altitude minus cabin altitude, feet.
TJ20_SHARED(diffpress);
// Cabin altitude, feet, scheduled from the aircraft altitude while an engine runs; above 10000 shows CABIN ALT.
TJ20_SHARED(cabinalt);
// Cabin climb rate: never written after first draw (the climb needle reads the vertical speed itself).
TJ20_SHARED(cabclimb);

// Owned by the pressurisation controller (rl_tj20_cabpresscntrl), in registration order.

// Landing barometric setting, 955 to 1045 (1013 at first draw).
TJ20_SHARED(lndbaro);
// Landing altitude, feet, 0 to 8600 in steps of 100.
TJ20_SHARED(lndalt);

}  // namespace tj20::shared
