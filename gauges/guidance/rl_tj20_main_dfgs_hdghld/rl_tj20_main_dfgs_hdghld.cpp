// Heading hold strip beside the guidance panel's heading knob: an unlit black strip that
// answers a right click with the simulator's wings-level heading hold.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

constinit Chain elements{image(0x100).flags(0x83)};  // a plain black strip: 0x83, not the images' 0x4083

constinit Areas areas{rightPress<[] { send(key::WingsLevelEngage); }>({0, 0, 11, 44})};
}  // namespace

TJ20_GAUGE(rl_tj20_main_dfgs_hdghld, .elements = elements, .areas = areas)
