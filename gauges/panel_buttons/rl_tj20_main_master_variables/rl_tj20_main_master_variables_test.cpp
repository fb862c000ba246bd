#include "panel_test.h"

namespace tj20::test {
namespace {

const char* const masterNames[] = {"lightstestsw", "lpneuxfd",     "rpneuxfd",      "apupwr",        "extpwr",
                                   "ohpanel",      "ohflood",      "fuelxfd",       "engsync",       "emerlts",
                                   "lhydactive",   "rhydactive",   "lhydlowactive", "rhydlowactive", "gpwstest",
                                   "lhydpressure", "rhydpressure", "rudhyd"};

TEST(MasterVariables, PublishesItsEighteenNamesAndClearsThemAtFirstDraw) {
    auto panel = loadPanel({"rl_tj20_main_master_variables"});
    EXPECT_EQ(panel->sharedNames().size(), 18u);
    for (const char* name : masterNames) ASSERT_TRUE(panel->setShared(name, 1)) << name;
    panel->run(1);
    for (const char* name : masterNames) EXPECT_EQ(panel->shared(name), 0u) << name;
    panel->setShared("ohpanel", 1);
    panel->run(3);
    EXPECT_EQ(panel->shared("ohpanel"), 1u) << "only the first draw clears";
}

TEST(MasterVariables, KillUnregistersEveryName) {
    auto panel = loadPanel({"rl_tj20_main_master_variables"});
    panel->service("rl_tj20_main_master_variables", 12);
    EXPECT_TRUE(panel->sharedNames().empty());
}

}  // namespace
}  // namespace tj20::test
