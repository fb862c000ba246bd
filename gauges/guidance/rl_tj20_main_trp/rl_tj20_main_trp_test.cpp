#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Position RatReadout = "69,57", EprLimitReadout = "56,137";
constexpr Position lights[] = {"19,205", "63,205", "107,205", "19,248", "63,248", "107,248"};

// Centres of the rating buttons, in "trcmode" order 1 to 6.
constexpr Pt buttons[] = {{35, 221}, {79, 221}, {123, 221}, {35, 264}, {79, 264}, {124, 264}};
enum : std::uint32_t { TakeOff = 1, FlexTakeOff, GoAround, MaxContinuous, Climb, Cruise };

struct ThrustRatingPanel : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_assumedtemp", "rl_tj20_main_trp"}}};
    void select(std::uint32_t mode) {
        bed.click(buttons[mode - 1]);
        bed.run(1);
    }
    std::string readout(At at) const { return bed.element(at).text; }
};

TEST_F(ThrustRatingPanel, ShowsNoLimitBeforeAnyRatingIsSelected) {
    bed.sim(sim::OutsideAirTemperature, 10);
    bed.run(2);
    EXPECT_EQ(readout(EprLimitReadout), "0.00");
    EXPECT_EQ(bed.shared("eprlim"), 0u);
    EXPECT_EQ(bed.shared("eprlimit"), 0u);
    EXPECT_EQ(bed.shared("trcmode"), 0u);
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
        bed.sim(sim::OutsideAirTemperature, 0);
        bed.sim(sim::RamAirTemperatureScaled, 0);
        bed.set("assumedtemp", 0);
        if (c.mode == TakeOff)
            bed.sim(sim::OutsideAirTemperature, c.celsius);
        else if (c.mode == FlexTakeOff)
            bed.set("assumedtemp", static_cast<std::uint32_t>(c.celsius));
        else
            bed.sim(sim::RamAirTemperatureScaled, c.celsius / 256.0);
        select(c.mode);
        EXPECT_EQ(readout(EprLimitReadout), c.readout);
        EXPECT_EQ(bed.shared("eprlim"), c.eprlim);
    }
}

TEST_F(ThrustRatingPanel, ButtonLightsItselfPutsOutTheOthersAndSetsTheRating) {
    for (std::uint32_t mode = TakeOff; mode <= Cruise; ++mode) {
        SCOPED_TRACE(mode);
        select(mode);
        EXPECT_EQ(bed.shared("trcmode"), mode);
        for (std::uint32_t light = 1; light <= 6; ++light)
            EXPECT_EQ(bed.element(lights[light - 1]).state, light == mode ? 1 : 0) << "light " << light;
    }
}

TEST_F(ThrustRatingPanel, LimitForTheEprGaugesFollowsOneUpdateLater) {
    bed.sim(sim::OutsideAirTemperature, 20);
    select(TakeOff);
    EXPECT_EQ(bed.shared("eprlim"), 206u);
    EXPECT_EQ(bed.shared("eprlimit"), 0u);
    bed.run(1);
    EXPECT_EQ(bed.shared("eprlimit"), 206u);
}

TEST(ThrustRatingPanelFirstDraw, ClearsTheLimitCopyTheRatingAndTheAssumedTemperature) {
    // The host stands in for the assumed-temperature selector, whose own first draw would
    // clear "assumedtemp" as well.
    Bed bed{{.modules = {"rl_tj20_main_trp"}, .standIns = {"assumedtemp"}, .firstCycles = 0}};
    for (const char* name : {"eprlim", "eprlimit", "trcmode", "assumedtemp"}) bed.set(name, 7);
    bed.run(1);
    for (const char* name : {"eprlim", "eprlimit", "trcmode", "assumedtemp"}) EXPECT_EQ(bed.shared(name), 0u) << name;
}

TEST_F(ThrustRatingPanel, RamAirReadoutIs256TimesItsSimulatorValue) {
    bed.sim(sim::RamAirTemperatureScaled, -12.0 / 256.0);
    bed.run(1);
    EXPECT_EQ(readout(RatReadout), "-12");
}

}  // namespace
}  // namespace tj20::test
