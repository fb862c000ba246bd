// ADF control head: the frequency in kilohertz, tuned by stepping its hundreds, tens and
// units digits. The thousands and the tenths come from the simulator's extended frequency,
// looked up every update; the readout rounds the tenths away.
#include "../heads/packed_digits.h"

namespace {
using namespace tj20;

constinit SimTable simvars{sim::AdfExtendedFrequency};

constexpr TextStyle readout{White, 0x000000, 0x000000, "Courier New", 400};

constinit Chain elements{
    image(0x100),
    text({148, 34}, {189, 25}, readout, "%04.0f",
         [](const Element& self) {
             return radio_heads::adfFrequency(radio_heads::carriedDigits(self),
                                              simvars.digits(sim::AdfExtendedFrequency));
         })
        .carries(sim::AdfFrequency)
        .alwaysLit(),
    icon(0x1100, {0, 0}, 2, [] { return 0; }).alwaysLit(),
};

constinit Areas areas{
    keyArea<key::AdfHundredsUp>({136, 78, 16, 46}),
    keyArea<key::AdfTensUp>({153, 78, 21, 46}),
    keyArea<key::AdfUnitsUp>({175, 78, 17, 46}),
};
}  // namespace

TJ20_GAUGE(rl_tj20_nav_adf, .sim = simvars, .elements = elements, .areas = areas)
