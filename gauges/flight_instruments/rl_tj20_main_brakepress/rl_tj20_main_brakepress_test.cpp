// Brake pressure needles: fast rise, slow bleed, the precharge floors.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

TEST(BrakePressure, NeedlesRiseFastBleedSlowlyAndHoldThePrecharge) {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_main_brakepress"}}};
    struct Step {
        const char* what;
        std::uint32_t leftSystem, rightSystem;
        int updates;
        double left, right;
    } steps[] = {
        {"both systems depressurised", 0, 0, 20, 720, 750},
        {"100 psi per update", 3000, 1000, 2, 920, 950},
        {"an overshoot bleeds 1 in the same update", 3000, 1000, 1, 1020, 1049},
        {"... then 1 per update", 3000, 1000, 20, 3019, 1029},
        {"a lower system pressure: 1 per update", 2000, 1000, 10, 3009, 1019},
        {"depressurised: down to the precharge only", 0, 0, 300, 2709, 750},
    };
    for (const auto& s : steps) {
        bed.set("lhydpressure", s.leftSystem);
        bed.set("rhydpressure", s.rightSystem);
        bed.run(s.updates);
        EXPECT_EQ(bed.element("69,69").value, s.left) << s.what;
        EXPECT_EQ(bed.element("69,69[1]").value, s.right) << s.what;
    }
}

}  // namespace
}  // namespace tj20::test
