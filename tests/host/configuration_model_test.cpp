// The configuration model on its own: the gear and the flaps travelling in simulated time at
// any tick step, and the spoiler, trim and autobrake commands.
#include <gtest/gtest.h>

#include "tj20/ids.h"
#include "tj20host/model.h"
#include "tj20host/sim_ids.h"

namespace tj20::host {
namespace {

// Advances the model as the panel cycle does, by `ticks` of simulated time in steps.
void advance(const SimModel& model, SimState& sim, double ticks, double step) {
    for (double done = 0; done < ticks; done += step) {
        sim.set(sim::TickCount, sim.get(sim::TickCount) + step);
        model.advance(sim, step);
    }
}

TEST(ConfigurationModel, GearTravelsEightSecondsAfterTheToggleAtAnyTickStep) {
    const auto model = SimModel::aircraft();
    for (const double step : {1.0, 3.0}) {
        SCOPED_TRACE(::testing::Message() << "tick step " << step);
        SimState sim;
        model.key(sim, key::GearToggle, 0);
        EXPECT_EQ(sim.get(sim::GearHandle), 16383);
        advance(model, sim, 72, step);
        for (auto gear : {sim::NoseGear, sim::LeftGear, sim::RightGear}) EXPECT_NEAR(sim.get(gear), 8191.5, 1e-6);
        advance(model, sim, 69, step);
        EXPECT_LT(sim.get(sim::RightGear), 16383);
        advance(model, sim, 3, step);
        EXPECT_EQ(sim.get(sim::RightGear), 16383);
        EXPECT_EQ(sim.get(sim::GearInTransit), 0);
        sim.set(sim::NoseGear, 5000);  // set by a script: no travel moves it back
        advance(model, sim, 10, step);
        EXPECT_EQ(sim.get(sim::NoseGear), 5000);
        model.key(sim, key::GearToggle, 0);
        EXPECT_EQ(sim.get(sim::GearHandle), 0);
        advance(model, sim, 144, step);
        EXPECT_EQ(sim.get(sim::NoseGear), 0);
        EXPECT_EQ(sim.get(sim::LeftGear), 0);
    }
}

TEST(ConfigurationModel, FlapsFollowTheHandleWhenItMoves) {
    const auto model = SimModel::aircraft();
    for (const double step : {1.0, 3.0}) {
        SCOPED_TRACE(::testing::Message() << "tick step " << step);
        SimState sim;
        sim.set(sim::FlapHandle, 16384);
        advance(model, sim, 135, step);  // half way in 7.5 s
        EXPECT_NEAR(sim.get(sim::LeftFlap), 8191.5, 1e-6);
        EXPECT_NEAR(sim.get(sim::RightFlap), 8191.5, 1e-6);
        advance(model, sim, 150, step);
        EXPECT_EQ(sim.get(sim::LeftFlap), 16383) << "the surfaces stop at full";
        sim.set(sim::FlapHandle, 6553.6);
        advance(model, sim, 270, step);
        EXPECT_EQ(sim.get(sim::RightFlap), 6553.6);
        sim.set(sim::LeftFlap, 100);  // set by a script while the handle stays
        advance(model, sim, 30, step);
        EXPECT_EQ(sim.get(sim::LeftFlap), 100);
    }
}

TEST(ConfigurationModel, SpoilerTrimAndAutobrakeCommands) {
    const auto model = SimModel::aircraft();
    SimState sim;
    model.key(sim, key::SpoilersArmToggle, 0);
    EXPECT_EQ(sim.get(sim::SpoilersArmed), 1);
    model.key(sim, key::SpoilersDeploy, 0);
    EXPECT_EQ(sim.get(sim::SpeedBrakeHandle), 16383);
    EXPECT_EQ(sim.get(sim::SpoilerSurface), 16383);
    EXPECT_EQ(sim.get(sim::SpoilersArmed), 0) << "the handle leaves the ARM detent";
    model.key(sim, key::SpoilersArmToggle, 0);
    EXPECT_EQ(sim.get(sim::SpoilersArmed), 1);

    for (int i = 0; i < 3; ++i) model.key(sim, key::PitchTrimUp, 0);
    EXPECT_DOUBLE_EQ(sim.get(sim::PitchTrim), 0.003);
    for (int i = 0; i < 300; ++i) model.key(sim, key::PitchTrimDown, 0);
    EXPECT_DOUBLE_EQ(sim.get(sim::PitchTrim), -0.25);

    const std::pair<std::uint32_t, double> autobrake[] = {
        {key::AutobrakeStepDown, 0}, {key::AutobrakeStepUp, 1}, {key::AutobrakeStepUp, 2}, {key::AutobrakeStepUp, 3},
        {key::AutobrakeStepUp, 4},   {key::AutobrakeStepUp, 5}, {key::AutobrakeStepUp, 5}, {key::AutobrakeStepDown, 4}};
    for (const auto& [event, level] : autobrake) {
        model.key(sim, event, 0);
        EXPECT_EQ(sim.get(sim::AutobrakeLevel), level);
    }
}

}  // namespace
}  // namespace tj20::host
