#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

TEST(HeadingHoldStrip, RightClickSendsWingsLevelHoldAndLeftClickNothing) {
    Bed bed{{.modules = {"rl_tj20_main_dfgs_hdghld"}}};
    EXPECT_FALSE(bed.tryClick({5, 20}));
    EXPECT_TRUE(bed.keys().empty());
    bed.rightClick(bed.focus(), {5, 20});
    ASSERT_EQ(bed.keys().size(), 1u);
    EXPECT_EQ(bed.keys()[0].id, key::WingsLevelEngage);
    EXPECT_EQ(bed.keys()[0].value, 0u);
}

}  // namespace
}  // namespace tj20::test
