// The air conditioning panel; the host stands in for the APU's speed and air switch.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

struct AirConditioning : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_aircond"}, .standIns = {"rpm", "apuairsw"}}};
    // rpm, APU air, left and right pack, left and right crossfeed valve, then N2 left and right.
    void supply(std::array<std::uint32_t, 6> switches, double n2Left, double n2Right) {
        const char* names[] = {"rpm", "apuairsw", "lbldsply", "rbldsply", "lpneuxfd", "rpneuxfd"};
        for (std::size_t i = 0; i < switches.size(); ++i) bed.set(names[i], switches[i]);
        bed.sim(sim::Engine1N2, n2Left);
        bed.sim(sim::Engine2N2, n2Right);
    }
};

TEST_F(AirConditioning, PackPressureFollowsItsBleedSources) {
    struct Case {
        const char* what;
        std::array<std::uint32_t, 6> switches;
        double n2Left, n2Right;
        std::uint32_t from;
        int updates;
        std::uint32_t left, right;
    };
    const Case cases[] = {
        {"APU air, left pack on: 2 per update", {200, 1, 1, 0, 1, 1}, 0, 0, 0, 10, 20, 0},
        {"... to 240, and the right to 250", {200, 1, 2, 1, 1, 1}, 0, 0, 0, 130, 240, 250},
        {"APU air needs the pack's own valve", {200, 1, 1, 1, 0, 1}, 0, 0, 100, 5, 90, 110},
        {"APU at 190: neither", {190, 1, 1, 1, 1, 1}, 0, 0, 100, 5, 100, 100},
        {"own engine, valves closed", {0, 0, 1, 1, 0, 0}, 36, 0, 100, 5, 110, 90},
        {"own engine at 35: neither", {0, 0, 1, 1, 0, 0}, 35, 35, 100, 5, 100, 100},
        {"other engine through both valves", {0, 0, 1, 1, 1, 1}, 0, 36, 100, 5, 110, 110},
        {"other engine, one valve closed", {0, 0, 1, 1, 1, 0}, 0, 36, 100, 5, 90, 110},
        {"packs off take no air", {200, 1, 0, 0, 1, 1}, 60, 60, 100, 5, 90, 90},
        {"empty packs stay empty", {0, 0, 0, 0, 0, 0}, 0, 0, 0, 5, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        supply(c.switches, c.n2Left, c.n2Right);
        bed.set("lpress", c.from);
        bed.set("rpress", c.from);
        bed.run(c.updates);
        EXPECT_EQ(bed.shared("lpress"), c.left);
        EXPECT_EQ(bed.shared("rpress"), c.right);
    }
}

// The APU at exactly 190 holds both packs' pressure where each case sets it.
TEST_F(AirConditioning, ValvesWalkToTheirSelectorsScheduleAbove100) {
    struct Case {
        std::uint32_t selector, pressure, from;
        int updates;
        std::uint32_t to;
    };
    const Case cases[] = {{1, 102, 50, 49, 1},  {1, 102, 50, 60, 0},   {2, 102, 50, 40, 16}, {2, 102, 10, 10, 16},
                          {3, 102, 50, 40, 32}, {4, 102, 60, 20, 50},  {5, 102, 50, 20, 66}, {6, 102, 50, 40, 82},
                          {7, 102, 50, 49, 99}, {7, 102, 50, 60, 100}, {0, 102, 30, 10, 30}, {8, 102, 30, 10, 30},
                          {7, 100, 50, 10, 50}};
    supply({190, 1, 1, 1, 1, 1}, 0, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "selector " << c.selector << ", pack pressure " << c.pressure);
        for (const std::string side : {"l", "r"}) {
            bed.set(side + "ckpttmp", c.selector);
            bed.set(side + "press", c.pressure);
            bed.set("ac" + side + "valve", c.from);
        }
        bed.run(c.updates);
        EXPECT_EQ(bed.shared("aclvalve"), c.to);
        EXPECT_EQ(bed.shared("acrvalve"), c.to);
        EXPECT_EQ(bed.element("263,68").value, double(c.to));
    }
}

// Positions 2 to 6 set a selector's target; the others keep the one it last set.
TEST_F(AirConditioning, TemperatureValuesAreTheMeanOfTheSelectorsTargets) {
    const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t> cases[] = {
        {2, 6, 2260}, {2, 2, 1900}, {6, 3, 2350}, {5, 4, 2350}, {0, 2, 2170}, {8, 7, 2170}, {1, 6, 2530}};
    EXPECT_EQ(bed.shared("cabsply"), 2260u) << "first draw";
    for (const auto& [left, right, mean] : cases) {
        bed.set("lckpttmp", left);
        bed.set("rckpttmp", right);
        bed.run(1);
        EXPECT_EQ(bed.shared("cabsply"), mean) << left << ", " << right;
        EXPECT_EQ(bed.shared("cabtemp"), mean) << left << ", " << right;
    }
}

// One dial: the supply needle walks 5 per draw, the cabin needle 1; the selector shows one.
TEST_F(AirConditioning, TemperatureNeedlesWalkToTheirValuesAndShowByTheSelector) {
    const At cabin = "382,160", supply = "382,160[1]";
    const double s0 = bed.element(supply).value, c0 = bed.element(cabin).value;
    bed.run(1);
    EXPECT_EQ(bed.element(supply).value - s0, 5.0);
    EXPECT_EQ(bed.element(cabin).value - c0, 1.0);
    bed.run(460);
    EXPECT_EQ(bed.element(supply).value, 2260.0);
    EXPECT_TRUE(bed.element(supply).visible);
    EXPECT_FALSE(bed.element(cabin).visible);
    bed.click({340, 60});  // the indicator to cabin
    bed.run(2300);
    EXPECT_FALSE(bed.element(supply).visible);
    EXPECT_TRUE(bed.element(cabin).visible);
    EXPECT_EQ(bed.element(cabin).value, 2260.0);
}

TEST_F(AirConditioning, SelectorsStopAtTheirEnds) {
    const std::tuple<Pt, const char*, std::uint32_t> steps[] = {
        {{120, 135}, "lbldsply", 0}, {{120, 155}, "lbldsply", 1}, {{120, 155}, "lbldsply", 2},
        {{120, 155}, "lbldsply", 2}, {{190, 155}, "rbldsply", 1}, {{190, 135}, "rbldsply", 0},
        {{70, 150}, "lckpttmp", 5},  {{70, 150}, "lckpttmp", 6},  {{70, 150}, "lckpttmp", 7},
        {{70, 150}, "lckpttmp", 8},  {{70, 150}, "lckpttmp", 8},  {{40, 150}, "lckpttmp", 7},
        {{280, 150}, "rckpttmp", 5}, {{250, 150}, "rckpttmp", 4}};
    for (const auto& [at, name, position] : steps) {
        bed.click(at);
        EXPECT_EQ(bed.shared(name), position) << name << " at " << at.x << "," << at.y;
    }
    bed.clicks({250, 150}, 5);
    EXPECT_EQ(bed.shared("rckpttmp"), 0u);
}

}  // namespace
}  // namespace tj20::test
