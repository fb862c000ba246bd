// Flap position indicator: the left and right flap surfaces on two needles over one dial,
// from up (0) to full (16383).
#include "tj20/gauge.h"

namespace {
using namespace tj20;

constinit NeedleTable flapScale{
    NeedlePoint{0, 158, 40},      NeedlePoint{2048, 212, 54},  NeedlePoint{4096, 252, 95},
    NeedlePoint{6144, 266, 149},  NeedlePoint{8192, 252, 204}, NeedlePoint{10240, 211, 244},
    NeedlePoint{12288, 146, 258}, NeedlePoint{14336, 89, 236}, NeedlePoint{16384, 56, 194},
};

// Each needle reads the flap surface it carries.
constexpr auto carriedFlap = [](const Element& e) { return e.carried(); };

constinit Chain elements{
    image(0x100),
    needle(0x1100, {157, 150}, {6, 6}, flapScale, carriedFlap).carries(sim::LeftFlap),
    needle(0x1200, {157, 150}, {6, 6}, flapScale, carriedFlap).carries(sim::RightFlap),
    icon(0x1300, {0, 0}, 2, [] { return 1; }),
};
}  // namespace

TJ20_GAUGE(rl_tj20_main_flaps, .elements = elements)
