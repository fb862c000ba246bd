// The engine model over long tick steps: a step of any length ends; it ends exactly where as
// many one-tick steps would once the engines settle, and after ten thousand ticks when they
// never do.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "tj20/ids.h"
#include "tj20host/model.h"
#include "tj20host/sim_ids.h"

namespace tj20::host {
namespace {

// Engine 1 with fuel, past light-off and spooling towards idle; engine 2 running down.
SimState spoolingEngines(const SimModel& model) {
    SimState sim;
    sim.set(sim::OutsideAirTemperature, 15);
    model.key(sim, key::Engine1FuelOn, 0);
    sim.set(sim::Engine1N2, 30);
    model.key(sim, key::Engine2FuelCutoff, 0);
    sim.set(sim::Engine2Modelled, 1);  // as a fuel-on earlier in the flight left it
    sim.set(sim::Engine2N2, 70);
    sim.set(sim::Engine2Egt, 1400);
    return sim;
}

std::array<std::uint64_t, 6> engineValues(const SimState& sim, SimVar n1, SimVar n2, SimVar epr, SimVar flow,
                                          SimVar egt, SimVar oil) {
    return {sim.bits(n1), sim.bits(n2), sim.bits(epr), sim.bits(flow), sim.bits(egt), sim.bits(oil)};
}

std::array<std::uint64_t, 6> engine1(const SimState& s) {
    return engineValues(s, sim::Engine1N1, sim::Engine1N2, sim::Engine1EprInput, sim::Engine1FuelFlow, sim::Engine1Egt,
                        sim::Engine1OilPressure);
}
std::array<std::uint64_t, 6> engine2(const SimState& s) {
    return engineValues(s, sim::Engine2N1, sim::Engine2N2, sim::Engine2EprInput, sim::Engine2FuelFlow, sim::Engine2Egt,
                        sim::Engine2OilPressure);
}

TEST(EngineModelLongStep, OneLongStepEndsWhereAsManyOneTickStepsEnd) {
    const SimModel model = SimModel::aircraft();
    for (const double ticks : {0.5, 3.0, 250.5, 1000.0, 5000.0}) {
        SimState stepped = spoolingEngines(model);
        SimState ticked = spoolingEngines(model);
        model.advance(stepped, ticks);
        double left = ticks;
        for (; left >= 1; left -= 1) model.advance(ticked, 1.0);
        if (left > 0) model.advance(ticked, left);
        EXPECT_EQ(engine1(stepped), engine1(ticked)) << ticks << " ticks";
        EXPECT_EQ(engine2(stepped), engine2(ticked)) << ticks << " ticks";
    }
}

TEST(EngineModelLongStep, AStepTooLongToCountInTicksStillEndsWithTheEnginesSettled) {
    const SimModel model = SimModel::aircraft();
    for (const double ticks : {1e7, 1e17, 1e300}) {
        SimState sim = spoolingEngines(model);
        model.advance(sim, ticks);
        EXPECT_EQ(sim.get(sim::Engine1N2), 58) << "engine 1 at idle after " << ticks << " ticks";
        EXPECT_EQ(sim.get(sim::Engine1FuelFlow), 900);
        EXPECT_EQ(sim.get(sim::Engine2N2), 0) << "engine 2 stopped";
        EXPECT_NEAR(sim.get(sim::Engine2Egt), 491.67 + 1.8 * 15, 1e-9) << "and cooled to the outside air";
    }
}

TEST(EngineModelLongStep, EnginesThatNeverSettleFollowTheFirstTenThousandTicksOfAStep) {
    const SimModel model = SimModel::aircraft();
    const auto unsettled = [&] {
        SimState sim = spoolingEngines(model);
        sim.set(sim::Engine1Egt, 1e6);  // cools 5 degrees a tick: 200,000 ticks to settle
        return sim;
    };
    SimState capped = unsettled();
    model.advance(capped, 10000);
    SimState earlier = unsettled();
    model.advance(earlier, 9999);
    ASSERT_NE(engine1(capped), engine1(earlier)) << "the engine still moves at the ten-thousandth tick";
    for (const double ticks : {10001.0, 1e17, 1e300}) {
        SimState sim = unsettled();
        model.advance(sim, ticks);
        EXPECT_EQ(engine1(sim), engine1(capped)) << ticks << " ticks";
        EXPECT_EQ(engine2(sim), engine2(capped)) << ticks << " ticks";
    }
}

}  // namespace
}  // namespace tj20::host
