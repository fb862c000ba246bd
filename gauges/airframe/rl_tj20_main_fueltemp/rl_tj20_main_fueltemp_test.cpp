#include "test_bed.h"

namespace tj20::test {
namespace {

TEST(FuelTemperatureIndicator, ShowsItsLitFirstImageAndIgnoresClicks) {
    Bed bed{{.modules = {"rl_tj20_main_fueltemp"}, .firstCycles = 3}};
    ASSERT_EQ(bed.elements(bed.focus()).size(), 2u);
    EXPECT_EQ(bed.element("0,0").bitmap, 0x100u);
    const auto light = bed.element("0,0[1]");
    EXPECT_EQ(light.bitmap, 0x1100u);
    EXPECT_EQ(light.images, 2u);
    EXPECT_EQ(light.state, 0);
    EXPECT_TRUE(light.lit);
    EXPECT_TRUE(light.visible);
    EXPECT_FALSE(bed.tryClick({1, 1}));
    EXPECT_TRUE(bed.keyIds().empty());
}

}  // namespace
}  // namespace tj20::test
