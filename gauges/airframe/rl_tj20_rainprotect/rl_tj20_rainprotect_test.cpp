// The wiper selector: up to 3, down through the spring-loaded park position and back to 1.
#include "test_bed.h"

namespace tj20::test {
namespace {

constexpr Pt Up{220, 80}, Down{180, 80};

TEST(RainPanel, DownParksAndSpringsBackToOneTwelveTicksLaterUnlessMovedOn) {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_rainprotect"}}};
    const auto wiper = [&] { return bed.shared("wiper").value_or(99); };
    EXPECT_EQ(wiper(), 1u) << "first draw";
    bed.clicks(Up, 3);
    bed.click(Down);
    EXPECT_EQ(wiper(), 2u) << "one action from 3";
    bed.click(Down);
    EXPECT_EQ(wiper(), 0u) << "2 goes through 1 to park";
    bed.run(11);
    EXPECT_EQ(wiper(), 0u);
    bed.run(1);
    EXPECT_EQ(wiper(), 1u);
    bed.clicks(Up, 2);
    bed.hold(Down, 1);  // the press and one repeat: 3 to park
    EXPECT_EQ(wiper(), 0u);
    bed.run(3, 5);
    EXPECT_EQ(wiper(), 1u) << "a counter stepping over the deadline still lets it spring back";
    bed.click(Down);
    bed.clicks(Up, 2);
    bed.run(20);
    EXPECT_EQ(wiper(), 2u) << "moved on from park by the pilot";
}

}  // namespace
}  // namespace tj20::test
