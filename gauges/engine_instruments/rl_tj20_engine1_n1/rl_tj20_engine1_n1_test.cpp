// N1 and N2 of both engines: both needles follow the carried speed, each held to its range.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

// Each row: gauge, speed, percent, then the dial needle's and the small needle's value.
struct SpoolCase {
    const char* gauge;
    SimVar speed;
    double percent, dial, small;
};
constexpr SpoolCase spoolCases[] = {
    {"rl_tj20_engine1_n1", sim::Engine1N1, 50, 50, 50},    {"rl_tj20_engine1_n1", sim::Engine1N1, 120, 100, 100},
    {"rl_tj20_engine2_n1", sim::Engine2N1, -3, 0, 0},      {"rl_tj20_engine2_n1", sim::Engine2N1, 101, 100, 100},
    {"rl_tj20_engine1_n2", sim::Engine1N2, 104, 100, 104}, {"rl_tj20_engine1_n2", sim::Engine1N2, 110, 100, 105},
    {"rl_tj20_engine2_n2", sim::Engine2N2, 104, 100, 100}, {"rl_tj20_engine2_n2", sim::Engine2N2, 40, 40, 40},
};

TEST(SpoolSpeeds, NeedlesFollowTheirOwnSpoolWithinTheirRanges) {
    Bed bed{{.modules = {"rl_tj20_engine1_n1", "rl_tj20_engine2_n1", "rl_tj20_engine1_n2", "rl_tj20_engine2_n2"}}};
    for (const auto& c : spoolCases) {
        bed.sim(c.speed, c.percent);
        bed.run(1);
        EXPECT_DOUBLE_EQ(bed.element(c.gauge, "151,151").value, c.dial) << c.gauge << " at " << c.percent;
        EXPECT_DOUBLE_EQ(bed.element(c.gauge, "151,222").value, c.small) << c.gauge << " at " << c.percent;
    }
}

}  // namespace
}  // namespace tj20::test
