#include "panel_test.h"
#include "tj20/ids.h"

namespace {
using namespace tj20;

constexpr const char* Ground = "rl_tj20_grndsrvicelpwr";
constexpr std::size_t ApuLight = 2, ExtLight = 4;

struct GroundServicePanel : ::testing::Test {
    std::unique_ptr<host::Panel> panel = test::loadPanel({"rl_tj20_main_master_variables", "rl_tj20_apucntrl",
                                                          "rl_tj20_apu_egtrpm", "rl_tj20_elecdistribution", Ground});
    void SetUp() override { panel->run(1); }
    std::uint32_t shared(const char* name) { return panel->shared(name).value_or(0xdeadbeef); }
    void set(const char* name, std::uint32_t value) { ASSERT_TRUE(panel->setShared(name, value)); }
};

TEST_F(GroundServicePanel, LightsRepeatTheBusPanelsAvailability) {
    set("extpwravail", 1);
    panel->run(1);
    EXPECT_EQ(shared("gsextpwr"), 1u);
    EXPECT_EQ(shared("gsapupwr"), 0u);
    EXPECT_EQ(test::element(*panel, Ground, ExtLight).state, 1);
    EXPECT_TRUE(test::element(*panel, Ground, ExtLight).lit);
    set("extpwravail", 0);
    panel->run(1);
    EXPECT_EQ(shared("gsextpwr"), 0u);
}

TEST_F(GroundServicePanel, LightsTestShowsThreeAndTheLightsReturnOnTheNextUpdate) {
    // APU at RUN on speed with the battery on: the bus panel publishes APU power available.
    set("battsw", 1);
    set("apustartsw", 1);
    set("rpm", 200);
    panel->run(1);
    ASSERT_EQ(shared("apupwr"), 1u);
    EXPECT_EQ(shared("gsapupwr"), 1u);
    set("lightstestsw", 1);
    panel->run(1);
    EXPECT_EQ(shared("gsapupwr"), 3u);
    EXPECT_EQ(shared("gsextpwr"), 3u);
    EXPECT_EQ(test::element(*panel, Ground, ApuLight).state, 2);
    set("lightstestsw", 0);
    panel->run(1);
    EXPECT_EQ(shared("gsapupwr"), 1u);
    EXPECT_EQ(shared("gsextpwr"), 0u);
}

TEST_F(GroundServicePanel, SwitchesToggleWhetherOrNotPowerIsAvailable) {
    struct Switch {
        const char* name;
        int x, y;
        std::size_t element;
    };
    const Switch switches[] = {{"gsapusw", 137, 59, 3}, {"gsextsw", 137, 136, 5}, {"interphone", 263, 115, 6}};
    for (const auto& s : switches) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(panel->mouse(Ground, s.x, s.y));
        panel->run(1);
        EXPECT_EQ(shared(s.name), 1u);
        EXPECT_EQ(test::element(*panel, Ground, s.element).state, 1);
        ASSERT_TRUE(panel->mouse(Ground, s.x, s.y));
        EXPECT_EQ(shared(s.name), 0u);
    }
    EXPECT_EQ(shared("gsapupwr"), 0u);
    EXPECT_EQ(shared("gsextpwr"), 0u);
}

}  // namespace
