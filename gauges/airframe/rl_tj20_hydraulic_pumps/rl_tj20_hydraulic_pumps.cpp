// Hydraulic pump switch panel: the transfer pump, the two engine pumps (OFF, LOW, HIGH) and
// the electric auxiliary pump. The switches are all the panel does; the two system pressure
// gauges read them.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(hydxfrpump, hydlengpump, hydrengpump, hydauxpump);

using EnginePump = shared::hydlengpump;

constinit Chain elements{
    image(0x100),
    icon(0x1100, {15, 57}, 2, hydxfrpump),
    icon(0x1200, {123, 103}, 3, hydlengpump),
    icon(0x1300, {211, 105}, 3, hydrengpump),
    icon(0x1400, {301, 106}, 2, hydauxpump),
};

// Each engine pump switch has an upper (towards HIGH) and a lower (towards OFF) half.
constinit Areas areas{
    toggleArea<hydxfrpump>({16, 57, 47, 109}),
    press<[] { stepUp(hydlengpump, EnginePump::High); }>({111, 80, 46, 48}),
    press<[] { stepDown(hydlengpump); }>({111, 129, 46, 51}),
    press<[] { stepUp(hydrengpump, EnginePump::High); }>({197, 82, 51, 47}),
    press<[] { stepDown(hydrengpump); }>({197, 130, 51, 48}),
    toggleArea<hydauxpump>({285, 96, 52, 65}),
};

// The aircraft starts with every pump off.
void reset() { setAll(0, hydxfrpump, hydlengpump, hydrengpump, hydauxpump); }
}  // namespace

TJ20_GAUGE(rl_tj20_hydraulic_pumps, .elements = elements, .areas = areas, .reset = reset)
