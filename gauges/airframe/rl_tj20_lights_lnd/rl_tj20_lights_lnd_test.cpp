#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Pt Up{100, 80}, Down{100, 50}, Taxi{220, 60};

struct LandingLights : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_lights_lnd"}, .firstCycles = 0}};
};

TEST_F(LandingLights, UpTwiceThenDownTwiceSwitchesTurnoffAndLandingLights) {
    bed.run(1);
    bed.click(Up);
    bed.run(1);
    bed.clicks(Up, 2);  // the second is already at 2
    bed.run(1);
    EXPECT_EQ(bed.element("45,38").state, 2);
    EXPECT_EQ(bed.element("107,38").state, 2);
    EXPECT_EQ(bed.sim(sim::TurnoffLight), 1.0);
    bed.click(Down);
    bed.run(1);
    bed.click(Down);
    bed.run(1);
    bed.click(Down);  // already at 0, light already off
    EXPECT_EQ(bed.keyIds(),
              (std::vector<std::uint32_t>{key::TurnoffLightToggle, key::LandingLightsOn, key::LandingLightsOn,
                                          key::LandingLightsOff, key::TurnoffLightToggle}));
    EXPECT_EQ(bed.sim(sim::TurnoffLight), 0.0);
}

TEST_F(LandingLights, TurnoffToggleOnlyWhenTheSimulatorsLightDisagrees) {
    bed.sim(sim::TurnoffLight, 1.0);
    bed.run(1);
    bed.click(Up);  // to 1: the light is on already
    EXPECT_TRUE(bed.keyIds().empty());
    bed.sim(sim::TurnoffLight, 0.0);
    bed.run(1);
    bed.click(Down);  // to 0: the light is off already
    EXPECT_TRUE(bed.keyIds().empty());
}

TEST_F(LandingLights, TaxiSwitchMirrorsTheSimulatorsTaxiLight) {
    for (const auto& [light, toggles] : {std::pair{0.0, 1u}, {1.0, 0u}}) {
        bed.reload(0);
        bed.sim(sim::TaxiLight, light);
        bed.run(1);
        bed.click(Taxi);
        EXPECT_EQ(bed.keyIds().size(), toggles) << "light " << light;
        bed.run(1);
        EXPECT_EQ(bed.element("216,47").state, 1);
    }
}

}  // namespace
}  // namespace tj20::test
