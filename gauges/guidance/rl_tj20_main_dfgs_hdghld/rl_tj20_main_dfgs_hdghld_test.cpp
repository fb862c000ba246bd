#include "panel_test.h"
#include "tj20/ids.h"

namespace {
using namespace tj20;

constexpr const char* Strip = "rl_tj20_main_dfgs_hdghld";

TEST(HeadingHoldStrip, RightClickSendsWingsLevelHoldAndLeftClickNothing) {
    auto panel = test::loadPanel({Strip});
    panel->run(1);
    EXPECT_FALSE(panel->mouse(Strip, 5, 20));
    EXPECT_TRUE(test::keyIds(*panel).empty());
    EXPECT_TRUE(panel->mouse(Strip, 5, 20, host::MouseEvent::RightPress));
    EXPECT_EQ(test::keyIds(*panel), std::vector<std::uint32_t>{key::WingsLevelEngage});
    EXPECT_EQ(panel->journal().keyEvents.at(0).value, 0u);
}

}  // namespace
