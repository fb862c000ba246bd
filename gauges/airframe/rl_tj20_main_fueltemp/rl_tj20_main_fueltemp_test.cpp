#include "panel_test.h"

namespace {
using namespace tj20;

constexpr const char* FuelTemp = "rl_tj20_main_fueltemp";

TEST(FuelTemperatureIndicator, ShowsItsLitFirstImageAndIgnoresClicks) {
    auto panel = test::loadPanel({FuelTemp});
    panel->run(3);
    const auto elements = panel->elements(FuelTemp);
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[0].bitmap, 0x100u);
    EXPECT_EQ(elements[1].bitmap, 0x1100u);
    EXPECT_EQ(elements[1].images, 2u);
    EXPECT_EQ(elements[1].state, 0);
    EXPECT_TRUE(elements[1].lit);
    EXPECT_TRUE(elements[1].visible);
    EXPECT_FALSE(panel->mouse(FuelTemp, 1, 1));
    EXPECT_TRUE(panel->journal().keyEvents.empty());
}

}  // namespace
