// The simulator model on its own: key events against a simulator state, and time passing
// at different tick steps.
#include <gtest/gtest.h>

#include <string>

#include "tj20/ids.h"
#include "tj20host/model.h"
#include "tj20host/sim_ids.h"

namespace tj20::host {
namespace {

// Advances the model as the panel cycle does: the tick counter first, then the model.
void advance(const SimModel& model, SimState& sim, int cycles, double step) {
    for (int i = 0; i < cycles; ++i) {
        sim.set(sim::TickCount, sim.get(sim::TickCount) + step);
        model.advance(sim, step);
    }
}

TEST(SimulatorModel, LightEventsFlipOrSetTheLights) {
    // A toggle flips the light the panel reads back; on and off set the host-only lights.
    struct Case {
        std::uint32_t event;
        std::uint32_t light;
        double once, twice;
    };
    const auto model = SimModel::aircraft();
    for (const Case c :
         {Case{key::AntiCollisionLightToggle, sim::AntiCollisionLight, 1, 0},
          Case{key::TaxiLightToggle, sim::TaxiLight, 1, 0}, Case{key::TurnoffLightToggle, sim::TurnoffLight, 1, 0},
          Case{key::LandingLightsOn, sim::LandingLights, 1, 1},
          Case{key::NavigationLightsOn, sim::NavigationLights, 1, 1},
          Case{key::PanelLightsOff, sim::PanelLights, 0, 0}}) {
        SimState sim;
        if (c.event == key::PanelLightsOff) sim.set(sim::PanelLights, 1);
        EXPECT_TRUE(model.key(sim, c.event, 0));
        EXPECT_EQ(sim.get(c.light), c.once) << std::hex << c.event;
        model.key(sim, c.event, 0);
        EXPECT_EQ(sim.get(c.light), c.twice) << std::hex << c.event;
    }
    SimState sim;
    EXPECT_FALSE(model.key(sim, 0x1ffff, 0)) << "an event the model does not know";
}

TEST(SimulatorModel, FuelBurnFollowsSimulatedTimeWhateverTheTickStep) {
    // Engine 1 runs from the centre tank: 0.25 gal a tick. Eight ticks, however they are cut.
    struct Case {
        int cycles;
        double step;
        double left;
    };
    const auto model = SimModel::aircraft();
    for (const Case c : {Case{8, 1, 8}, Case{4, 2, 8}, Case{16, 0.5, 8}, Case{1, 8, 8}, Case{5, 0, 10},
                         Case{100, 1, 0}}) {  // a tank never goes below empty
        SimState sim;
        sim.set(sim::Engine1N2, 60);
        sim.set(sim::CentreTankQuantity, 10);
        model.key(sim, key::FuelSelectorCentre, 0);
        advance(model, sim, c.cycles, c.step);
        EXPECT_DOUBLE_EQ(sim.get(sim::CentreTankQuantity), c.left) << c.cycles << " cycles of " << c.step;
        EXPECT_EQ(sim.get(sim::LeftTankQuantity), 0.0) << "nothing from the wing tanks";
    }
}

TEST(SimulatorModel, FuelOnBoardBurnsAtTheEnginesFuelFlowDownToEmpty) {
    // 3240 lb/h on each engine: 0.1 lb a tick together, however the ticks are cut.
    struct Case {
        double onBoard;
        int cycles;
        double step;
        double left;
    };
    const auto model = SimModel::aircraft();
    for (const Case c : {Case{1000, 8, 1, 999.2}, Case{1000, 4, 2, 999.2}, Case{1000, 1, 8, 999.2},
                         Case{1000, 5, 0, 1000}, Case{0.5, 10, 1, 0},  // never below empty
                         Case{0, 10, 1, 0}, Case{-20, 10, 1, -20}}) {  // nothing on board to burn
        SimState sim;
        sim.set(sim::Engine1FuelFlow, 3240);
        sim.set(sim::Engine2FuelFlow, 3240);
        sim.set(sim::FuelTotalQuantity, c.onBoard);
        advance(model, sim, c.cycles, c.step);
        EXPECT_NEAR(sim.get(sim::FuelTotalQuantity), c.left, 1e-9)
            << c.onBoard << " lb, " << c.cycles << " cycles of " << c.step;
    }
}

TEST(SimulatorModel, FuelSelectionRoutesEachEngineToItsTank) {
    struct Case {
        std::uint32_t selector;
        double left, right, centre;  // after one tick with both engines running
    };
    const auto model = SimModel::aircraft();
    for (const Case c : {Case{key::FuelSelectorAll, 9.75, 9.75, 10}, Case{key::FuelSelectorLeft, 9.5, 10, 10},
                         Case{key::FuelSelectorRight, 10, 9.5, 10}, Case{key::FuelSelectorCentre, 10, 10, 9.5}}) {
        SimState sim;
        for (auto tank : {sim::LeftTankQuantity, sim::RightTankQuantity, sim::CentreTankQuantity}) sim.set(tank, 10);
        sim.set(sim::Engine1N2, 51);
        sim.set(sim::Engine2N2, 51);
        model.key(sim, c.selector, 0);
        advance(model, sim, 1, 1);
        EXPECT_DOUBLE_EQ(sim.get(sim::LeftTankQuantity), c.left) << std::hex << c.selector;
        EXPECT_DOUBLE_EQ(sim.get(sim::RightTankQuantity), c.right) << std::hex << c.selector;
        EXPECT_DOUBLE_EQ(sim.get(sim::CentreTankQuantity), c.centre) << std::hex << c.selector;
    }
}

TEST(SimulatorModel, TakeoffThrustEndsAfterFiveMinutesOfSimulatedTime) {
    // 5400 ticks from the start, reached in steps of 1, 4 and 50.
    for (const double step : {1.0, 4.0, 50.0}) {
        const auto model = SimModel::aircraft();
        SimState sim;
        sim.set(sim::TickCount, 100);
        model.key(sim, key::TakeoffGoAroundOn, 0);
        EXPECT_EQ(sim.get(sim::TakeoffGoAroundStartTick), 100);
        const int before = static_cast<int>(5399 / step);  // the last cycle still short of 5400 ticks
        advance(model, sim, before, step);
        EXPECT_EQ(sim.get(sim::TakeoffGoAroundThrust), 1.0) << "step " << step;
        model.key(sim, key::TakeoffGoAroundOn, 0);  // a repeat does not restart the rating
        advance(model, sim, 1, step);
        EXPECT_EQ(sim.get(sim::TakeoffGoAroundThrust), 0.0) << "step " << step;
    }
}

TEST(SimulatorModel, SubsystemsAdvanceInTheirFixedOrderWhateverOrderTheyWereAdded) {
    SimModel model;
    std::string order;
    const auto mark = [&order](char c) { return [&order, c](SimState&, double) { order += c; }; };
    model.onStep(Subsystem::Lighting, mark('L'));
    model.onStep(Subsystem::Guidance, mark('G'));
    model.onStep(Subsystem::Fuel, mark('F'));
    model.onStep(Subsystem::Electrical, mark('E'));
    model.onStep(Subsystem::Apu, mark('A'));
    model.onStep(Subsystem::Electrical, mark('e'));
    SimState sim;
    model.advance(sim, 1);
    EXPECT_EQ(order, "EeAFGL");
}

}  // namespace
}  // namespace tj20::host
