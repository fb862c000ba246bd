// Master variables: owns the shared variables whose switches and producers sit on other
// panels, so that they exist before any of their writers binds them. No logic of its own;
// all eighteen read 0 after its first draw.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(lightstestsw, lpneuxfd, rpneuxfd, apupwr, extpwr, ohpanel, ohflood, fuelxfd, engsync, emerlts, lhydactive,
           rhydactive, lhydlowactive, rhydlowactive, gpwstest, lhydpressure, rhydpressure, rudhyd);

constinit Chain elements{image(0x100)};

void reset() {
    setAll(0, lightstestsw, lpneuxfd, rpneuxfd, apupwr, extpwr, ohpanel, ohflood, fuelxfd, engsync, emerlts, lhydactive,
           rhydactive, lhydlowactive, rhydlowactive, gpwstest, lhydpressure, rhydpressure, rudhyd);
}
}  // namespace

TJ20_GAUGE(rl_tj20_main_master_variables, .elements = elements, .reset = reset)
