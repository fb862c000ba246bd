#include "test_bed.h"

namespace tj20::test {
namespace {

struct Selector {
    const char* name;
    int leftX, leftY, rightX, rightY;
    Position image;
};
constexpr Selector selectors[] = {
    {"cadc", 60, 100, 92, 100, "52,73"},
    {"fdcmd", 130, 65, 163, 65, "118,38"},
    {"efis", 202, 100, 235, 100, "194,70"},
};
constexpr Position Overlay = "0,0[1]";

struct SwitchingPanel : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_swpnl"}}};
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
            bed.click({step.right ? s.rightX : s.leftX, step.right ? s.rightY : s.leftY});
            bed.run(1);
            EXPECT_EQ(bed.shared(s.name), step.position);
            EXPECT_EQ(bed.element(s.image).state, static_cast<int>(step.position));
        }
    }
}

TEST(SwitchingPanelFirstDraw, PutsTheSelectorsToNormAndTheOverheadLightingOff) {
    // The host stands in for the master variables, whose own first draw would clear "ohpanel".
    Bed bed{{.modules = {"rl_tj20_swpnl"}, .standIns = {"ohpanel"}, .firstCycles = 0}};
    for (const char* name : {"cadc", "fdcmd", "efis", "ohpanel"}) bed.set(name, 1);
    bed.run(1);
    for (const char* name : {"cadc", "fdcmd", "efis", "ohpanel"}) EXPECT_EQ(bed.shared(name), 0u) << name;
    EXPECT_EQ(bed.element(Overlay).state, 0) << "the lighting copy";
}

TEST_F(SwitchingPanel, OverlayFollowsTheOverheadPanelLighting) {
    EXPECT_EQ(bed.element(Overlay).state, 0);
    bed.set("ohpanel", 1);
    bed.run(1);
    EXPECT_EQ(bed.element(Overlay).state, 1);
    EXPECT_TRUE(bed.element(Overlay).lit);
}

}  // namespace
}  // namespace tj20::test
