// The horizontal situation indicator through the host.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr double Degree = std::numbers::pi / 180;
// Card, deviation bar, course pointer, TO, FROM, no-signal, heading marker: all about the centre.
const At Card{152, 182, 0}, Bar{152, 182, 1}, Course{152, 182, 2}, To{152, 182, 3}, From{152, 182, 4},
    NoSignal{152, 182, 5}, HeadingMarker{152, 182, 6};

struct Hsi : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_hsi"}}};
    void set(std::initializer_list<std::pair<SimVar, double>> values) {
        for (const auto& [id, v] : values) bed.sim(id, v);
        bed.run(1);
    }
};

// r = D + 360 - heading, less 360 above 359: a direction just left of the nose stays negative.
TEST_F(Hsi, NeedlesShowDirectionsRelativeToTheHeading) {
    const struct {
        double heading, direction, relative;
    } cases[] = {{0, 0, 0}, {10, 5, 355}, {350, 10, 20}, {0, 359.5, 359.5}, {0.5, 0, -0.5}, {181, 1, 180}};
    for (const auto& c : cases) {
        set({{sim::Heading, c.heading}, {sim::SelectedHeading, c.direction}, {sim::Nav1IndicatedCourse, c.direction}});
        for (const At needle : {HeadingMarker, Course, To, From, NoSignal})
            EXPECT_NEAR(bed.element(needle).value, c.relative, 1e-9)
                << needle << ": " << c.direction << " on " << c.heading;
        EXPECT_NEAR(bed.element(Card).rotation, c.heading * Degree, 1e-12);
    }
}

// Heading marker and course pointer sit on full-circle dials: turning the selected heading and
// the course through north in 1° steps turns them by about 1° each step, never stopping at the
// table's last entry (270) nor jumping.
TEST_F(Hsi, HeadingAndCourseNeedlesPassNorthSmoothly) {
    for (double heading : {0.0, 90.0}) {
        double before[2] = {};
        for (int d = 250; d <= 370; ++d) {
            set({{sim::Heading, heading}, {sim::SelectedHeading, d % 360}, {sim::Nav1IndicatedCourse, d % 360}});
            const double now[2] = {bed.element(HeadingMarker).angle, bed.element(Course).angle};
            for (int i = 0; i < 2 && d > 250; ++i) {
                const double step = std::remainder(now[i] - before[i], 2 * std::numbers::pi);
                EXPECT_TRUE(0.9 * Degree < step && step < 1.1 * Degree) << i << ": " << d << " on " << heading;
            }
            std::copy(now, now + 2, before);
        }
    }
}

// The TO/FROM flag picks one of the three course needles; the shutters open while a glide slope is received.
TEST_F(Hsi, FlagsPickTheArrowsAndTheShutters) {
    const struct {
        double flag;
        bool to, from, none;
    } cases[] = {
        {1, true, false, false}, {-1, false, true, false}, {0, false, false, true}, {0.5, false, false, false}};
    for (const auto& c : cases) {
        set({{sim::Nav1ToFrom, c.flag}, {sim::Nav1GlideSlopeReceived, c.flag}});
        EXPECT_EQ(bed.element(To).visible, c.to) << c.flag;
        EXPECT_EQ(bed.element(From).visible, c.from) << c.flag;
        EXPECT_EQ(bed.element(NoSignal).visible, c.none) << c.flag;
        for (const At shutter : {"0,87", "287,87"}) EXPECT_EQ(bed.element(shutter).visible, c.flag != 1) << c.flag;
    }
}

// The deviation bar lies across the course (its bearing plus 90°, less 360 above 359) and
// slides along its axis; the glide-slope pointers and the distance drums move by their scales.
TEST_F(Hsi, BarPointersAndDrumsMoveByTheirScales) {
    for (const auto& [course, turn] : {std::pair{30.0, 120.0}, {270.0, 0.0}, {300.0, 30.0}, {269.5, -0.5}}) {
        set({{sim::Nav1IndicatedCourse, course}, {sim::Nav1LateralNeedle, -50}});
        EXPECT_NEAR(bed.element(Bar).rotation, -turn * Degree, 1e-12) << course;
        EXPECT_NEAR(bed.element(Bar).offsetX, -50 * 0.4330709, 1e-9);
    }
    set({{sim::Nav1GlideSlopeNeedle, 30}, {sim::Dme1Distance, 123.4}, {sim::Dme2Distance, 7}});
    for (const At pointer : {"0,165", "293,165"}) EXPECT_NEAR(bed.element(pointer).offsetY, 30 * 0.5166667, 1e-9);
    const std::pair<At, double> drums[] = {{"12,17", 1},  {"45,17", 2},  {"79,8", 3.4},
                                           {"197,17", 0}, {"230,17", 0}, {"265,8", 7}};
    for (const auto& [drum, digit] : drums) EXPECT_NEAR(bed.element(drum).offsetY, digit * 9.9, 1e-9) << drum;
}

}  // namespace
}  // namespace tj20::test
