// The flap indicator: each needle shows its own wing's flap surface.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

TEST(FlapIndicator, EachNeedleReadsItsOwnFlap) {
    Bed bed{{.modules = {"rl_tj20_main_flaps"}}};
    bed.sim(sim::LeftFlap, 4096);
    bed.sim(sim::RightFlap, 16383);
    bed.run(1);
    EXPECT_EQ(bed.element("157,150").value, 4096);
    EXPECT_EQ(bed.element("157,150[1]").value, 16383);
    EXPECT_EQ(bed.element("0,0[1]").state, 1) << "the overlay";
}

}  // namespace
}  // namespace tj20::test
