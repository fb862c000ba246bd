// Flight data recorder control: the ground test switch, three positions ("gndtst" 0 to 2).
// The lower area throws it between 0 and 1, the upper between 1 and 2. Nothing outside the
// panel reads it.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(gndtst);
TJ20_BOUND(ohpanel);

struct State {
    PanelLighting lighting{ohpanel};
};
State st;

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x1200),
    icon(0x1100, {198, 184}, 3, gndtst),
};

constinit Areas areas{
    press<[] { gndtst.set(gndtst.get() == 0 ? 1 : 0); }>({195, 247, 41, 27}),
    press<[] { gndtst.set(gndtst.get() == 1 ? 2 : 1); }>({195, 183, 43, 63}),
};

void update() { st.lighting.follow(); }

void reset() {
    st = {};
    setAll(0, gndtst, ohpanel);
}
}  // namespace

TJ20_GAUGE(rl_tj20_fdrcntrl, .elements = elements, .areas = areas, .update = update, .reset = reset)
