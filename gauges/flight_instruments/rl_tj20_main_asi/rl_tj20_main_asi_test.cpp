// The airspeed indicator through the host: its speed markers, needles and Mach window.
#include <array>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Pt Up[] = {{140, 20}, {140, 55}, {140, 90}, {140, 130}};
constexpr Pt Down[] = {{50, 20}, {50, 55}, {50, 90}, {50, 130}};
constexpr const char* Target = "92,94[4]";
constexpr const char* MaxSpeed = "92,94[5]";
constexpr const char* Airspeed = "92,94[6]";

using Markers = std::array<double, 4>;

struct Asi : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_asi"}}};
    Markers markers() {
        bed.run(1);
        return {bed.element("92,94").value, bed.element("92,94[1]").value, bed.element("92,94[2]").value,
                bed.element("92,94[3]").value};
    }
};

// From 60/63/66/69, each press is +1 or -1 on marker 1 to 4; raising pushes the markers above
// that come within 2 kt, lowering takes along the one exactly 3 kt below, then closes up
// those below to 3 kt.
TEST_F(Asi, MarkersPushAndPullTheirNeighbours) {
    struct Case {
        std::vector<int> presses;  // +n raises marker n, -n lowers it
        Markers after;
    } cases[] = {
        {{}, {60, 63, 66, 69}},           {{+1}, {61, 64, 67, 70}},         {{+2}, {60, 64, 67, 70}},
        {{+3}, {60, 63, 67, 70}},         {{+4}, {60, 63, 66, 70}},         {{-1}, {59, 63, 66, 69}},
        {{-2}, {59, 62, 66, 69}},         {{-3}, {59, 62, 65, 69}},         {{-4}, {59, 62, 65, 68}},
        {{+2, +2, -2}, {60, 64, 68, 71}}, {{-1, -2}, {59, 62, 66, 69}},     {{+4, +4, -3}, {59, 62, 65, 71}},
        {{+4, -4}, {60, 63, 66, 69}},     {{+1, +1, -4}, {61, 64, 67, 70}},
    };
    for (const auto& c : cases) {
        bed.reload();
        for (int p : c.presses) bed.click(p > 0 ? Up[p - 1] : Down[-p - 1]);
        EXPECT_EQ(markers(), c.after) << ::testing::PrintToString(c.presses);
    }
    bed.reload();
    EXPECT_TRUE(bed.panel().hold("rl_tj20_main_asi", Down[0].x, Down[0].y, 69));
    EXPECT_EQ(markers()[0], -10.0) << "no lower limit";
}

TEST_F(Asi, NeedlesAndMachWindow) {
    bed.sim(sim::IndicatedAirspeed, 250.5);
    bed.sim(sim::SelectedAirspeed, 240);
    bed.sim(sim::MaxOperatingSpeedRaw, 350 * 128 + 64);
    struct Case {
        double mach;
        bool shown;
        double tens, units;
    } cases[] = {{0.40, false, 4, 0}, {0.41, true, 4, 1}, {0.785, true, 7, 8.5}, {0.2, false, 2, 0}};
    for (const auto& c : cases) {
        bed.sim(sim::MachNumberRaw, c.mach * 65536 / 3.2);
        bed.run(1);
        for (const auto& [drum, digit] : {std::pair{At{78, 48}, c.tens}, {At{93, 50}, c.units}}) {
            EXPECT_EQ(bed.element(drum).visible, c.shown) << c.mach;
            EXPECT_NEAR(bed.element(drum).offsetY, digit * 9.9, 1e-9) << c.mach;
        }
    }
    EXPECT_EQ(bed.element(Airspeed).value, 250.5);
    EXPECT_EQ(bed.element(Target).value, 240.0);
    EXPECT_EQ(bed.element(MaxSpeed).value, 350.5);
}

}  // namespace
}  // namespace tj20::test
