#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

struct OverheadLights : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_oh_lights"}}};
};

TEST_F(OverheadLights, PanelSwitchTogglesOhpanelAndTheOverlayFollowsOnTheNextUpdate) {
    bed.click({40, 26});
    EXPECT_EQ(bed.shared("ohpanel"), 1u);
    EXPECT_EQ(bed.element("0,0[1]").state, 0) << "the lighting copy waits for the update";
    bed.run(1);
    EXPECT_EQ(bed.element("0,0[1]").state, 1);
    EXPECT_TRUE(bed.element("0,0[1]").lit) << "the overlay is always drawn lit";
    EXPECT_EQ(bed.element("38,23").state, 1);
    bed.click({90, 76});
    EXPECT_EQ(bed.shared("ohpanel"), 0u);
    EXPECT_TRUE(bed.keyIds().empty()) << "the panel lighting is ours alone";
}

TEST_F(OverheadLights, FloodSwitchCommandsThePanelLightsOnAndOff) {
    bed.click({170, 25});
    EXPECT_EQ(bed.shared("ohflood"), 1u);
    bed.click({221, 76});
    EXPECT_EQ(bed.shared("ohflood"), 0u);
    EXPECT_EQ(bed.keyIds(), (std::vector<std::uint32_t>{key::PanelLightsOn, key::PanelLightsOff}));
    bed.run(1);
    EXPECT_EQ(bed.element("168,23").state, 0);
}

TEST(OverheadLightsFirstDraw, PutsBothSwitchesOff) {
    // The host stands in for the owner, whose own first draw would clear them as well.
    Bed bed{{.modules = {"rl_tj20_oh_lights"}, .standIns = {"ohpanel", "ohflood"}, .firstCycles = 0}};
    bed.set("ohpanel", 1);
    bed.set("ohflood", 1);
    bed.run(1);
    EXPECT_EQ(bed.shared("ohpanel"), 0u);
    EXPECT_EQ(bed.shared("ohflood"), 0u);
}

}  // namespace
}  // namespace tj20::test
