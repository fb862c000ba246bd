// The engine model on its own: fuel, starter and throttle against a simulator state, at
// different tick steps.
#include <gtest/gtest.h>

#include <array>

#include "tj20/ids.h"
#include "tj20host/model.h"
#include "tj20host/sim_ids.h"

namespace tj20::host {
namespace {

constexpr double Idle = 58, IdleN1 = 29, Ambient = 491.67 + 1.8 * 15;

struct EngineModel : ::testing::Test {
    const SimModel model = SimModel::aircraft();
    SimState sim;
    void SetUp() override { sim.set(sim::OutsideAirTemperature, 15); }

    // Cycles as the panel runs them: the tick, the model, then the start panel's update,
    // which holds the starter while `starterHeld` and N2 is below 24 %.
    void run(int cycles, double step = 1, bool starterHeld = false) {
        for (int i = 0; i < cycles; ++i) {
            sim.set(sim::TickCount, sim.get(sim::TickCount) + step);
            model.advance(sim, step);
            if (starterHeld && sim.get(sim::Engine1N2) < 24) model.key(sim, key::Engine1Starter, 0);
        }
    }
    // Runs until N2 reaches `n2` (at most `limit` cycles); returns the ticks it took.
    double ticksUntil(double n2, double step, bool starterHeld, int limit = 10000) {
        const double from = sim.get(sim::TickCount);
        for (int i = 0; i < limit && sim.get(sim::Engine1N2) < n2; ++i) run(1, step, starterHeld);
        return sim.get(sim::TickCount) - from;
    }
    void expectIdle() {
        EXPECT_EQ(sim.get(sim::Engine1N2), Idle);
        EXPECT_EQ(sim.get(sim::Engine1N1), IdleN1);
        EXPECT_EQ(sim.get(sim::Engine1FuelFlow), 900);
        EXPECT_NEAR(sim.get(sim::Engine1Egt), Ambient + 700, 1e-9);
        EXPECT_EQ(sim.get(sim::Engine1OilPressure), 45 * 144);
        EXPECT_NEAR(sim.get(sim::Engine1EprInput), 44 + 0.005 * IdleN1 * IdleN1, 1e-9);
    }
};

TEST_F(EngineModel, AnEngineNeverCommandedKeepsTheValuesSetForIt) {
    sim.set(sim::Engine1N2, 60);
    sim.set(sim::Engine2N2, 61);
    sim.set(sim::Engine2N1, 30);
    model.key(sim, key::Engine1FuelCutoff, 0);  // a fuel lever at cut-off on every update
    run(100);
    EXPECT_EQ(sim.get(sim::Engine1N2), 60);
    EXPECT_EQ(sim.get(sim::Engine2N2), 61);
    EXPECT_EQ(sim.get(sim::Engine2N1), 30);
}

// Fuel on, the starter held until 24 %: light-off at 20 %, then the engine carries itself to
// idle, at any tick step.
TEST_F(EngineModel, StartLightsOffAndReachesIdle) {
    for (double step : {1.0, 3.0}) {
        SCOPED_TRACE(::testing::Message() << "tick step " << step);
        sim = {};
        sim.set(sim::OutsideAirTemperature, 15);
        model.key(sim, key::Engine1FuelOn, 0);
        model.key(sim, key::Engine1Starter, 0);
        EXPECT_NEAR(ticksUntil(20, step, true), 200, step);
        run(1, step, true);
        EXPECT_GT(sim.get(sim::Engine1FuelFlow), 0) << "lit";
        EXPECT_GT(sim.get(sim::Engine1Egt), Ambient);
        ticksUntil(24, step, true);
        EXPECT_GE(sim.get(sim::Engine1N1), 0);
        EXPECT_LT(sim.get(sim::Engine1N1), 24) << "the fan lags the core";
        EXPECT_NEAR(ticksUntil(Idle, step, false), 340, 2 * step) << "no starter from 24 % on";
        run(300, step);
        expectIdle();
        EXPECT_EQ(sim.get(sim::Engine2N2), 0) << "the other engine stays";
    }
}

TEST_F(EngineModel, StarterAloneTurnsTheEngineTo28AndItRunsDownWithoutIt) {
    for (double step : {1.0, 3.0}) {
        SCOPED_TRACE(::testing::Message() << "tick step " << step);
        sim.set(sim::Engine1N2, 0);
        for (int i = 0; i < 400 / step; ++i) {
            model.key(sim, key::Engine1Starter, 0);
            run(1, step);
        }
        EXPECT_EQ(sim.get(sim::Engine1N2), 28);
        EXPECT_EQ(sim.get(sim::Engine1FuelFlow), 0);
        run(int(45 / step), step);
        EXPECT_NEAR(sim.get(sim::Engine1N2), 19, 1e-9) << "0.2 % a tick";
        run(int(300 / step), step);
        EXPECT_EQ(sim.get(sim::Engine1N2), 0);
    }
}

// With fuel on, 20 % N2 is enough to burn; just below it the engine runs down.
TEST_F(EngineModel, LightOffSpeed) {
    model.key(sim, key::Engine1FuelOn, 0);
    for (const auto& [from, to] : {std::pair{19.99, 19.79}, {20.0, 20.1}}) {
        sim.set(sim::Engine1N2, from);
        run(1);
        EXPECT_NEAR(sim.get(sim::Engine1N2), to, 1e-9) << from;
    }
}

TEST_F(EngineModel, RunningEngineFollowsTheThrottle) {
    struct Case {
        double lever, n2, n1, flow;
    };
    model.key(sim, key::Engine1FuelOn, 0);
    sim.set(sim::Engine1N2, Idle);
    for (const Case c : {Case{16383, 100, 100, 9000}, Case{16383 / 2.0, 79, 64.5, 4950}, Case{0, Idle, IdleN1, 900},
                         Case{-4000, Idle, IdleN1, 900}}) {
        SCOPED_TRACE(::testing::Message() << "lever " << c.lever);
        sim.set(sim::Throttle1Lever, c.lever);
        run(500);
        EXPECT_NEAR(sim.get(sim::Engine1N2), c.n2, 1e-9);
        EXPECT_NEAR(sim.get(sim::Engine1N1), c.n1, 1e-9);
        EXPECT_NEAR(sim.get(sim::Engine1FuelFlow), c.flow, 1e-9);
    }
    sim.set(sim::Throttle1Lever, 16383);
    run(100);
    EXPECT_NEAR(sim.get(sim::Engine1N2), Idle + 10, 1e-9) << "0.1 % a tick";
}

TEST_F(EngineModel, FuelCutoffSpoolsTheEngineDown) {
    model.key(sim, key::Engine2FuelOn, 0);
    sim.set(sim::Engine2N2, Idle);
    run(400);
    model.key(sim, key::Engine2FuelCutoff, 0);
    run(1);
    EXPECT_NEAR(sim.get(sim::Engine2N2), Idle - 0.2, 1e-9);
    EXPECT_EQ(sim.get(sim::Engine2FuelFlow), 0);
    EXPECT_NEAR(sim.get(sim::Engine2Egt), Ambient + 695, 1e-9) << "cooling 5 degrees a tick";
    run(289);
    EXPECT_NEAR(sim.get(sim::Engine2N2), 0, 1e-9);
    EXPECT_NEAR(sim.get(sim::Engine2N1), 0, 1e-9);
    EXPECT_NEAR(sim.get(sim::Engine2OilPressure), 0, 1e-9);
    EXPECT_NEAR(sim.get(sim::Engine2Egt), Ambient, 1e-9);
}

// The same simulated time ends alike however the cycles cut it.
TEST_F(EngineModel, TickStepsEndAlike) {
    const auto after = [&](double step, int cycles) {
        sim = {};
        model.key(sim, key::Engine1FuelOn, 0);
        sim.set(sim::Engine1N2, 21);
        run(cycles, step);
        model.key(sim, key::Engine1FuelCutoff, 0);
        run(cycles / 2, step);
        return std::array{sim.get(sim::Engine1N2), sim.get(sim::Engine1N1), sim.get(sim::Engine1Egt),
                          sim.get(sim::Engine1FuelFlow), sim.get(sim::Engine1OilPressure)};
    };
    const auto bySingles = after(1, 300);
    EXPECT_NEAR(bySingles[0], 21 + 30 - 30, 1e-9) << "0.1 % a tick up, 0.2 down";
    EXPECT_EQ(after(3, 100), bySingles);
    const auto byHalves = after(0.5, 600);
    for (std::size_t i = 0; i < bySingles.size(); ++i) EXPECT_NEAR(byHalves[i], bySingles[i], 1e-9) << i;
}

// Set when the feed tank fills, cleared when it runs dry; left alone while the tanks stay empty.
TEST_F(EngineModel, EngineOneFuelAvailableFollowsItsFeedTank) {
    struct Case {
        KeyEvent selector;
        double left, centre, available;
    };
    sim.set(sim::Engine1FuelAvailable, 1);
    run(3);
    EXPECT_EQ(sim.get(sim::Engine1FuelAvailable), 1) << "as set while every tank is empty";
    for (const Case c : {Case{key::FuelSelectorAll, 5, 0, 1}, Case{key::FuelSelectorAll, 0, 5, 0},
                         Case{key::FuelSelectorCentre, 0, 5, 1}, Case{key::FuelSelectorCentre, 5, 0, 0},
                         Case{key::FuelSelectorLeft, 5, 0, 1}, Case{key::FuelSelectorRight, 5, 5, 0}}) {
        model.key(sim, c.selector, 0);
        sim.set(sim::LeftTankQuantity, c.left);
        sim.set(sim::CentreTankQuantity, c.centre);
        run(1);
        EXPECT_EQ(sim.get(sim::Engine1FuelAvailable), c.available) << c.selector.id << " " << c.left << " " << c.centre;
    }
}

}  // namespace
}  // namespace tj20::host
