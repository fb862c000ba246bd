// AUTO BRAKE panel: the selector T.O., OFF, MIN, MED, MAX and the ARM/DISARM switch. The
// selector steps the simulator's autobrake setting, whose levels run from rejected takeoff
// through off, low and medium to maximum, one level higher than MED skipped, so MED to MAX
// is two steps. At the first draw the setting is run down to its bottom and one step up: the
// simulator starts at OFF with the selector. The arm switch arms only off OFF and commands
// nothing.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

enum Selector : u32 { Takeoff = 0, Off = 1, Min = 2, Med = 3, Max = 4 };

struct State {
    u32 selector = Takeoff;
    u32 armed = 0;
};
State st;

constinit Chain elements{
    image(0x100),
    icon(0x1100, {26, 92}, 5, &st.selector),
    icon(0x1200, {14, 24}, 2, &st.armed),
};

void sendTimes(KeyEvent step, int times) {
    for (int i = 0; i < times; ++i) send(step);
}

// MED and MAX are two simulator levels apart; every other pair of positions one.
void selectorUp() {
    if (st.selector < Max) ++st.selector;
    sendTimes(key::AutobrakeStepUp, st.selector == Max ? 2 : 1);
}

void selectorDown() {
    if (st.selector > Takeoff) --st.selector;
    sendTimes(key::AutobrakeStepDown, st.selector == Med ? 2 : 1);
}

void armSwitch() { st.armed = st.armed == 0 && st.selector != Off ? 1 : 0; }

constinit Areas areas{
    press<selectorUp>({51, 95, 28, 45}, Cursor::UpArrow),
    press<selectorDown>({22, 95, 28, 45}, Cursor::DownArrow),
    press<armSwitch>({15, 24, 28, 43}),
};

void reset() {
    sendTimes(key::AutobrakeStepDown, 5);
    send(key::AutobrakeStepUp);
    st = {Off, 0};
}
}  // namespace

TJ20_GAUGE(rl_tj20_abs, .elements = elements, .areas = areas, .reset = reset)
