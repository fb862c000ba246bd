#include "test_bed.h"

namespace tj20::test {
namespace {

constexpr Pt ModeSwitch{30, 120}, RateUp{215, 130}, RateDown{195, 130}, BaroUp{165, 150}, BaroDown{145, 150},
    AltitudeUp{105, 150}, AltitudeDown{85, 150}, PushButton{200, 70}, FirstLightButton{20, 60};
constexpr At ModeIcon{22, 106}, RateKnob{188, 115}, PushLight{196, 58}, FirstLight{12, 52}, SecondLight{12, 76};

struct PressurisationController : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_cabpresscntrl"}}};
};

// A held arrow acts on the press and once more in every held cycle.
TEST_F(PressurisationController, LandingSettingsStepWithinTheirRanges) {
    struct Case {
        const char* name;
        std::uint32_t from;
        Pt at;
        int held;
        std::uint32_t to;
    };
    const Case cases[] = {
        {"lndbaro", 1013, BaroUp, 5, 1019},    {"lndbaro", 1044, BaroUp, 0, 1045},
        {"lndbaro", 1040, BaroUp, 10, 1045},   {"lndbaro", 960, BaroDown, 10, 955},
        {"lndbaro", 956, BaroDown, 0, 955},    {"lndalt", 8500, AltitudeUp, 0, 8600},
        {"lndalt", 8600, AltitudeUp, 3, 8600}, {"lndalt", 8000, AltitudeUp, 2, 8300},
        {"lndalt", 200, AltitudeDown, 5, 0},   {"lndalt", 0, AltitudeDown, 0, 0},
    };
    EXPECT_EQ(bed.shared("lndbaro"), 1013u) << "first draw";
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.name << " from " << c.from << ", held " << c.held);
        bed.set(c.name, c.from);
        bed.hold(c.at, c.held);
        EXPECT_EQ(bed.shared(c.name), c.to);
    }
}

TEST_F(PressurisationController, ModeSwitchAndItsLights) {
    bed.click(FirstLightButton);  // nothing lit yet
    bed.click(ModeSwitch);
    bed.run(1);
    EXPECT_EQ(bed.element(ModeIcon).state, 1);
    EXPECT_TRUE(bed.element(FirstLight).visible);
    EXPECT_TRUE(bed.element(SecondLight).visible);
    bed.click(FirstLightButton);  // away from AUTO: the light stays
    bed.click(ModeSwitch);
    bed.run(1);
    EXPECT_EQ(bed.element(ModeIcon).state, 0);
    EXPECT_TRUE(bed.element(FirstLight).visible);
    EXPECT_FALSE(bed.element(SecondLight).visible);
    bed.click(FirstLightButton);
    bed.run(1);
    EXPECT_FALSE(bed.element(FirstLight).visible);
    EXPECT_TRUE(bed.element(FirstLight).lit);
}

TEST_F(PressurisationController, RateKnobTurnsBetween0And13FromItsMiddle) {
    EXPECT_EQ(bed.element(RateKnob).value, 7.0);
    bed.clicks(RateUp, 7);
    bed.run(1);
    EXPECT_EQ(bed.element(RateKnob).value, 13.0);
    bed.clicks(RateDown, 14);
    bed.run(1);
    EXPECT_EQ(bed.element(RateKnob).value, 0.0);
}

// Lit 12 ticks after the last press, at any tick step; holding it keeps it lit.
TEST_F(PressurisationController, PushButtonLightsForTwelveTicks) {
    for (double step : {1.0, 3.0}) {
        SCOPED_TRACE(::testing::Message() << "tick step " << step);
        bed.run(1, step);
        bed.click(PushButton);
        const double off = bed.tick() + 12;
        while (bed.tick() + step < off) {
            bed.run(1, step);
            ASSERT_TRUE(bed.element(PushLight).visible) << "tick " << bed.tick();
        }
        bed.run(1, step);
        EXPECT_FALSE(bed.element(PushLight).visible);
    }
    bed.hold(PushButton, 30);
    EXPECT_TRUE(bed.element(PushLight).visible);
}

}  // namespace
}  // namespace tj20::test
