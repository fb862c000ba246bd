// The engine synchronisation panel's three switches and the GPWS test it publishes.
#include "test_bed.h"

namespace tj20::test {
namespace {

TEST(SyncPanel, SwitchSequencesAndTheGpwsTest) {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_enginesync"}}};
    struct Step {
        Pt at;
        const char* variable;
        std::uint32_t value;
    };
    const Step steps[] = {
        {{70, 100}, "engsync", 1},  {{120, 100}, "engsync", 0}, {{120, 100}, "engsync", 2}, {{70, 100}, "engsync", 0},
        {{190, 270}, "emerlts", 1}, {{190, 270}, "emerlts", 2}, {{190, 240}, "emerlts", 1}, {{190, 240}, "emerlts", 0},
        {{50, 220}, "gpwstst", 2},  {{50, 250}, "gpwstst", 3},  {{50, 250}, "gpwstst", 2},  {{50, 280}, "gpwstst", 0},
        {{50, 280}, "gpwstst", 1},  {{50, 220}, "gpwstst", 0},  {{50, 280}, "gpwstst", 1},
    };
    const auto mark = bed.mark();
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        bed.click(steps[i].at);
        EXPECT_EQ(bed.shared(steps[i].variable), steps[i].value) << "step " << i;
    }
    EXPECT_EQ(bed.played("sound\\gpwstest.wav", mark), 2u) << "only from 0 to 1";
    EXPECT_EQ(bed.shared("gpwstest"), 0u);
    bed.run(1);
    EXPECT_EQ(bed.shared("gpwstest"), 1u) << "published at the update";
}

}  // namespace
}  // namespace tj20::test
