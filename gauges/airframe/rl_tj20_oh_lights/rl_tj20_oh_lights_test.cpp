#include "panel_test.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr const char* Gauge = "rl_tj20_oh_lights";

TEST(OverheadLights, PanelSwitchTogglesOhpanelAndTheOverlayFollowsOnTheNextUpdate) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", Gauge});
    panel->run(1);
    panel->mouse(Gauge, 40, 26);
    EXPECT_EQ(panel->shared("ohpanel"), 1u);
    EXPECT_EQ(element(*panel, Gauge, 1).state, 0) << "the lighting copy waits for the update";
    panel->run(1);
    EXPECT_EQ(element(*panel, Gauge, 1).state, 1);
    EXPECT_TRUE(element(*panel, Gauge, 1).lit) << "the overlay is always drawn lit";
    EXPECT_EQ(element(*panel, Gauge, 2).state, 1);
    panel->mouse(Gauge, 90, 76);
    EXPECT_EQ(panel->shared("ohpanel"), 0u);
    EXPECT_TRUE(keyIds(*panel).empty()) << "the panel lighting is ours alone";
}

TEST(OverheadLights, FloodSwitchCommandsThePanelLightsOnAndOff) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", Gauge});
    panel->run(1);
    panel->mouse(Gauge, 170, 25);
    EXPECT_EQ(panel->shared("ohflood"), 1u);
    panel->mouse(Gauge, 221, 76);
    EXPECT_EQ(panel->shared("ohflood"), 0u);
    EXPECT_EQ(keyIds(*panel), (std::vector<std::uint32_t>{key::PanelLightsOn, key::PanelLightsOff}));
    panel->run(1);
    EXPECT_EQ(element(*panel, Gauge, 3).state, 0);
}

TEST(OverheadLights, FirstDrawPutsBothSwitchesOff) {
    // The host stands in for the owner, whose own first draw would clear them as well.
    auto panel = loadPanel({Gauge}, {"ohpanel", "ohflood"});
    panel->setShared("ohpanel", 1);
    panel->setShared("ohflood", 1);
    panel->run(1);
    EXPECT_EQ(panel->shared("ohpanel"), 0u);
    EXPECT_EQ(panel->shared("ohflood"), 0u);
}

}  // namespace
}  // namespace tj20::test
