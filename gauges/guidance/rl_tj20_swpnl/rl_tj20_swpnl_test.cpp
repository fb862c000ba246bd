#include "panel_test.h"

namespace {
using namespace tj20;

constexpr const char* Switching = "rl_tj20_swpnl";

struct Selector {
    const char* name;
    int leftX, leftY, rightX, rightY;
    std::size_t image;
};
constexpr Selector selectors[] = {
    {"cadc", 60, 100, 92, 100, 1},
    {"fdcmd", 130, 65, 163, 65, 2},
    {"efis", 202, 100, 235, 100, 3},
};

struct SwitchingPanel : ::testing::Test {
    std::unique_ptr<host::Panel> panel = test::loadPanel({"rl_tj20_main_master_variables", Switching});
    void SetUp() override { panel->run(1); }
};

// Left half: NORM and BOTH ON 1; right half: NORM and BOTH ON 2; from BOTH ON 1 the right
// half returns to NORM.
TEST_F(SwitchingPanel, SelectorHalvesTurnBetweenNormAndTheirBothOnPosition) {
    struct Step {
        bool right;
        std::uint32_t position;
    };
    constexpr Step steps[] = {{false, 1}, {false, 0}, {true, 2}, {true, 0},
                              {false, 1}, {true, 0},  {true, 2}, {false, 0}};
    for (const auto& s : selectors) {
        for (const auto& step : steps) {
            SCOPED_TRACE(::testing::Message() << s.name << (step.right ? " right" : " left"));
            ASSERT_TRUE(panel->mouse(Switching, step.right ? s.rightX : s.leftX, step.right ? s.rightY : s.leftY));
            panel->run(1);
            EXPECT_EQ(panel->shared(s.name), step.position);
            EXPECT_EQ(test::element(*panel, Switching, s.image).state, static_cast<int>(step.position));
        }
    }
}

TEST(SwitchingPanelFirstDraw, PutsTheSelectorsToNormAndTheOverheadLightingOff) {
    // The host stands in for the master variables, whose own first draw would clear "ohpanel".
    auto panel = test::loadPanel({Switching}, {"ohpanel"});
    for (const char* name : {"cadc", "fdcmd", "efis", "ohpanel"}) ASSERT_TRUE(panel->setShared(name, 1));
    panel->run(1);
    for (const char* name : {"cadc", "fdcmd", "efis", "ohpanel"}) EXPECT_EQ(panel->shared(name), 0u) << name;
    EXPECT_EQ(test::element(*panel, Switching, 4).state, 0) << "the lighting copy";
}

TEST_F(SwitchingPanel, OverlayFollowsTheOverheadPanelLighting) {
    EXPECT_EQ(test::element(*panel, Switching, 4).state, 0);
    panel->setShared("ohpanel", 1);
    panel->run(1);
    EXPECT_EQ(test::element(*panel, Switching, 4).state, 1);
    EXPECT_TRUE(test::element(*panel, Switching, 4).lit);
}

}  // namespace
