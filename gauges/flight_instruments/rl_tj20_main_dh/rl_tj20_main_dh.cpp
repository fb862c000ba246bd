// Decision height window: a small readout of the decision height ("dh") with its own two
// arrows, and its own "minimums" callout 100 ft above the decision height, armed once the
// aircraft has been more than 100 ft above it.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(dh);

constexpr double FeetPerMetre = 3.28084;
constexpr double CalloutAbove = 100;  // feet above the decision height
constexpr u32 InitialDecisionHeight = 100;

struct State {
    u32 armed = 0;  // 1 once above the callout height; the call disarms it
};
State st;

constinit SimTable simvars{sim::RadioHeight};

constinit Chain elements{
    image(0x100),
    text({4, 1}, {30, 13}, TextStyle{White, 0, 0, "Courier New", 400}, "%3.0f", dh),
};

// Stepped by one foot, stopping at 0 on the way down (see the radio altimeter).
constinit Areas areas{
    repeat<[] { dh.set(dh.get() + 1); }>({20, 0, 12, 13}, Cursor::UpArrow),
    repeat<[] { stepDown(dh); }>({0, 0, 13, 13}, Cursor::DownArrow),
};

void update() {
    const double ra = simvars[sim::RadioHeight] * FeetPerMetre;
    const double callAt = dh.get() + CalloutAbove;
    if (ra < callAt && st.armed == 1) {
        sound::playOnce("tj20_minimums.wav");
        st.armed = 0;
    }
    if (ra > callAt) st.armed = 1;
}

void reset() {
    st = {};
    dh.set(InitialDecisionHeight);
}
}  // namespace

TJ20_GAUGE(rl_tj20_main_dh, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
