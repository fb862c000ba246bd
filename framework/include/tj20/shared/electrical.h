// Shared variables of electrical power: generators and their drives, bus power sources, meters, ground service bus.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the generator and meter panel (rl_tj20_elecpwr), in registration order.

// Left generator CSD disconnect switch (L CSD DISC): guard closed or open with the drive connected, or the drive
// disconnected. Only the reconnect on the ground (or closing the guard from open) brings it back to GuardClosed.
TJ20_SHARED(lgencsd, GuardClosed = 0, GuardOpen = 1, Disconnected = 2);
// Right generator CSD disconnect switch, as lgencsd.
TJ20_SHARED(rgencsd, GuardClosed = 0, GuardOpen = 1, Disconnected = 2);
// Left generator control switch (L GEN RESET): ON, OFF, or RESET, held for 9 ticks and springing back to OFF.
TJ20_SHARED(lcsdreset, GenOn = 0, GenOff = 1, GenReset = 2);
// Right generator control switch, as lcsdreset.
TJ20_SHARED(rcsdreset, GenOn = 0, GenOff = 1, GenReset = 2);
// APU generator reset switch (APU GEN RESET): RESET is held for 9 ticks and takes APU power off the buses.
TJ20_SHARED(apugenreset, Norm = 0, Reset = 1);
// Meter source selector (AC VOLT/FREQ, DC BUS VOLT): APU, EXT PWR, L and R generators, BATT VOLT, BATT AMPS.
TJ20_SHARED(voltfreqsel, Apu = 0, ExtPwr = 1, LeftGen = 2, RightGen = 3, BattVolt = 4, BattAmps = 5);
// AC VOLTS meter reading for the selected source: 0, 11 or 12.
TJ20_SHARED(acvoltsneedle);
// FREQUENCY meter reading for the selected source, Hz: 0, 398, 400, 404 or 405.
TJ20_SHARED(freqneedle);
// AMPS/VOLTS meter reading for the selected source; 100 is the centre of the scale.
TJ20_SHARED(ampsvolts);
// CSD TEMP PUSH FOR RISE button: the CSD oil temperature indicators show the outlet temperature or its rise.
TJ20_SHARED(pushrise, Outlet = 0, Rise = 1);
// Left CSD oil temperature indication, 200 to 1300 (200 at first draw).
TJ20_SHARED(lcsdtemp);
// Right CSD oil temperature indication, 0 to 1300 (0 at first draw).
TJ20_SHARED(rcsdtemp);

// Owned by the bus power panel (rl_tj20_elecdistribution), in registration order.

// APU PWR AVAIL light: on once the APU reaches speed (rpm 200), off below 190 or on an APU generator reset.
TJ20_SHARED(apupwravail, Off = 0, On = 1, LightsTest = 3);
// APU L BUS switch, 1 ON.
TJ20_SHARED(apulbussw);
// APU power on the left bus light: the APU, on speed and switched to the bus, feeds it while the left engine
// generator is off-line.
TJ20_SHARED(apulbuslt, Off = 0, On = 1, LightsTest = 3);
// APU R BUS switch, 1 ON.
TJ20_SHARED(apurbussw);
// APU power on the right bus light, as apulbuslt.
TJ20_SHARED(apurbuslt, Off = 0, On = 1, LightsTest = 3);
// EXT PWR AVAIL light: ground power connected; it follows the external power switch 90 ticks after each move.
TJ20_SHARED(extpwravail);
// EXT PWR L BUS switch, 1 ON.
TJ20_SHARED(extlbussw);
// External power on the left bus light: ground power feeds the left bus when neither the APU nor the engine
// generator does.
TJ20_SHARED(extlbuslt, Off = 0, On = 1, LightsTest = 3);
// EXT PWR R BUS switch, 1 ON.
TJ20_SHARED(extrbussw);
// External power on the right bus light, as extlbuslt.
TJ20_SHARED(extrbuslt, Off = 0, On = 1, LightsTest = 3);
// GALLEY power switch, 1 ON; adds to the APU AC load.
TJ20_SHARED(galleypwr);
// AC BUS X TIE switch (AUTO at first draw).
TJ20_SHARED(acbusxtie, Open = 0, Auto = 1);
// DC BUS X TIE switch (OPEN at first draw).
TJ20_SHARED(dcbusxtie, Close = 0, Open = 1);
// APU AC load: always 0, also cleared by the APU generator reset; the load meter computes its own reading.
TJ20_SHARED(apuacload);
// Left DC load A: always 0; the DC load meters compute their own readings.
TJ20_SHARED(ldcloada);
// Left DC load B: always 0, as ldcloada.
TJ20_SHARED(ldcloadb);
// Right DC load A: always 0, as ldcloada.
TJ20_SHARED(rdcloada);
// Right DC load B: always 0, as ldcloada.
TJ20_SHARED(rdcloadb);
// Left engine generator AC load: always 0, the meter's reading while engine 1's generator switch is off.
TJ20_SHARED(lengacload);
// Right engine generator AC load: always 0, as lengacload for engine 2.
TJ20_SHARED(rengacload);

// Owned by the ground service power panel (rl_tj20_grndsrvicelpwr), in registration order.

// Ground service APU PWR AVAIL light, repeating apupwr.
TJ20_SHARED(gsapupwr, Off = 0, On = 1, LightsTest = 3);
// Ground service EXT PWR AVAIL light, repeating extpwr.
TJ20_SHARED(gsextpwr, Off = 0, On = 1, LightsTest = 3);
// APU power to the ground service bus switch, 1 on.
TJ20_SHARED(gsapusw);
// External power to the ground service bus switch, 1 on.
TJ20_SHARED(gsextsw);
// Maintenance interphone switch, 1 on.
TJ20_SHARED(interphone);

// Owned by the master-variables module (rl_tj20_main_master_variables), which only clears them at first draw; in
// its registration order.

// APU power available: apupwravail, copied every update by the bus power panel (rl_tj20_elecdistribution).
TJ20_SHARED(apupwr);
// External power available: extpwravail, copied every update by the bus power panel (rl_tj20_elecdistribution).
TJ20_SHARED(extpwr);

}  // namespace tj20::shared
