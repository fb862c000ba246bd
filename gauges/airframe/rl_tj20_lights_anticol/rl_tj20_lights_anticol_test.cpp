#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

struct ExteriorLights : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_lights_anticol"}, .firstCycles = 0}};
};

TEST_F(ExteriorLights, AntiCollisionSwitchSendsItsToggleOnlyWhenTheLightDisagrees) {
    struct Case {
        double light;
        std::vector<std::uint32_t> events;
    };
    for (const Case& c : {Case{0.0, {key::AntiCollisionLightToggle}}, Case{1.0, {}}}) {
        bed.reload(0);
        bed.sim(sim::AntiCollisionLight, c.light);
        bed.run(1);
        bed.click({150, 60});
        EXPECT_EQ(bed.keyIds(), c.events) << "light " << c.light;
        EXPECT_EQ(bed.sim(sim::AntiCollisionLight), 1.0);
    }
}

TEST_F(ExteriorLights, NavigationSwitchSendsOnThenOffAndTheSpareSwitchNothing) {
    bed.run(1);
    bed.click({220, 60});
    bed.click({220, 60});
    EXPECT_EQ(bed.sent(), (std::vector<std::uint32_t>{key::NavigationLightsOn, key::NavigationLightsOff}));
    bed.click({20, 120});
    bed.run(1);
    EXPECT_TRUE(bed.sent().empty());
    EXPECT_EQ(bed.element("19,117").state, 1);
    EXPECT_EQ(bed.element("15,31").state, 0) << "fixed icons show their first image";
    EXPECT_EQ(bed.element("67,31").state, 0);
}

}  // namespace
}  // namespace tj20::test
