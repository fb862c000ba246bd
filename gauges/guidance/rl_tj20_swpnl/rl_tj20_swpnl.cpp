// Instrument source switching panel: the CADC, FD CMD and EFIS selectors, each NORM (0),
// BOTH ON 1 (1) or BOTH ON 2 (2). The left half of a knob turns it between NORM and BOTH ON 1,
// the right half between NORM and BOTH ON 2; from BOTH ON 1 either half returns it to NORM.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(cadc, fdcmd, efis);
TJ20_BOUND(ohpanel);

using Selector = shared::cadc;  // "fdcmd" and "efis" alike
constexpr u32 Norm = Selector::Norm, BothOn1 = Selector::BothOn1, BothOn2 = Selector::BothOn2;

struct State {
    PanelLighting lighting{ohpanel};
};
State st;

constinit Chain elements{
    image(0x100),
    icon(0x1100, {52, 73}, 3, cadc),
    icon(0x1200, {118, 38}, 3, fdcmd),
    icon(0x1300, {194, 70}, 3, efis),
    st.lighting.overlay(0x1400),
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

void update() { st.lighting.follow(); }
void reset() {
    st = {};
    setAll(0, cadc, fdcmd, efis, ohpanel);
}
}  // namespace

TJ20_GAUGE(rl_tj20_swpnl, .elements = elements, .areas = areas, .update = update, .reset = reset)
