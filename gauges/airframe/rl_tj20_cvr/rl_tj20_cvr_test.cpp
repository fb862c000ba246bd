// Cockpit voice recorder: the TEST light's deadline at irregular tick steps.
#include <cmath>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

TEST(VoiceRecorder, LightGoesOutWhenAnUpdateStepsOverItsTick) {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_cvr"}}};
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        bed.click({128, 35});
        const double off = std::floor(bed.tick() + 36);
        bed.runJittered(40, seed, [&] {
            ASSERT_EQ(bed.element("187,25").state, bed.tick() < off ? 1 : 0)
                << "seed " << seed << " tick " << bed.tick();
        });
    }
}

}  // namespace
}  // namespace tj20::test
