// Engine synchronisation panel: the engine synchroniser selector, the emergency lights switch
// and the GPWS test switch. The selector and the emergency lights switch live in the master
// variables ("engsync", "emerlts") where the annunciator reads them; the GPWS test switch
// keeps its own position ("gpwstst") and publishes it as "gpwstest" on every update.
//
// Switching sequences:
//   engine sync (0 off, 1 and 2 the two sides): each half selects its side from off, and
//     returns any selection to off, so going from one side to the other takes two presses.
//   emergency lights (0, 1, 2, 1 the middle): each half moves the switch from the middle to
//     its end, and from anywhere else back to the middle.
//   GPWS test (0 to 3): the lower area selects 1 from 0 (sounding the test once) and returns
//     anything else to 0; the upper area selects 2 from 0 and returns anything else to 0; the
//     middle area selects 3 from 2 and 2 from anything else.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(gpwstst);
TJ20_BOUND(engsync, emerlts, ohpanel, gpwstest);

constinit Chain elements{
    image(0x100),
    icon(0x1400, {0, 0}, 2, [] { return 0; }).visibleWhen([] { return ohpanel.get() == 1; }),
    icon(0x1100, {57, 79}, 3, engsync),
    icon(0x1200, {180, 222}, 3, emerlts),
    icon(0x1300, {47, 216}, 5, gpwstst),
};

template <u32 Side>
void engineSync() {
    engsync.set(engsync.get() == 0 ? Side : 0);
}

template <u32 End>
void emergencyLights() {
    emerlts.set(emerlts.get() == 1 ? End : 1);
}

void gpwsTest() {
    if (gpwstst.get() != 0) {
        gpwstst.set(0);
    } else {
        gpwstst.set(1);
        sound::playOnce("gpwstest.wav");
    }
}

constinit Areas areas{
    press<engineSync<1>>({55, 80, 44, 81}),
    press<engineSync<2>>({100, 80, 47, 81}),
    press<emergencyLights<2>>({176, 259, 43, 30}),
    press<emergencyLights<0>>({176, 228, 43, 30}),
    press<gpwsTest>({41, 271, 45, 29}),
    press<[] { gpwstst.set(gpwstst.get() == 0 ? 2 : 0); }>({47, 216, 32, 24}),
    press<[] { gpwstst.set(gpwstst.get() == 2 ? 3 : 2); }>({41, 241, 45, 29}),
};

void update() { gpwstest.set(gpwstst.get()); }

void reset() { setAll(0, gpwstst, engsync, emerlts, ohpanel, gpwstest); }
}  // namespace

TJ20_GAUGE(rl_tj20_enginesync, .elements = elements, .areas = areas, .update = update, .reset = reset)
