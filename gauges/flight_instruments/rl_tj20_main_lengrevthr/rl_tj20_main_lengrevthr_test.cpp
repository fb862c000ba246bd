// Both REV lights (the right one is the same instrument on engine 2's lever): on 25 ticks
// after reverse is selected, however the clock steps, and off as soon as the lever leaves it.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

struct Side {
    const char* module;
    std::uint32_t lever, otherLever;
};
constexpr Side sides[] = {{"rl_tj20_main_lengrevthr", sim::Throttle1Lever, sim::Throttle2Lever},
                          {"rl_tj20_main_rengrevthr", sim::Throttle2Lever, sim::Throttle1Lever}};

TEST(ReverseThrustLights, OnOnceDeployedOffWhenTheLeverLeavesReverse) {
    for (const auto& s : sides) {
        for (const double step : {1.0, 4.0}) {
            SCOPED_TRACE(::testing::Message() << s.module << ", tick step " << step);
            Bed bed{{.modules = {s.module}}};
            bed.sim(s.otherLever, -4000);
            bed.sim(s.lever, -4000);
            const int dark = step == 1.0 ? 25 : 7;  // cycles before the tick reaches 25 on from the selection
            bed.run(dark, step);
            EXPECT_FALSE(bed.element("0,0[1]").visible);
            bed.run(1, step);
            EXPECT_TRUE(bed.element("0,0[1]").visible);
            bed.sim(s.otherLever, 0);
            bed.run(1, step);
            EXPECT_TRUE(bed.element("0,0[1]").visible) << "the other engine's lever";
            bed.sim(s.lever, 0);
            bed.run(1, step);
            EXPECT_FALSE(bed.element("0,0[1]").visible);
        }
    }
}

}  // namespace
}  // namespace tj20::test
