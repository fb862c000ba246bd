// The attitude director indicator through the host, with the DH window owning "dh".
#include <numbers>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

struct Adi : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_dh", "rl_tj20_main_adi"}}};
    host::ElementState with(std::initializer_list<std::pair<SimVar, double>> values, At element) {
        for (const auto& [id, v] : values) bed.sim(id, v);
        bed.run(1);
        return bed.element(element);
    }
};

// The bars show the command less the attitude, limited to 30° of bank and 10° of pitch. The
// simulator's own director would set the commands while it is on, so this panel runs without
// a simulator model and the commands stay as set.
TEST(AdiFlightDirector, BarsShowTheLimitedCommandError) {
    Bed bed{{.modules = {"rl_tj20_main_adi"}, .simulatorModel = false}};
    const At bankBar{160, 139, 2}, pitchBar{160, 139, 3}, sphere{160, 139};
    const auto with = [&](std::initializer_list<std::pair<SimVar, double>> values, At element) {
        for (const auto& [id, v] : values) bed.sim(id, v);
        bed.run(1);
        return bed.element(element);
    };
    bed.sim(sim::FlightDirector, 1);
    for (const auto& [command, bank, error] : {std::tuple{40, 0, 30}, {-40, 0, -30}, {10, -5, 15}, {-25, 5, -30}}) {
        const auto bar = with({{sim::FlightDirectorBank, command}, {sim::Bank, bank}}, bankBar);
        EXPECT_NEAR(bar.offsetX, error * 1.9333333, 1e-9) << command << " at " << bank;
        EXPECT_TRUE(bar.visible && bar.offsetY == 0);
    }
    for (const auto& [command, pitch, error] : {std::tuple{15, 0, 10}, {-12, 0, -10}, {-4, 5, -9}}) {
        const auto bar = with({{sim::FlightDirectorPitch, command}, {sim::Pitch, pitch}}, pitchBar);
        EXPECT_NEAR(bar.offsetY, error * -2.7, 1e-9) << command << " at " << pitch;
        EXPECT_TRUE(bar.visible && bar.offsetX == 0);
    }
    EXPECT_FALSE(with({{sim::FlightDirector, 0}}, bankBar).visible);
    EXPECT_FALSE(bed.element(pitchBar).visible);
    EXPECT_TRUE(bed.element(sphere).visible) << "the sphere stays";
}

TEST_F(Adi, SpherePointersAndBallMoveByTheirScales) {
    const auto sphere = with({{sim::Pitch, 5},
                              {sim::Bank, 20},
                              {sim::SlipBall, 40},
                              {sim::Nav1GlideSlopeNeedle, -60},
                              {sim::Nav1LateralNeedle, 100}},
                             "160,139");
    EXPECT_NEAR(sphere.offsetY, 5 * 3.1181102, 1e-9);
    EXPECT_NEAR(sphere.rotation, -20 * std::numbers::pi / 180, 1e-12);
    EXPECT_EQ(bed.element("151,174").value, -40.0) << "ball";
    EXPECT_NEAR(bed.element("259,129").offsetY, -60 * 0.3458333, 1e-9) << "glide slope";
    EXPECT_NEAR(bed.element("154,220").offsetX, 100 * 0.2834646, 1e-9) << "localizer";
    for (const auto& [bank, shown] : {std::pair{-59.5, -59.5}, {75.0, 60.0}, {-90.0, -60.0}})
        EXPECT_EQ(with({{sim::Bank, bank}}, "160,139[1]").value, shown) << bank;
}

// The fast/slow pointer shows strictly inside ±20 kt of the target; the DH light at or below
// the decision height (100 ft comes back exactly from metres).
TEST_F(Adi, FastSlowPointerAndDhLightThresholds) {
    for (const auto& [speed, shown] : {std::pair{219.9, true}, {220.0, false}, {180.1, true}, {180.0, false}}) {
        const auto pointer = with({{sim::SelectedAirspeed, 200}, {sim::IndicatedAirspeed, speed}}, "34,129");
        EXPECT_EQ(pointer.visible, shown) << speed;
        EXPECT_NEAR(pointer.offsetY, (speed - 200) * -1.425, 1e-9) << speed;
    }
    for (const auto& [feet, lit] : {std::pair{100.0, true}, {100.01, false}, {0.0, true}, {800.0, false}}) {
        const auto light = with({{sim::RadioHeight, feet / 3.28084}}, "264,34");
        EXPECT_EQ(light.visible, lit) << feet;
        EXPECT_EQ(light.state, 1);
    }
}

}  // namespace
}  // namespace tj20::test
