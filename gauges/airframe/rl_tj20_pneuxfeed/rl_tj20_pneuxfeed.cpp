// Pneumatic crossfeed panel: two lever switches that open and close the left and right
// crossfeed valves. The engine start panel needs a valve open to turn its engine's starter,
// and the air conditioning packs take APU air and the other engine's bleed through them.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_BOUND(lpneuxfd, rpneuxfd);

constinit Chain elements{
    image(0x100),
    icon(0x1100, {0, 113}, 2, lpneuxfd),
    icon(0x1200, {259, 113}, 2, rpneuxfd),
};

constinit Areas areas{
    toggleArea<lpneuxfd>({5, 122, 51, 188}),
    toggleArea<rpneuxfd>({261, 122, 52, 188}),
};

// Both valves closed.
void reset() { setAll(0, lpneuxfd, rpneuxfd); }
}  // namespace

TJ20_GAUGE(rl_tj20_pneuxfeed, .elements = elements, .areas = areas, .reset = reset)
