// Shared variables of flight guidance: thrust rating, guidance panel, go-around, altitude lock, instrument switching.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the thrust rating panel (rl_tj20_main_trp), in registration order.

// EPR limit of the selected rating × 100, truncated (1.97 is 197); 0 with no rating. Set each time the EPR LIM
// readout is drawn; the guidance panel turns it into the autothrottle's lever position.
TJ20_SHARED(eprlim);
// Copy of eprlim, refreshed every update: the limit marks of the two EPR gauges.
TJ20_SHARED(eprlimit);
// Selected thrust rating (T.O., TO FLX, GA, MCT, CL, CR buttons); none until a button is pressed.
TJ20_SHARED(trcmode, None = 0, TakeOff = 1, TakeOffFlex = 2, GoAround = 3, MaxContinuous = 4, Climb = 5, Cruise = 6);

// Owned by the assumed-temperature selector (rl_tj20_main_assumedtemp), in registration order.

// Assumed temperature for the TO FLX rating, whole °C, 0 to 59 (the readout shows at most 50). The thrust rating
// panel also clears it at its first draw.
TJ20_SHARED(assumedtemp);

// Owned by the flight guidance control panel (rl_tj20_main_dfgs), in registration order.

// VOR/LOC armed: set by the VOR LOC, ILS and AUTO LAND buttons, cleared at VOR/LOC capture and by HDG.
TJ20_SHARED(vorloc);
// ILS approach selected (ILS or AUTO LAND button): the approach hold is sent while the glide slope is alive.
TJ20_SHARED(ils);
// Autoland selected (AUTO LAND button); cleared by VOR LOC, ILS, HDG and by the autoland monitor.
TJ20_SHARED(autlnd);
// Autoland sequence step, advanced by the flight mode annunciator as radio height falls; cleared here when the crew
// selects another mode. At the final (flare/retard) step the guidance panel sends the final landing step signal.
TJ20_SHARED(alstep, NoStep = 0, EngagedStep = 1, AlignStep = 2, FinalStep = 3, TouchdownStep = 4, ReverseStep = 5);
// Selected indicated airspeed, knots, 100 to 400 (100 at first draw); sent as the airspeed target by the speed knob.
TJ20_SHARED(spdsel);
// ILS approach sequence step, advanced by the flight mode annunciator, numbered as alstep.
TJ20_SHARED(ilsstep, NoStep = 0, EngagedStep = 1, AlignStep = 2, FinalStep = 3, TouchdownStep = 4, ReverseStep = 5);
// Autopilot-off warning acknowledged: set to 1 by the annunciator's RESET button (written by rl_tj20_main_fma),
// back to 0 when the autopilot is engaged here.
TJ20_SHARED(fmareset);
// EPR-limit thrust mode: set by EPR LIM and go-around entry; cleared by SPD SEL, MACH SEL and autothrottle disarm.
TJ20_SHARED(eprl);
// Go-around mode, latched on takeoff/go-around thrust; cleared by any lateral or vertical mode button.
TJ20_SHARED(goaround);

// Owned by the go-around button of the throttle quadrant (rl_tj20_main_goaround_sw), in registration order.

// Takeoff mode (TAK OFF): 1 after GA is pressed on the ground below 60 knots. Ended (0) by the guidance panel
// (rl_tj20_main_dfgs) above the selected altitude less 900 ft, or by any of its mode buttons.
TJ20_SHARED(fmato);

// Owned by the altimeter (rl_tj20_main_altimeter), in registration order.

// Altitude alert latch: 1 once the aircraft has been within 300 ft of the selected altitude; from then on leaving
// that band with altitude hold on sounds the altitude alert. The guidance panel (rl_tj20_main_dfgs) clears it when
// it sends a new altitude to the autopilot.
TJ20_SHARED(altlock, NotCaptured = 0, Captured = 1);

// Owned by the instrument source switching panel (rl_tj20_swpnl), in registration order.

// CADC source selector.
TJ20_SHARED(cadc, Norm = 0, BothOn1 = 1, BothOn2 = 2);
// Flight director command (FD CMD) source selector.
TJ20_SHARED(fdcmd, Norm = 0, BothOn1 = 1, BothOn2 = 2);
// EFIS source selector.
TJ20_SHARED(efis, Norm = 0, BothOn1 = 1, BothOn2 = 2);

}  // namespace tj20::shared
