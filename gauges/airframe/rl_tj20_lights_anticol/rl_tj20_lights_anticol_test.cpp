#include "panel_test.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr const char* Gauge = "rl_tj20_lights_anticol";

TEST(ExteriorLights, AntiCollisionSwitchSendsItsToggleOnlyWhenTheLightDisagrees) {
    struct Case {
        double light;
        std::vector<std::uint32_t> events;
    };
    for (const Case& c : {Case{0.0, {key::AntiCollisionLightToggle}}, Case{1.0, {}}}) {
        auto panel = loadPanel({Gauge});
        panel->sim().set(sim::AntiCollisionLight, c.light);
        panel->run(1);
        panel->mouse(Gauge, 150, 60);
        EXPECT_EQ(keyIds(*panel), c.events) << "light " << c.light;
        EXPECT_EQ(panel->sim().get(sim::AntiCollisionLight), 1.0);
    }
}

TEST(ExteriorLights, NavigationSwitchSendsOnThenOff) {
    auto panel = loadPanel({Gauge});
    panel->run(1);
    panel->mouse(Gauge, 220, 60);
    panel->mouse(Gauge, 220, 60);
    EXPECT_EQ(keyIds(*panel), (std::vector<std::uint32_t>{key::NavigationLightsOn, key::NavigationLightsOff}));
}

TEST(ExteriorLights, SpareSwitchMovesWithoutAnEventAndFixedIconsShowTheirFirstImage) {
    auto panel = loadPanel({Gauge});
    panel->run(1);
    panel->mouse(Gauge, 20, 120);
    panel->run(1);
    EXPECT_TRUE(keyIds(*panel).empty());
    EXPECT_EQ(element(*panel, Gauge, 1).state, 1);
    EXPECT_EQ(element(*panel, Gauge, 4).state, 0);
    EXPECT_EQ(element(*panel, Gauge, 5).state, 0);
}

}  // namespace
}  // namespace tj20::test
