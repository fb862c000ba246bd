// The radio altimeter and the DH window through the host, beside the ADI with its DH light.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr const char* RadioAltimeter = "rl_tj20_main_radioh";
constexpr const char* DhWindow = "rl_tj20_main_dh";
constexpr const char* Approaching = "sound\\tj20_apprminimums.wav";
constexpr const char* Minimums = "sound\\tj20_minimums.wav";
constexpr Pt RadioUp{40, 110}, RadioDown{25, 110}, WindowUp{25, 5}, WindowDown{5, 5};
using Calls = std::vector<std::string>;

struct DecisionHeight : ::testing::Test {
    Bed bed{{.modules = {RadioAltimeter, DhWindow, "rl_tj20_main_adi"}, .focus = RadioAltimeter}};
    // One update at a radio height in feet (the simulator gives metres); the one-shot calls it made.
    Calls fly(double feet) {
        const Mark before = bed.mark();
        bed.sim(sim::RadioHeight, feet / 3.28084);
        bed.run(1);
        Calls out;
        for (const auto& s : bed.sounds(before)) out.push_back(s.alias.empty() && !s.repeat ? s.path : "?" + s.path);
        return out;
    }
    std::string readout(const char* gauge) { return bed.element(gauge, gauge == DhWindow ? "4,1" : "10,101").text; }
    void hold(const char* gauge, Pt p, int cycles) { EXPECT_TRUE(bed.panel().hold(gauge, p.x, p.y, cycles)); }
};

// Decision height 100 ft: the radio altimeter calls below 160 and 100 ft once armed above
// 250 ft, the DH window below 200 ft once armed above 200 ft; every comparison is strict
// (100, 160 and 200 ft come back exactly from metres).
TEST_F(DecisionHeight, EachApproachMakesEachCallOnceAtItsHeight) {
    const struct {
        double feet;
        Calls heard;
    } steps[] = {
        {0, {}},
        {50, {}},
        {200, {}},  // from the ground nothing is armed
        {249.99, {}},
        {200, {}},
        {250.01, {}},  // the window arms above 200, the altimeter above 250
        {199.99, {Minimums}},
        {160, {}},
        {159.99, {Approaching}},
        {100, {}},
        {99.99, {Minimums}},
        {0, {}},
        {249.99, {}},
        {150, {Minimums}},
        {90, {}},  // a go-around below 250 arms only the window
        {300, {}},
        {90, {Approaching, Minimums, Minimums}},  // both heights in one update, in order
    };
    for (std::size_t i = 0; i < std::size(steps); ++i)
        EXPECT_EQ(fly(steps[i].feet), steps[i].heard) << "step " << i << " at " << steps[i].feet << " ft";
}

// Stepped down, both knobs stop at 0 instead of wrapping round to 4294967295, which would
// light the DH light for good and make the callouts at nonsense heights.
TEST_F(DecisionHeight, BothKnobsStopAtZero) {
    hold(RadioAltimeter, RadioDown, 120);
    hold(DhWindow, WindowDown, 120);
    EXPECT_EQ(fly(1000), Calls{});
    EXPECT_EQ(readout(RadioAltimeter), "000");
    EXPECT_EQ(readout(DhWindow), "  0");
    EXPECT_FALSE(bed.element("rl_tj20_main_adi", "264,34").visible) << "DH light out at 1000 ft";
    EXPECT_EQ(fly(100), Calls{});
    EXPECT_EQ(fly(50), (Calls{Approaching, Minimums})) << "60 ft and 100 ft above a decision height of 0";
    EXPECT_EQ(fly(0), Calls{});
    bed.click(RadioUp);
    bed.click(DhWindow, WindowUp);
    bed.run(1);
    EXPECT_EQ(readout(RadioAltimeter), "001");
    EXPECT_EQ(readout(DhWindow), "  1");
}

// The radio altimeter shows at most 500 ft of decision height and its tape 0 to 2550 ft.
TEST_F(DecisionHeight, RadioAltimeterReadoutAndTapeStopAtTheirEnds) {
    hold(RadioAltimeter, RadioUp, 449);
    hold(DhWindow, WindowUp, 899);
    EXPECT_EQ(readout(RadioAltimeter), "500") << "550";
    EXPECT_EQ(readout(DhWindow), "1000") << "a width is only a minimum";
    hold(RadioAltimeter, RadioDown, 60);
    EXPECT_EQ(readout(RadioAltimeter), "489");
    for (const auto& [feet, shown] : {std::pair{-20.0, 0.0}, {1200.0, 1200.0}, {2550.0, 2550.0}, {4000.0, 2550.0}}) {
        fly(feet);
        EXPECT_NEAR(bed.element("21,27").offsetY, shown * 0.1, 1e-9) << feet;
    }
}

}  // namespace
}  // namespace tj20::test
