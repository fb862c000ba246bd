// Both reverser unlock lights (the right one is the same instrument on engine 2's lever): 25
// ticks as the reverser unlocks, 25 ticks as it stows, however the clock steps.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

struct Side {
    const char* module;
    std::uint32_t lever, otherLever;
};
constexpr Side sides[] = {{"rl_tj20_main_lrevunlock", sim::Throttle1Lever, sim::Throttle2Lever},
                          {"rl_tj20_main_rrevunlock", sim::Throttle2Lever, sim::Throttle1Lever}};

// Cycles at the step until the light goes out; -1 if it is still on after 100.
int litFor(Bed& bed, double step) {
    for (int i = 1; i <= 100; ++i) {
        bed.run(1, step);
        if (!bed.element("0,0[1]").visible) return i;
    }
    return -1;
}

TEST(ReverserUnlockLights, LitWhileTheReverserUnlocksAndWhileItStows) {
    for (const auto& s : sides) {
        for (const double step : {1.0, 4.0}) {
            SCOPED_TRACE(::testing::Message() << s.module << ", tick step " << step);
            Bed bed{{.modules = {s.module}}};
            bed.sim(s.otherLever, -4000);
            bed.run(3);
            EXPECT_FALSE(bed.element("0,0[1]").visible) << "the other engine's lever";
            bed.sim(s.lever, -4000);
            bed.run(1, step);
            EXPECT_TRUE(bed.element("0,0[1]").visible);
            EXPECT_EQ(litFor(bed, step), step == 1.0 ? 25 : 7);  // out at 25 ticks, at 28 when stepping by 4
            bed.run(10, step);
            EXPECT_FALSE(bed.element("0,0[1]").visible) << "off while the reverser is out";
            bed.sim(s.lever, 0);
            bed.run(1, step);
            EXPECT_TRUE(bed.element("0,0[1]").visible);
            EXPECT_EQ(litFor(bed, step), step == 1.0 ? 25 : 7);
            bed.run(10, step);
            bed.sim(s.lever, -1);
            bed.run(1, step);
            EXPECT_TRUE(bed.element("0,0[1]").visible) << "a second deployment";
        }
    }
}

}  // namespace
}  // namespace tj20::test
