// The fire handle panel: every handle area from every handle state with its fuel events, and
// the fire going out after the discharge.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

// Per handle: fire start, pull, stow, turn toward agent 1, turn toward agent 2.
struct Side {
    const char* variable;
    Pt fire, pull, stow, agent1, agent2;
    std::uint32_t cutoff, fuelOn;
};
const Side Left{"lengfire",        {135, 25}, {80, 100}, {80, 50}, {30, 60}, {110, 60}, key::Engine1FuelCutoff,
                key::Engine1FuelOn};
const Side Right{"rengfire",        {225, 25}, {270, 100}, {270, 50}, {230, 60}, {300, 60}, key::Engine2FuelCutoff,
                 key::Engine2FuelOn};

struct FireHandles : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_Main_fire_extinguish"}}};
    std::uint32_t state(const Side& s) { return bed.shared(s.variable).value_or(99); }
    // A fresh panel with the handle in the given state, reached as a pilot would.
    void reach(const Side& s, std::uint32_t target) {
        bed.reload();
        if (target >= 4) bed.click(s.fire);
        if (target % 4 >= 1) bed.click(s.pull);
        if (target % 4 == 2) bed.click(s.agent1);
        if (target % 4 == 3) bed.click(s.agent2);
        bed.run(1);
        ASSERT_EQ(state(s), target);
    }
};

TEST_F(FireHandles, EveryAreaFromEveryHandleState) {
    struct Row {
        Pt Side::*area;
        std::uint32_t to[8];  // from states 0 to 7
    };
    const Row rows[] = {{&Side::pull, {1, 1, 2, 3, 5, 5, 6, 7}},
                        {&Side::stow, {0, 0, 0, 0, 4, 4, 4, 4}},
                        {&Side::agent1, {0, 2, 2, 1, 4, 6, 6, 5}},
                        {&Side::agent2, {0, 3, 1, 3, 4, 7, 5, 7}}};
    for (const Side* side : {&Left, &Right}) {
        for (const auto& r : rows) {
            for (std::uint32_t from = 0; from < 8; ++from) {
                SCOPED_TRACE(::testing::Message() << side->variable << " area " << &r - rows << " from " << from);
                reach(*side, from);
                const auto mark = bed.mark();
                bed.click(side->*r.area);
                bed.run(1);
                EXPECT_EQ(state(*side), r.to[from]);
                EXPECT_EQ(bed.count(side->cutoff, mark), r.area == &Side::pull && from % 4 == 0 ? 1u : 0u);
                EXPECT_EQ(bed.count(side->fuelOn, mark), r.area == &Side::stow ? 1u : 0u);
                const auto handle = bed.element(side == &Left ? At{24, 41} : At{210, 41});
                EXPECT_EQ(handle.state, int(r.to[from]));
                EXPECT_EQ(handle.lit, r.to[from] >= 4);
            }
        }
    }
}

// Left: out 360 ticks after the turn to agent 2, right: 270 ticks after the turn to agent 1,
// also when the tick counter steps over the deadline. The other turns set no deadline.
TEST_F(FireHandles, DischargeLightsTheAgentAndPutsTheFireOut) {
    struct Case {
        const Side* side;
        Pt Side::*turn;
        At agentLight;
        double ticks, step;
        std::uint32_t discharged;
    };
    for (const auto& c :
         {Case{&Left, &Side::agent2, {158, 48}, 360, 1, 7}, Case{&Left, &Side::agent2, {158, 48}, 360, 7, 7},
          Case{&Right, &Side::agent1, {158, 18}, 270, 1, 6}}) {
        SCOPED_TRACE(::testing::Message() << c.side->variable << " step " << c.step);
        reach(*c.side, 5);
        bed.click(c.side->*c.turn);
        const double turned = bed.tick();
        while (bed.tick() + c.step < turned + c.ticks) bed.run(1, c.step);
        EXPECT_EQ(state(*c.side), c.discharged);
        EXPECT_EQ(bed.element(c.agentLight).state, 1);
        bed.run(1, c.step);
        EXPECT_EQ(state(*c.side), c.discharged - 4) << "out at tick " << bed.tick();
        bed.click(c.side->stow);
        bed.run(1);
        EXPECT_EQ(bed.element(c.agentLight).state, 1) << "a discharged bottle stays LOW";
    }
    reach(Right, 5);
    bed.click(Right.agent2);
    bed.run(2000);
    EXPECT_EQ(state(Right), 7u);
}

}  // namespace
}  // namespace tj20::test
