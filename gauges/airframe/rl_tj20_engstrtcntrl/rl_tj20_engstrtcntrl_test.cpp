// The engine start panel; the host stands in for the APU's speed and air switch.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

struct EngineStartPanel : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_engstrtcntrl"}, .standIns = {"rpm", "apuairsw"}}};
    void set(std::uint32_t rpm, std::uint32_t air, std::uint32_t leftValve, std::uint32_t rightValve, double n2Left,
             double n2Right) {
        bed.set("rpm", rpm);
        bed.set("apuairsw", air);
        bed.set("lpneuxfd", leftValve);
        bed.set("rpneuxfd", rightValve);
        bed.sim(sim::Engine1N2, n2Left);
        bed.sim(sim::Engine2N2, n2Right);
    }
};

// APU air above 190, engine bleed above 35 % N2 through an open valve; exactly at either
// neither feeds the duct nor lets it bleed.
TEST_F(EngineStartPanel, DuctPressureFollowsItsSources) {
    struct Case {
        const char* what;
        std::uint32_t rpm, air, leftValve, rightValve;
        double n2Left, n2Right;
        std::uint32_t from;
        int updates;
        std::uint32_t to;
    };
    const Case cases[] = {
        {"APU air fills 1 per update", 191, 1, 0, 0, 0, 0, 0, 40, 40},
        {"... to 40", 191, 1, 0, 0, 0, 0, 0, 45, 40},
        {"APU at 190: neither", 190, 1, 0, 0, 0, 0, 20, 5, 20},
        {"APU at 189 bleeds", 189, 1, 0, 0, 0, 0, 20, 5, 15},
        {"air switch off bleeds", 200, 0, 0, 0, 0, 0, 20, 5, 15},
        {"N2 at 35, valves open: neither", 0, 0, 1, 1, 35, 35, 20, 5, 20},
        {"APU at 190 and N2 at 35: neither", 190, 1, 1, 0, 35, 0, 20, 5, 20},
        {"left bleed above 35", 0, 0, 1, 0, 35.01, 0, 20, 5, 25},
        {"right bleed above 35", 0, 0, 0, 1, 0, 36, 20, 5, 25},
        {"bleed behind a closed valve", 0, 0, 0, 0, 60, 60, 20, 5, 15},
        {"an empty duct stays empty", 0, 0, 0, 0, 0, 0, 0, 5, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        set(c.rpm, c.air, c.leftValve, c.rightValve, c.n2Left, c.n2Right);
        bed.set("pneupress", c.from);
        bed.run(c.updates);
        EXPECT_EQ(bed.shared("pneupress"), c.to);
    }
}

// The APU at exactly 190 holds the duct at each case's pressure.
TEST_F(EngineStartPanel, StarterIsCommandedOnEveryUpdateWhileItsConditionsHold) {
    struct Case {
        std::uint32_t startSwitch, duct, ignition, valve;
        double n2;
        bool engaged;
    };
    const Case cases[] = {{2, 26, 2, 1, 0, true},  {2, 25, 2, 1, 0, false}, {2, 26, 1, 1, 0, false},
                          {2, 26, 0, 1, 0, true},  {2, 40, 4, 1, 0, true},  {2, 40, 2, 0, 0, false},
                          {1, 40, 2, 1, 0, false}, {0, 40, 2, 1, 0, false}, {2, 40, 2, 1, 23.5, true},
                          {2, 40, 2, 1, 24, false}};
    for (const bool left : {true, false}) {
        const KeyEvent starter = left ? key::Engine1Starter : key::Engine2Starter;
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message()
                         << (left ? "left" : "right") << " switch " << c.startSwitch << ", duct " << c.duct
                         << ", ignition " << c.ignition << ", valve " << c.valve << ", N2 " << c.n2);
            bed.reload();  // a simulator whose engines no starter has turned yet
            set(190, 1, left ? c.valve : 0, left ? 0 : c.valve, left ? c.n2 : 0, left ? 0 : c.n2);
            bed.set(left ? "lstrtvlv" : "rstrtvlv", c.startSwitch);
            bed.set("pneupress", c.duct);
            bed.set("ignition", c.ignition);
            const Mark from = bed.mark();
            bed.run(3);
            EXPECT_EQ(bed.keyIds(from), std::vector<std::uint32_t>(c.engaged ? 3 : 0, starter));
        }
    }
}

// Both fuel heat buttons come up lit and go out 12 ticks later, at any tick step; a push
// lights one for 12 ticks, and a push while it is lit changes nothing.
TEST_F(EngineStartPanel, FuelHeatLightsForTwelveTicksFromTheFirstDrawAndFromEachPush) {
    const Pt leftHeat{45, 120}, rightHeat{95, 120};
    const auto litUntil = [&](double off, double step) {
        while (bed.tick() + step < off) {
            bed.run(1, step);
            ASSERT_EQ(bed.shared("rfuelheat"), 1u) << "tick " << bed.tick();
        }
        bed.run(1, step);
        EXPECT_EQ(bed.shared("rfuelheat"), 0u) << "tick " << bed.tick();
    };
    for (double step : {1.0, 3.0, 5.0}) {
        SCOPED_TRACE(::testing::Message() << "tick step " << step);
        bed.reload();
        EXPECT_EQ(bed.element("33,102").state, 1);
        bed.click(leftHeat);  // lit: nothing happens
        litUntil(bed.tick() + 12, step);
        EXPECT_EQ(bed.shared("lfuelheat"), 0u);
        EXPECT_EQ(bed.element("33,102").state, 0);

        bed.click(rightHeat);
        const double off = bed.tick() + 12;
        bed.run(1, step);
        bed.click(rightHeat);  // lit: its deadline stays
        litUntil(off, step);
    }
}

// Start switches: upper half 1 -> 2, others -> 1; lower half 0 -> 1, others -> 0.
TEST_F(EngineStartPanel, SwitchesStepThroughTheirPositions) {
    const Pt leftUp{180, 80}, leftDown{180, 120}, rightUp{225, 80}, rightDown{225, 120}, ignitionUp{115, 60},
        ignitionDown{85, 60};
    const std::tuple<Pt, const char*, std::uint32_t> steps[] = {
        {leftUp, "lstrtvlv", 1},     {leftUp, "lstrtvlv", 2},       {leftUp, "lstrtvlv", 1},
        {leftDown, "lstrtvlv", 0},   {leftDown, "lstrtvlv", 1},     {leftUp, "lstrtvlv", 2},
        {leftDown, "lstrtvlv", 0},   {rightDown, "rstrtvlv", 1},    {rightUp, "rstrtvlv", 2},
        {rightDown, "rstrtvlv", 0},  {ignitionDown, "ignition", 0}, {ignitionDown, "ignition", 0},
        {ignitionUp, "ignition", 1}, {ignitionUp, "ignition", 2},   {ignitionUp, "ignition", 3},
        {ignitionUp, "ignition", 4}, {ignitionUp, "ignition", 4},
    };
    EXPECT_EQ(bed.shared("ignition"), 1u) << "first draw";
    for (const auto& [at, name, position] : steps) {
        bed.click(at);
        EXPECT_EQ(bed.shared(name), position) << name << " at " << at.x << "," << at.y;
    }
}

}  // namespace
}  // namespace tj20::test
