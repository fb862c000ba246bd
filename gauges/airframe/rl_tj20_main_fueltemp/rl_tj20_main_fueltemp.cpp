// Fuel temperature indicator: a lit face whose one icon always shows its first image.
// No sensor drives it; it has no logic and cannot be clicked.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

constinit Chain elements{
    image(0x100), icon(0x1100, {0, 0}, 2, Source{}).alwaysLit(),  // an unconnected source: always image 0
};
}  // namespace

TJ20_GAUGE(rl_tj20_main_fueltemp, .elements = elements)
