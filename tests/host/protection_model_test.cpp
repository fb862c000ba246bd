// The protection model on its own: the yaw damper and probe heat commands set their state,
// the anti-ice and logo light toggles flip exactly the value the panel reads back.
#include <gtest/gtest.h>

#include "tj20/ids.h"
#include "tj20host/model.h"

namespace tj20::host {
namespace {

TEST(ProtectionModel, CommandsSetAndTogglesFlipWhatThePanelReads) {
    struct Case {
        std::uint32_t event, variable;
        double before, once, twice;
    };
    const auto model = SimModel::aircraft();
    for (const Case c :
         {Case{key::YawDamperOn, sim::YawDamper, 0, 1, 1}, Case{key::YawDamperOff, sim::YawDamper, 1, 0, 0},
          Case{key::PitotHeatOn, sim::PitotHeat, 0, 1, 1}, Case{key::PitotHeatOff, sim::PitotHeat, 1, 0, 0},
          Case{key::Engine1AntiIceToggle, sim::Engine1AntiIce, 0, 1, 0},
          Case{key::Engine2AntiIceToggle, sim::Engine2AntiIce, 1, 0, 1},
          Case{key::LogoLightsToggle, sim::LogoLights, 0, 1, 0}}) {
        SimState sim;
        sim.set(c.variable, c.before);
        EXPECT_TRUE(model.key(sim, c.event, 0));
        EXPECT_EQ(sim.get(c.variable), c.once) << std::hex << c.event;
        model.key(sim, c.event, 0);
        EXPECT_EQ(sim.get(c.variable), c.twice) << std::hex << c.event;
    }
}

}  // namespace
}  // namespace tj20::host
