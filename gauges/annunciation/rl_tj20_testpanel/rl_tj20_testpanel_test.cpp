// The test panel: the yaw damper commanded on every update, and the anti-skid test's 12 ticks
// from the last press.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Pt AntiSkidTest{180, 110}, YawUpper{270, 90}, YawLower{270, 120};

struct TestPanel : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_main_warn_stall", "rl_tj20_testpanel"}}};
};

TEST_F(TestPanel, YawDamperIsCommandedOnEveryUpdateAndOnOnlyAtOn) {
    EXPECT_EQ(bed.sent(), std::vector<std::uint32_t>{key::YawDamperOff}) << "the first update, switch at OFF";
    struct Step {
        Pt at;
        std::uint32_t position, event;
    };
    for (const auto& s : {Step{YawUpper, 1, key::YawDamperOn}, Step{YawUpper, 0, key::YawDamperOff},
                          Step{YawLower, 1, key::YawDamperOn}, Step{YawLower, 2, key::YawDamperOff},
                          Step{YawUpper, 1, key::YawDamperOn}, Step{YawLower, 2, key::YawDamperOff},
                          Step{YawLower, 1, key::YawDamperOn}}) {
        bed.click(s.at);
        bed.run(3);
        EXPECT_EQ(bed.shared("yawdamper"), s.position);
        EXPECT_EQ(bed.sent(), std::vector<std::uint32_t>(3, s.event)) << "position " << s.position;
    }
}

// Held, the button presses again on every cycle; the last press counts. A tick counter that
// steps over the end still ends the test.
TEST_F(TestPanel, AntiSkidTestLastsTwelveTicksFromTheLastPress) {
    struct Case {
        int hold;  // cycles held after the press
        double step;
        int on;  // cycles still testing afterwards
    };
    for (const auto& c : {Case{0, 1, 11}, Case{20, 1, 10}, Case{0, 5, 2}}) {
        SCOPED_TRACE(::testing::Message() << "held " << c.hold << ", step " << c.step);
        c.hold ? bed.hold(AntiSkidTest, c.hold) : bed.click(AntiSkidTest);
        bed.run(c.on, c.step);
        EXPECT_EQ(bed.shared("antiskidtest"), 1u);
        bed.run(1, c.step);
        EXPECT_EQ(bed.shared("antiskidtest"), 0u);
    }
}

}  // namespace
}  // namespace tj20::test
