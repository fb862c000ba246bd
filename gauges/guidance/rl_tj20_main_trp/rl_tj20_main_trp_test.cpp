#include "panel_test.h"
#include "tj20/ids.h"

namespace {
using namespace tj20;

constexpr const char* Trp = "rl_tj20_main_trp";
constexpr std::size_t RatReadout = 7, EprLimitReadout = 8;

// Centres of the rating buttons, in "trcmode" order 1 to 6.
struct Point {
    int x, y;
};
constexpr Point buttons[] = {{35, 221}, {79, 221}, {123, 221}, {35, 264}, {79, 264}, {124, 264}};
enum : std::uint32_t { TakeOff = 1, FlexTakeOff, GoAround, MaxContinuous, Climb, Cruise };

struct ThrustRatingPanel : ::testing::Test {
    std::unique_ptr<host::Panel> panel = test::loadPanel({"rl_tj20_main_assumedtemp", Trp});
    void SetUp() override { panel->run(1); }
    void select(std::uint32_t mode) {
        ASSERT_TRUE(panel->mouse(Trp, buttons[mode - 1].x, buttons[mode - 1].y));
        panel->run(1);
    }
    std::string readout(std::size_t index) { return test::element(*panel, Trp, index).text; }
};

TEST_F(ThrustRatingPanel, ShowsNoLimitBeforeAnyRatingIsSelected) {
    panel->sim().set(sim::OutsideAirTemperature, 10);
    panel->run(2);
    EXPECT_EQ(readout(EprLimitReadout), "0.00");
    EXPECT_EQ(panel->shared("eprlim"), 0u);
    EXPECT_EQ(panel->shared("eprlimit"), 0u);
    EXPECT_EQ(panel->shared("trcmode"), 0u);
}

// Each row: the rating, the temperature it is entered with, the readout and "eprlim" (the
// single-precision limit × 100, truncated, so most limits publish one below their readout).
struct LimitCase {
    std::uint32_t mode;
    double celsius;
    const char* readout;
    std::uint32_t eprlim;
};
constexpr LimitCase limitCases[] = {
    {TakeOff, 16.0, "2.09", 208},       {TakeOff, 16.1, "2.07", 206},  {TakeOff, 38.5, "1.93", 192},
    {TakeOff, 46.5, "1.86", 186},       {FlexTakeOff, 0, "2.09", 208}, {FlexTakeOff, 15, "2.07", 206},
    {FlexTakeOff, 49, "1.85", 185},     {GoAround, 14.5, "2.08", 207}, {GoAround, 48.5, "1.86", 186},
    {MaxContinuous, 45.5, "1.80", 179}, {Climb, 20.0, "1.93", 192},    {Climb, 45.5, "1.61", 161},
    {Cruise, -30.0, "2.05", 204},       {Cruise, -29.9, "2.02", 201},  {Cruise, 30.5, "1.55", 154},
};

TEST_F(ThrustRatingPanel, LimitFollowsTheBandOfTheSelectedRatingsTemperature) {
    for (const auto& c : limitCases) {
        SCOPED_TRACE(::testing::Message() << "rating " << c.mode << " at " << c.celsius << " C");
        panel->sim().set(sim::OutsideAirTemperature, 0);
        panel->sim().set(sim::RamAirTemperatureScaled, 0);
        panel->setShared("assumedtemp", 0);
        if (c.mode == TakeOff)
            panel->sim().set(sim::OutsideAirTemperature, c.celsius);
        else if (c.mode == FlexTakeOff)
            panel->setShared("assumedtemp", static_cast<std::uint32_t>(c.celsius));
        else
            panel->sim().set(sim::RamAirTemperatureScaled, c.celsius / 256.0);
        select(c.mode);
        EXPECT_EQ(readout(EprLimitReadout), c.readout);
        EXPECT_EQ(panel->shared("eprlim"), c.eprlim);
    }
}

TEST_F(ThrustRatingPanel, ButtonLightsItselfPutsOutTheOthersAndSetsTheRating) {
    for (std::uint32_t mode = TakeOff; mode <= Cruise; ++mode) {
        SCOPED_TRACE(mode);
        select(mode);
        EXPECT_EQ(panel->shared("trcmode"), mode);
        for (std::uint32_t light = 1; light <= 6; ++light)
            EXPECT_EQ(test::element(*panel, Trp, light).state, light == mode ? 1 : 0) << "light " << light;
    }
}

TEST_F(ThrustRatingPanel, LimitForTheEprGaugesFollowsOneUpdateLater) {
    panel->sim().set(sim::OutsideAirTemperature, 20);
    select(TakeOff);
    EXPECT_EQ(panel->shared("eprlim"), 206u);
    EXPECT_EQ(panel->shared("eprlimit"), 0u);
    panel->run(1);
    EXPECT_EQ(panel->shared("eprlimit"), 206u);
}

TEST(ThrustRatingPanelFirstDraw, ClearsTheLimitCopyTheRatingAndTheAssumedTemperature) {
    // The host stands in for the assumed-temperature selector, whose own first draw would
    // clear "assumedtemp" as well.
    auto panel = test::loadPanel({Trp}, {"assumedtemp"});
    for (const char* name : {"eprlim", "eprlimit", "trcmode", "assumedtemp"}) ASSERT_TRUE(panel->setShared(name, 7));
    panel->run(1);
    for (const char* name : {"eprlim", "eprlimit", "trcmode", "assumedtemp"})
        EXPECT_EQ(panel->shared(name), 0u) << name;
}

TEST_F(ThrustRatingPanel, RamAirReadoutIs256TimesItsSimulatorValue) {
    panel->sim().set(sim::RamAirTemperatureScaled, -12.0 / 256.0);
    panel->run(1);
    EXPECT_EQ(readout(RatReadout), "-12");
}

}  // namespace
