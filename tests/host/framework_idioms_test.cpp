// The idioms the gauges share, each once, through the probe gauge: panel lighting, the
// warning flash, the rising-edge latch and a switch that follows a simulator toggle.
#include "panel_test.h"

namespace tj20::test {
namespace {

const std::vector<std::string> probePanel = {"rl_tj20_main_master_variables", "tj20_probe"};
constexpr std::uint32_t ProbeSwitch = 0x7002, ProbeToggle = 0x1f001;

host::ElementState at(const host::Panel& panel, int x, int y) {
    for (const auto& e : panel.elements("tj20_probe"))
        if (e.x == x && e.y == y) return e;
    ADD_FAILURE() << "no probe element at " << x << "," << y;
    return {};
}

TEST(PanelLighting, OverlayShowsTheCopyAlwaysLitAndNeedlesAreLitWhileItIsOn) {
    auto panel = loadPanel(probePanel);
    panel->run(1);
    for (std::uint32_t on : {1u, 0u, 1u}) {
        panel->setShared("ohpanel", on);
        panel->run(1);
        const auto overlay = at(*panel, 110, 0), needle = at(*panel, 50, 50);
        EXPECT_EQ(overlay.state, int(on));
        EXPECT_TRUE(overlay.lit) << "the lettering overlay is lit whatever the switch";
        EXPECT_EQ(needle.lit, on == 1) << "ohpanel " << on;
    }
}

TEST(PanelLighting, CopyIsTakenAtUpdateNotAtDraw) {
    auto panel = loadPanel(probePanel);
    panel->run(1);
    panel->setShared("ohpanel", 1);
    panel->evaluate("tj20_probe");  // a redraw without an update
    EXPECT_EQ(at(*panel, 110, 0).state, 0) << "a redraw shows the copy of the last update";
    panel->run(1);
    EXPECT_EQ(at(*panel, 110, 0).state, 1);
}

TEST(Flash, LitForNineTicksOfEveryEighteen) {
    auto panel = loadPanel(probePanel);
    const struct {
        double tick;
        int lit;
    } cases[] = {{0, 1}, {8, 1}, {8.9, 1}, {9, 0}, {17, 0}, {18, 1}, {26, 1}, {27, 0}, {36, 1}};
    for (const auto& c : cases) {
        panel->setTick(c.tick - 1);
        panel->run(1);  // the cycle advances the tick to c.tick
        EXPECT_EQ(at(*panel, 110, 10).state, c.lit) << "tick " << c.tick;
    }
}

TEST(Latch, FiresOncePerRiseAndOnlyAfterRelease) {
    auto panel = loadPanel(probePanel);
    panel->run(1);
    const struct {
        std::uint32_t value;
        std::uint32_t edges;
    } steps[] = {{6, 1}, {7, 1}, {3, 1}, {6, 1}, {0, 1}, {0, 1}, {9, 2}, {9, 2}};
    for (const auto& s : steps) {
        panel->setShared("probeval", s.value);
        panel->run(1);
        EXPECT_EQ(panel->shared("probeedges"), s.edges) << "probeval " << s.value;
    }
}

TEST(FollowToggle, SendsOnlyWhileTheSimulatorReadsTheOppositePositionExactly) {
    const struct {
        double simulator;
        bool sentTurningOn;
        bool sentTurningOff;
    } cases[] = {{0.0, true, false}, {1.0, false, true}, {0.5, false, false}, {2.0, false, false}};
    for (const auto& c : cases) {
        auto panel = loadPanel(probePanel);
        panel->sim().set(ProbeSwitch, c.simulator);
        panel->run(1);
        for (bool turningOn : {true, false}) {
            const auto before = keyIds(*panel).size();
            panel->mouse("tj20_probe", 105, 25);
            const auto ids = keyIds(*panel);
            const bool sent = ids.size() > before && ids.back() == ProbeToggle;
            EXPECT_EQ(sent, turningOn ? c.sentTurningOn : c.sentTurningOff)
                << "simulator " << c.simulator << (turningOn ? ", switch on" : ", switch off");
        }
    }
}

}  // namespace
}  // namespace tj20::test
