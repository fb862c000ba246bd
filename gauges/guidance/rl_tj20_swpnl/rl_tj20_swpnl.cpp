// Instrument source switching panel: the CADC, FD CMD and EFIS selectors, each NORM (0),
// BOTH ON 1 (1) or BOTH ON 2 (2). The left half of a knob turns it between NORM and BOTH ON 1,
// the right half between NORM and BOTH ON 2; from BOTH ON 1 either half returns it to NORM.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

constexpr u32 Norm = 0, BothOn1 = 1, BothOn2 = 2;

struct State {
    u32 lighting = 0;  // copy of "ohpanel"
};
State st;

Owned cadc{"cadc"}, fdcmd{"fdcmd"}, efis{"efis"};
Bound ohpanel{"ohpanel"};

constinit Chain elements{
    image(0x100),
    icon(0x1100, {52, 73}, 3, cadc),
    icon(0x1200, {118, 38}, 3, fdcmd),
    icon(0x1300, {194, 70}, 3, efis),
    icon(0x1400, {0, 0}, 2, [] { return st.lighting; }).alwaysLit(),
};

// A selector half: from NORM to its position, from anywhere else back to NORM.
template <auto& Selector, u32 Position>
void turn() {
    Selector.set(Selector.get() == Norm ? Position : Norm);
}

constinit Areas areas{
    press<turn<cadc, BothOn1>>({46, 70, 31, 59}),   press<turn<cadc, BothOn2>>({78, 70, 30, 59}),
    press<turn<fdcmd, BothOn1>>({115, 36, 32, 58}), press<turn<fdcmd, BothOn2>>({148, 36, 31, 58}),
    press<turn<efis, BothOn1>>({187, 71, 32, 62}),  press<turn<efis, BothOn2>>({220, 71, 32, 62}),
};

void update() { st.lighting = ohpanel.get(); }
void reset() {
    st = {};
    setAll(0, cadc, fdcmd, efis, ohpanel);
}
}  // namespace

TJ20_GAUGE(rl_tj20_swpnl, .owned = {&cadc, &fdcmd, &efis}, .bound = {&ohpanel}, .elements = elements, .areas = areas,
           .update = update, .reset = reset)
