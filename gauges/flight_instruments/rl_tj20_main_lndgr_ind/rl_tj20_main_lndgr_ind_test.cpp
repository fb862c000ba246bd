// The gear lights: each gear up, down and locked or in transit, and all three red for a gear
// not down and locked with both throttles closed.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

TEST(GearLights, EachGearAndTheClosedThrottleWarning) {
    struct Case {
        const char* what;
        double nose, left, right, throttle1, throttle2;
        std::uint32_t door, noseLight, leftLight, rightLight;
    } cases[] = {
        {"down and locked, throttles closed", 16383, 16383, 16383, 255, 255, 0, 1, 1, 1},
        {"a gear at 16382 with throttles closed", 16383, 16382, 16383, 255, 255, 1, 2, 2, 2},
        {"in transit, a throttle open", 16383, 16382, 16383, 256, 0, 1, 1, 2, 1},
        {"up and locked, cruise", 0, 0, 0, 9000, 9000, 0, 0, 0, 0},
        {"up and locked, throttles closed", 0, 0, 0, 0, 0, 0, 2, 2, 2},
        {"nose leaving the up lock", 1, 0, 0, 9000, 9000, 1, 2, 0, 0},
    };
    Bed bed{{.modules = {"rl_tj20_main_lndgr_ind"}}};
    for (const auto& c : cases) {
        bed.sim(sim::NoseGear, c.nose);
        bed.sim(sim::LeftGear, c.left);
        bed.sim(sim::RightGear, c.right);
        bed.sim(sim::Throttle1Lever, c.throttle1);
        bed.sim(sim::Throttle2Lever, c.throttle2);
        bed.run(1);
        EXPECT_EQ(bed.shared("geardoor"), c.door) << c.what;
        EXPECT_EQ(bed.shared("noselndgrlt"), c.noseLight) << c.what;
        EXPECT_EQ(bed.shared("llndgrlt"), c.leftLight) << c.what;
        EXPECT_EQ(bed.shared("rlndgrlt"), c.rightLight) << c.what;
        EXPECT_EQ(bed.element("67,12").state, int(c.leftLight)) << c.what;
        EXPECT_EQ(bed.element("108,12").state, int(c.noseLight)) << c.what;
    }
}

}  // namespace
}  // namespace tj20::test
