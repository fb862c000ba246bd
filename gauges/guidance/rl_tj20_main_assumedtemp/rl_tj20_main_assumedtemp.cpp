// Assumed temperature selector for the flexible (reduced thrust) takeoff rating: tens on the
// left knob, units on the right, 0 to 50 °C. The thrust rating panel enters its TO FLX table
// with it.
#include <algorithm>

#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(assumedtemp);

constexpr u32 Highest = 50;  // top of the selector's scale, °C

constinit Chain elements{
    image(0x100),
    text({65, 72}, {40, 24}, {}, "%02.0f", [] { return std::min(assumedtemp.get(), Highest); }),
};

// The knobs stop at the ends of the scale: a step that would pass 50 or 0 rests on it.
void raise(u32 step) {
    if (const u32 t = assumedtemp.get(); t < Highest) assumedtemp.set(std::min(t + step, Highest));
}
void lower(u32 step) {
    const u32 t = assumedtemp.get();
    assumedtemp.set(t > step ? t - step : 0);
}

constinit Areas areas{
    repeat<[] { raise(10); }>({6, 91, 61, 71}, Cursor::UpArrow),
    repeat<[] { lower(10); }>({6, 6, 61, 84}, Cursor::DownArrow),
    repeat<[] { lower(1); }>({131, 6, 61, 84}, Cursor::DownArrow),
    repeat<[] { raise(1); }>({131, 91, 61, 72}, Cursor::UpArrow),
};

void reset() { assumedtemp.set(0); }
}  // namespace

TJ20_GAUGE(rl_tj20_main_assumedtemp, .elements = elements, .areas = areas, .reset = reset)
