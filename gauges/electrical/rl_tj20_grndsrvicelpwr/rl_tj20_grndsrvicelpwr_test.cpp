#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Position ApuLight = "176,38", ExtLight = "176,116";

struct GroundServicePanel : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_apucntrl", "rl_tj20_apu_egtrpm",
                         "rl_tj20_elecdistribution", "rl_tj20_grndsrvicelpwr"}}};
};

TEST_F(GroundServicePanel, LightsRepeatTheBusPanelsAvailability) {
    bed.set("extpwravail", 1);
    bed.run(1);
    EXPECT_EQ(bed.shared("gsextpwr"), 1u);
    EXPECT_EQ(bed.shared("gsapupwr"), 0u);
    EXPECT_EQ(bed.element(ExtLight).state, 1);
    EXPECT_TRUE(bed.element(ExtLight).lit);
    bed.set("extpwravail", 0);
    bed.run(1);
    EXPECT_EQ(bed.shared("gsextpwr"), 0u);
}

TEST_F(GroundServicePanel, LightsTestShowsThreeAndTheLightsReturnOnTheNextUpdate) {
    // APU at RUN on speed with the battery on: the bus panel publishes APU power available.
    bed.set("battsw", 1);
    bed.set("apustartsw", 1);
    bed.set("rpm", 200);
    bed.run(1);
    ASSERT_EQ(bed.shared("apupwr"), 1u);
    EXPECT_EQ(bed.shared("gsapupwr"), 1u);
    bed.set("lightstestsw", 1);
    bed.run(1);
    EXPECT_EQ(bed.shared("gsapupwr"), 3u);
    EXPECT_EQ(bed.shared("gsextpwr"), 3u);
    EXPECT_EQ(bed.element(ApuLight).state, 2);
    bed.set("lightstestsw", 0);
    bed.run(1);
    EXPECT_EQ(bed.shared("gsapupwr"), 1u);
    EXPECT_EQ(bed.shared("gsextpwr"), 0u);
}

TEST_F(GroundServicePanel, SwitchesToggleWhetherOrNotPowerIsAvailable) {
    struct Switch {
        const char* name;
        int x, y;
        const char* image;
    };
    const Switch switches[] = {
        {"gsapusw", 137, 59, "123,34"}, {"gsextsw", 137, 136, "123,112"}, {"interphone", 263, 115, "248,90"}};
    for (const auto& s : switches) {
        SCOPED_TRACE(s.name);
        bed.click({s.x, s.y});
        bed.run(1);
        EXPECT_EQ(bed.shared(s.name), 1u);
        EXPECT_EQ(bed.element(s.image).state, 1);
        bed.click({s.x, s.y});
        EXPECT_EQ(bed.shared(s.name), 0u);
    }
    EXPECT_EQ(bed.shared("gsapupwr"), 0u);
    EXPECT_EQ(bed.shared("gsextpwr"), 0u);
}

}  // namespace
}  // namespace tj20::test
