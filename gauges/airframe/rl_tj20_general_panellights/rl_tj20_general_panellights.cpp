// Panel and instrument lighting: screen brightness, standby compass light, thunderstorm
// light and cockpit flood. Positions only; nothing else in the panel reads them.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

struct State {
    u32 lighting = 0;  // copy of "ohpanel"
};
State st;

Owned crtbrk{"crtbrk"}, stbycomp{"stbycomp"}, thndrstrm{"thndrstrm"}, ckptflood{"ckptflood"};
Bound ohpanel{"ohpanel"};

constinit Chain elements{
    image(0x100),
    icon(0x1500, {0, 0}, 2, [] { return st.lighting; }).alwaysLit(),
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

void update() { st.lighting = ohpanel.get(); }
void reset() {
    st = {};
    setAll(0, crtbrk, stbycomp, thndrstrm, ckptflood);
}
}  // namespace

TJ20_GAUGE(rl_tj20_general_panellights, .owned = {&crtbrk, &stbycomp, &thndrstrm, &ckptflood}, .bound = {&ohpanel},
           .elements = elements, .areas = areas, .update = update, .reset = reset)
