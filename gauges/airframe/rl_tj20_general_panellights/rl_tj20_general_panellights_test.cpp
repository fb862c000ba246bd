#include "panel_test.h"

namespace tj20::test {
namespace {

constexpr const char* Gauge = "rl_tj20_general_panellights";

TEST(GeneralPanelLights, KnobsStepWithinTheirPositions) {
    struct Case {
        const char* name;
        int upX, upY, downX, downY;
        std::uint32_t top;
        std::size_t element;
    };
    for (const Case c : {Case{"crtbrk", 50, 70, 50, 45, 2, 2}, Case{"stbycomp", 130, 70, 130, 45, 2, 3}}) {
        auto panel = loadPanel({"rl_tj20_main_master_variables", Gauge});
        panel->run(1);
        for (std::uint32_t i = 1; i <= c.top + 2; ++i) {
            panel->mouse(Gauge, c.upX, c.upY);
            EXPECT_EQ(panel->shared(c.name), std::min(i, c.top)) << c.name << " up " << i;
        }
        panel->run(1);
        EXPECT_EQ(element(*panel, Gauge, c.element).state, int(c.top));
        for (int i = 0; i < 4; ++i) panel->mouse(Gauge, c.downX, c.downY);
        EXPECT_EQ(panel->shared(c.name), 0u) << c.name << " stops at 0";
    }
}

TEST(GeneralPanelLights, ThunderstormAndFloodToggle) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", Gauge});
    panel->run(1);
    panel->mouse(Gauge, 40, 160);
    panel->mouse(Gauge, 140, 180);
    EXPECT_EQ(panel->shared("thndrstrm"), 1u);
    EXPECT_EQ(panel->shared("ckptflood"), 1u);
    panel->mouse(Gauge, 40, 160);
    EXPECT_EQ(panel->shared("thndrstrm"), 0u);
}

TEST(GeneralPanelLights, OverlayCopiesOhpanel) {
    auto panel = loadPanel({"rl_tj20_main_master_variables", Gauge});
    panel->run(1);
    panel->setShared("ohpanel", 1);
    panel->run(1);
    EXPECT_EQ(element(*panel, Gauge, 1).state, 1);
    EXPECT_TRUE(element(*panel, Gauge, 1).lit);
}

}  // namespace
}  // namespace tj20::test
