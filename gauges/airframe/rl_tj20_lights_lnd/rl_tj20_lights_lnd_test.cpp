#include "panel_test.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr const char* Gauge = "rl_tj20_lights_lnd";
constexpr int UpX = 100, UpY = 80, DownX = 100, DownY = 50;

TEST(LandingLights, UpTwiceThenDownTwiceSwitchesTurnoffAndLandingLights) {
    auto panel = loadPanel({Gauge});
    panel->run(1);
    panel->mouse(Gauge, UpX, UpY);
    panel->run(1);
    panel->mouse(Gauge, UpX, UpY);
    panel->mouse(Gauge, UpX, UpY);  // already at 2
    panel->run(1);
    EXPECT_EQ(element(*panel, Gauge, 1).state, 2);
    EXPECT_EQ(element(*panel, Gauge, 2).state, 2);
    EXPECT_EQ(panel->sim().get(sim::TurnoffLight), 1.0);
    panel->mouse(Gauge, DownX, DownY);
    panel->run(1);
    panel->mouse(Gauge, DownX, DownY);
    panel->run(1);
    panel->mouse(Gauge, DownX, DownY);  // already at 0, light already off
    EXPECT_EQ(keyIds(*panel),
              (std::vector<std::uint32_t>{key::TurnoffLightToggle, key::LandingLightsOn, key::LandingLightsOn,
                                          key::LandingLightsOff, key::TurnoffLightToggle}));
    EXPECT_EQ(panel->sim().get(sim::TurnoffLight), 0.0);
}

TEST(LandingLights, TurnoffToggleOnlyWhenTheSimulatorsLightDisagrees) {
    auto panel = loadPanel({Gauge});
    panel->sim().set(sim::TurnoffLight, 1.0);
    panel->run(1);
    panel->mouse(Gauge, UpX, UpY);  // to 1: the light is on already
    EXPECT_TRUE(keyIds(*panel).empty());
    panel->sim().set(sim::TurnoffLight, 0.0);
    panel->run(1);
    panel->mouse(Gauge, DownX, DownY);  // to 0: the light is off already
    EXPECT_TRUE(keyIds(*panel).empty());
}

TEST(LandingLights, TaxiSwitchMirrorsTheSimulatorsTaxiLight) {
    struct Case {
        double light;
        bool toggles;
    };
    for (const Case c : {Case{0.0, true}, Case{1.0, false}}) {
        auto panel = loadPanel({Gauge});
        panel->sim().set(sim::TaxiLight, c.light);
        panel->run(1);
        panel->mouse(Gauge, 220, 60);
        EXPECT_EQ(keyIds(*panel).size(), c.toggles ? 1u : 0u) << "light " << c.light;
        panel->run(1);
        EXPECT_EQ(element(*panel, Gauge, 3).state, 1);
    }
}

}  // namespace
}  // namespace tj20::test
