#include "test_bed.h"

namespace tj20::test {
namespace {

struct GeneralPanelLights : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_general_panellights"}}};
};

TEST_F(GeneralPanelLights, KnobsStepWithinTheirPositions) {
    struct Case {
        const char* name;
        Pt up, down;
        std::uint32_t top;
        const char* image;
    };
    for (const Case c :
         {Case{"crtbrk", {50, 70}, {50, 45}, 2, "40,38"}, Case{"stbycomp", {130, 70}, {130, 45}, 2, "116,38"}}) {
        for (std::uint32_t i = 1; i <= c.top + 2; ++i) {
            bed.click(c.up);
            EXPECT_EQ(bed.shared(c.name), std::min(i, c.top)) << c.name << " up " << i;
        }
        bed.run(1);
        EXPECT_EQ(bed.element(c.image).state, int(c.top));
        bed.clicks(c.down, 4);
        EXPECT_EQ(bed.shared(c.name), 0u) << c.name << " stops at 0";
    }
}

TEST_F(GeneralPanelLights, ThunderstormAndFloodToggleAndTheOverlayCopiesOhpanel) {
    bed.click({40, 160});
    bed.click({140, 180});
    EXPECT_EQ(bed.shared("thndrstrm"), 1u);
    EXPECT_EQ(bed.shared("ckptflood"), 1u);
    bed.click({40, 160});
    EXPECT_EQ(bed.shared("thndrstrm"), 0u);
    bed.set("ohpanel", 1);
    bed.run(1);
    EXPECT_EQ(bed.element("0,0[1]").state, 1);
    EXPECT_TRUE(bed.element("0,0[1]").lit);
}

}  // namespace
}  // namespace tj20::test
