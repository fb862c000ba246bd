#include "test_bed.h"
#include "tj20/host_abi.h"

namespace tj20::test {
namespace {

const char* const masterNames[] = {"lightstestsw", "lpneuxfd",     "rpneuxfd",      "apupwr",        "extpwr",
                                   "ohpanel",      "ohflood",      "fuelxfd",       "engsync",       "emerlts",
                                   "lhydactive",   "rhydactive",   "lhydlowactive", "rhydlowactive", "gpwstest",
                                   "lhydpressure", "rhydpressure", "rudhyd"};

TEST(MasterVariables, PublishesItsEighteenNamesClearsThemAtFirstDrawAndUnregistersThemAtKill) {
    Bed bed{{.modules = {"rl_tj20_main_master_variables"}, .firstCycles = 0}};
    EXPECT_EQ(bed.sharedNames().size(), 18u);
    for (const char* name : masterNames) bed.set(name, 1);
    bed.run(1);
    for (const char* name : masterNames) EXPECT_EQ(bed.shared(name), 0u) << name;
    bed.set("ohpanel", 1);
    bed.run(3);
    EXPECT_EQ(bed.shared("ohpanel"), 1u) << "only the first draw clears";
    bed.service(bed.focus(), abi::ServiceKill);
    EXPECT_TRUE(bed.sharedNames().empty());
}

}  // namespace
}  // namespace tj20::test
