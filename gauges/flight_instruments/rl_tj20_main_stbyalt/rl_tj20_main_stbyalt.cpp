// Standby instrument: altitude pointer (one turn per 1000 ft) and digits, the barometric
// setting in millibars and inches, and an airspeed tape that stops at 50 and 450 knots.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

constexpr double TapeLow = 50, TapeHigh = 450;  // knots
constexpr double TapePixelsPerKnot = -1.0;      // the tape moves left as the speed grows

constexpr TextStyle readout{White, 0, 0, "Courier New", 400};
constexpr auto carried = [](const Element& self) { return self.carried(); };

constinit NeedleTable pointerScale{NeedlePoint{0, 90, 3}, NeedlePoint{500, 90, 126}};

constinit Chain elements{
    image(0x100),
    movingImage(
        0x1100, {50, 126}, TapePixelsPerKnot,
        [](const Element& self) {
            const double v = self.carried();
            return v < TapeLow ? TapeLow : (v > TapeHigh ? TapeHigh : v);
        },
        0.0, [] { return 0; })
        .carries(sim::IndicatedAirspeed),
    text({59, 45}, {50, 14}, readout, "%05.0f", carried).carries(sim::Altitude),
    text({19, 95}, {40, 14}, readout, "%.0f", carried).carries(sim::BarometricSettingMillibars),
    text({126, 95}, {40, 14}, readout, "%.2f", carried).carries(sim::BarometricSettingInches),
    needle(0x1200, {90, 64}, {5, 55}, pointerScale, carried).carries(sim::Altitude).period(1000),
    icon(0x1300, {0, 0}, 1, [] { return 0; }),  // face overlay
};
}  // namespace

TJ20_GAUGE(rl_tj20_main_stbyalt, .elements = elements)
