// The radio magnetic indicator through the host.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Pt Knob1{50, 290}, Knob2{280, 290};

struct Rmi : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_nav_rmi"}}};
    void SetUp() override {
        bed.sim(sim::Heading, 30);
        bed.sim(sim::Nav1Bearing, 10);
        bed.sim(sim::Nav2Bearing, 20);
        bed.sim(sim::AdfBearing, 200);
        bed.run(1);
    }
    double pointer1() { return bed.element("173,177").value; }
    double pointer2() { return bed.element("172,177").value; }
};

TEST_F(Rmi, KnobsSwitchEachPointerBetweenItsReceiverAndTheAdf) {
    EXPECT_EQ(bed.element("170,177").value, 330.0) << "the card turns against the heading";
    struct Step {
        Pt knob;
        double pointer1, pointer2;
        int frame1, frame2;
    } steps[] = {{Knob1, 200, 20, 1, 0}, {Knob2, 200, 200, 1, 1}, {Knob1, 10, 200, 0, 1}, {Knob2, 10, 20, 0, 0}};
    for (const auto& s : steps) {
        bed.click(s.knob);
        bed.run(1);
        EXPECT_EQ(pointer1(), s.pointer1);
        EXPECT_EQ(pointer2(), s.pointer2);
        EXPECT_EQ(bed.element("18,244").state, s.frame1);
        EXPECT_EQ(bed.element("234,254").state, s.frame2);
    }
}

// Card and pointers sit on full-circle dials: a turn through north, and a bearing through the
// pointers' last entry (270) and on round, move them about 1° a step.
TEST_F(Rmi, CardAndPointersTurnSmoothlyAllRound) {
    constexpr double Degree = std::numbers::pi / 180;
    double before[2] = {};
    for (int step = 0; step <= 200; ++step) {
        bed.sim(sim::Heading, std::fmod(300.0 + step, 360.0));
        bed.sim(sim::Nav1Bearing, std::fmod(200.0 + step, 360.0));
        bed.run(1);
        const double now[2] = {bed.element("170,177").angle, bed.element("173,177").angle};
        for (int i = 0; i < 2 && step > 0; ++i) {
            const double moved = std::abs(std::remainder(now[i] - before[i], 2 * std::numbers::pi));
            EXPECT_TRUE(0.9 * Degree < moved && moved < 1.1 * Degree) << i << " at step " << step;
        }
        std::copy(now, now + 2, before);
    }
}

}  // namespace
}  // namespace tj20::test
