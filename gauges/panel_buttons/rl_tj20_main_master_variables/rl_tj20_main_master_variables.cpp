// Master variables: owns the shared variables whose switches and producers sit on other
// panels, so that they exist before any of their writers binds them. No logic of its own;
// all eighteen read 0 after its first draw.
#include "tj20/gauge.h"

namespace {
using tj20::Owned;

Owned lightstestsw{"lightstestsw"}, lpneuxfd{"lpneuxfd"}, rpneuxfd{"rpneuxfd"}, apupwr{"apupwr"}, extpwr{"extpwr"},
    ohpanel{"ohpanel"}, ohflood{"ohflood"}, fuelxfd{"fuelxfd"}, engsync{"engsync"}, emerlts{"emerlts"},
    lhydactive{"lhydactive"}, rhydactive{"rhydactive"}, lhydlowactive{"lhydlowactive"}, rhydlowactive{"rhydlowactive"},
    gpwstest{"gpwstest"}, lhydpressure{"lhydpressure"}, rhydpressure{"rhydpressure"}, rudhyd{"rudhyd"};

constinit tj20::Chain elements{tj20::image(0x100)};

void reset() {
    tj20::setAll(0, lightstestsw, lpneuxfd, rpneuxfd, apupwr, extpwr, ohpanel, ohflood, fuelxfd, engsync, emerlts,
                 lhydactive, rhydactive, lhydlowactive, rhydlowactive, gpwstest, lhydpressure, rhydpressure, rudhyd);
}
}  // namespace

TJ20_GAUGE(rl_tj20_main_master_variables,
           .owned = {&lightstestsw, &lpneuxfd, &rpneuxfd, &apupwr, &extpwr, &ohpanel, &ohflood, &fuelxfd, &engsync,
                     &emerlts, &lhydactive, &rhydactive, &lhydlowactive, &rhydlowactive, &gpwstest, &lhydpressure,
                     &rhydpressure, &rudhyd},
           .elements = elements, .reset = reset)
