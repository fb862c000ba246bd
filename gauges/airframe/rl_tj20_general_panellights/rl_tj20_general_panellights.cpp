// Panel and instrument lighting: screen brightness, standby compass light, thunderstorm
// light and cockpit flood. Positions only; nothing else in the panel reads them.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(crtbrk, stbycomp, thndrstrm, ckptflood);
TJ20_BOUND(ohpanel);

struct State {
    PanelLighting lighting{ohpanel};
};
State st;

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x1500),
    icon(0x1100, {40, 38}, 3, crtbrk),
    icon(0x1200, {116, 38}, 3, stbycomp),
    icon(0x1300, {32, 146}, 2, thndrstrm),
    icon(0x1400, {126, 156}, 2, ckptflood),
};

constinit Areas areas{
    press<[] { stepUp(crtbrk, 2); }>({40, 62, 27, 25}),
    press<[] { stepDown(crtbrk); }>({40, 37, 27, 24}),
    press<[] { stepUp(stbycomp, 2); }>({115, 62, 30, 25}),
    press<[] { stepDown(stbycomp); }>({115, 37, 30, 24}),
    toggleArea<thndrstrm>({33, 155, 31, 50}),
    toggleArea<ckptflood>({127, 162, 28, 39}),
};

void update() { st.lighting.follow(); }
void reset() {
    st = {};
    setAll(0, crtbrk, stbycomp, thndrstrm, ckptflood);
}
}  // namespace

TJ20_GAUGE(rl_tj20_general_panellights, .elements = elements, .areas = areas, .update = update, .reset = reset)
