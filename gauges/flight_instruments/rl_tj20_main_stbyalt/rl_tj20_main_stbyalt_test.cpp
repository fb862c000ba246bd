// The standby instrument through the host.
#include <numbers>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

// The airspeed tape stops at 50 and 450 kt; the pointer turns once per 1000 ft, on past its
// last entry (500 ft) round to 0.
TEST(Standby, TapeStopsAtItsEndsAndThePointerTurnsAllRound) {
    Bed bed{{.modules = {"rl_tj20_main_stbyalt"}}};
    for (const auto& [speed, shown] : {std::pair{0.0, 50.0}, {250.0, 250.0}, {450.0, 450.0}, {520.0, 450.0}}) {
        bed.sim(sim::IndicatedAirspeed, speed);
        bed.run(1);
        EXPECT_EQ(bed.element("50,126").offsetX, -shown) << speed;
    }
    for (const auto& [feet, turns] : {std::pair{1750.0, 0.75}, {2000.0, 0.0}, {-100.0, 0.9}}) {
        bed.sim(sim::Altitude, feet);
        bed.run(1);
        EXPECT_NEAR(bed.element("90,64").angle, turns * 2 * std::numbers::pi, 1e-9) << feet;
    }
    bed.sim(sim::Altitude, 1234.6);
    bed.sim(sim::BarometricSettingMillibars, 1013.25);
    bed.sim(sim::BarometricSettingInches, 29.92);
    bed.run(1);
    EXPECT_EQ(bed.element("59,45").text, "01235");
    EXPECT_EQ(bed.element("19,95").text, "1013");
    EXPECT_EQ(bed.element("126,95").text, "29.92");
}

}  // namespace
}  // namespace tj20::test
