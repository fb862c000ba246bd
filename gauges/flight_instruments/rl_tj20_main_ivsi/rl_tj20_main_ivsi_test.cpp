// The vertical speed indicator through the host.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

// Feet per second from the simulator, feet per minute on the dial, stopping at ±6000.
TEST(Ivsi, ShowsFeetPerMinuteAndStopsAtTheDialsEnds) {
    Bed bed{{.modules = {"rl_tj20_main_ivsi"}}};
    auto at = [&](double feetPerSecond) {
        bed.sim(sim::VerticalSpeed, feetPerSecond);
        bed.run(1);
        return bed.element("82,85");
    };
    EXPECT_EQ(at(-25).value, -1500.0);
    const double top = at(100).angle, bottom = at(-100).angle;
    EXPECT_EQ(at(150).value, 9000.0);
    EXPECT_EQ(at(150).angle, top);
    EXPECT_EQ(at(-150).angle, bottom);
    EXPECT_NE(at(99).angle, top);
}

}  // namespace
}  // namespace tj20::test
