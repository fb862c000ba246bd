// Both EPR gauges: the displayed EPR, the limit mark and the first draw; and the tables of
// every engine instrument.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Position Readout = "101,194", LimitMark = "151,151", Dial = "151,151[1]";
constexpr const char* gauges[] = {"rl_tj20_engine1_epr", "rl_tj20_engine2_epr"};

// The host stands in for the thrust rating panel, so the tests set the limit themselves.
struct EprGauges : ::testing::Test {
    Bed bed{{.modules = {gauges[0], gauges[1]}, .standIns = {"eprlimit"}}};
};

// Each row: ram air temperature (°C), the pressure ratio input of both engines, the EPR
// shown. Above 1.49 the high range (A) shows, at or below it the low range (B): at 77.42145
// the high range is 1.49 exactly in single precision.
struct EprCase {
    double celsius, input, epr;
    const char* text;
};
constexpr EprCase eprCases[] = {
    {0, 100, 2.30057, "2.30"},    {0, 60, 1.2493, "1.25"},           {15, 100, 2.219795, "2.22"},
    {15, 70, 1.36442813, "1.36"}, {-20, 90, 2.04927, "2.05"},        {0, 77.40, 1.49029, "1.49"},
    {0, 77.45, 1.491025, "1.49"}, {0, 77.42145, 1.49058712, "1.49"}, {0, 77.4215, 1.49000180, "1.49"},
};

TEST_F(EprGauges, ShowTheHighRangeAbove149AndTheLowRangeOtherwise) {
    for (const auto& c : eprCases) {
        bed.sim(sim::RamAirTemperatureScaled, c.celsius / 256.0);
        bed.sim(sim::Engine1EprInput, c.input);
        bed.sim(sim::Engine2EprInput, c.input);
        bed.run(1);
        for (const char* g : gauges) {
            EXPECT_NEAR(bed.element(g, Dial).value, c.epr, 1e-6) << g << " at " << c.celsius << " C, " << c.input;
            EXPECT_EQ(bed.element(g, Readout).text, c.text) << g << " at " << c.celsius << " C, " << c.input;
        }
    }
    bed.sim(sim::Engine1EprInput, 60);
    bed.run(1);
    EXPECT_EQ(bed.element(gauges[1], Readout).text, "1.49") << "each reads its own engine";
}

// The mark walks one hundredth per update towards "eprlimit", the left from 0 and the right
// from 80, and shows within 80 and 240. Each row: updates run with a limit, then both marks.
struct LimitStep {
    int updates;
    std::uint32_t limit;
    double left, right;
};
constexpr LimitStep limitSteps[] = {
    {1, 0, 80, 80},       {40, 195, 80, 119},  {76, 195, 116, 195},  {79, 195, 195, 195}, {1, 250, 196, 196},
    {100, 250, 240, 240}, {10, 100, 240, 240}, {200, 100, 100, 100}, {150, 0, 80, 80},
};

TEST_F(EprGauges, LimitMarkWalksOneHundredthPerUpdateWithinTheDial) {
    int total = 0;
    for (const auto& s : limitSteps) {
        bed.set("eprlimit", s.limit);
        bed.run(s.updates);
        total += s.updates;
        EXPECT_DOUBLE_EQ(bed.element(gauges[0], LimitMark).value, s.left) << "after " << total;
        EXPECT_DOUBLE_EQ(bed.element(gauges[1], LimitMark).value, s.right) << "after " << total;
    }
}

TEST(EprGaugesFirstDraw, ShowOnePointZeroAndClearTheLimit) {
    Bed bed{{.modules = {gauges[0], gauges[1]}, .standIns = {"eprlimit"}, .firstCycles = 0}};
    bed.set("eprlimit", 195);
    bed.sim(sim::Engine1EprInput, 100);
    bed.run(1);
    EXPECT_EQ(bed.shared("eprlimit"), 0u);
    for (const char* g : gauges) EXPECT_EQ(bed.element(g, Readout).text, "1.00") << g;
}

TEST(EngineInstrumentTables, EachLooksUpItsOwnEnginesValues) {
    const std::pair<const char*, std::vector<std::uint32_t>> tables[] = {
        {gauges[0], {0x276, 0x15e, 0x272}},
        {gauges[1], {0x15e, 0x285}},
        {"rl_tj20_engine1_n1", {}},
        {"rl_tj20_engine1_egt", {0x237, 0xa}},
        {"rl_tj20_engine2_egt", {0x241}},
        {"rl_tj20_engine2_ff", {0x317}},
        {"rl_tj20_engine1_oilpress", {0x232, 0x1a2}},
        {"rl_tj20_engine2_oilpress", {0x1c9}},
    };
    for (const auto& [gauge, table] : tables) EXPECT_EQ(simTableOf(gauge), table) << gauge;
}

}  // namespace
}  // namespace tj20::test
