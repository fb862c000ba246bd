// Needles on full-circle dials: a needle that declares the value of one turn carries on from
// its table's last entry round to the first; every other needle stops at its table's ends.
// Through the altimeter, whose 1000-ft pointer has two entries, 0 ft straight up and 500 ft
// straight down, and whose reference marker stops at 0 and 800.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "panel_test.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr double Pi = std::numbers::pi;

struct NeedlePeriod : ::testing::Test {
    std::unique_ptr<host::Panel> panel = loadPanel({"rl_tj20_main_altimeter"});
    host::ElementState pointerAt(double feet) {
        panel->sim().set(sim::Altitude, feet);
        panel->run(1);
        return element(*panel, "rl_tj20_main_altimeter", 6);
    }
};

TEST_F(NeedlePeriod, PointerTurnsOncePerThousandFeetAndPassesTheSeamSmoothly) {
    struct Case {
        double feet, turns;  // the angle as a fraction of a turn clockwise from straight up
    } cases[] = {{0, 0},       {250, 0.25},  {500, 0.5},     {750, 0.75},  {999, 0.999}, {1000, 0},
                 {1250, 0.25}, {1750, 0.75}, {12345, 0.345}, {-250, 0.75}, {-1000, 0},   {-1999.5, 0.0005}};
    for (const auto& c : cases) {
        const auto pointer = pointerAt(c.feet);
        EXPECT_EQ(pointer.value, c.feet);
        EXPECT_NEAR(pointer.angle, c.turns * 2 * Pi, 1e-9) << c.feet << " ft";
    }
}

// A needle that declares no period keeps the rule: the reference marker, on the same dial
// with entries from 0 to 800, stays at its last entry from 800 on.
TEST_F(NeedlePeriod, NeedleWithoutAPeriodStopsAtItsTablesEnds) {
    const auto markerAfter = [&](int presses) {  // the reference knob's up arrow, 10 ft a press
        for (int i = 0; i < presses; ++i) panel->mouse("rl_tj20_main_altimeter", 250, 240);
        panel->run(1);
        return element(*panel, "rl_tj20_main_altimeter", 5);
    };
    EXPECT_NEAR(markerAfter(0).angle, 0, 1e-12);
    const double atEnd = markerAfter(80).angle;
    const auto beyond = markerAfter(20);
    EXPECT_EQ(beyond.value, 1000.0);
    EXPECT_EQ(beyond.angle, atEnd) << "stays at 800, does not come round to 0";
    EXPECT_NE(atEnd, 0.0);
}

}  // namespace
}  // namespace tj20::test
