// Both fuel flow gauges: the fuel-used counter.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr const char* gauges[] = {"rl_tj20_engine1_ff", "rl_tj20_engine2_ff"};

// The counter: fuel on board at the first draw less fuel on board now, truncated to whole
// pounds, the same on both gauges; fuel taken on makes it negative.
TEST(FuelFlowGauges, CounterCountsFuelUsedSinceTheFirstDraw) {
    Bed bed{{.modules = {gauges[0], gauges[1]}, .firstCycles = 0}};
    bed.sim(sim::FuelTotalQuantity, 10000.7);
    bed.run(1);
    const std::pair<double, const char*> steps[] = {
        {10000.7, "00000"}, {9876.2, "00123"}, {10000.2, "00000"}, {10010.5, "-0010"}, {0, "10000"}};
    for (const auto& [onBoard, shown] : steps) {
        bed.sim(sim::FuelTotalQuantity, onBoard);
        bed.run(1);
        for (const char* g : gauges) EXPECT_EQ(bed.element(g, "100,146").text, shown) << g << " at " << onBoard;
    }
}

}  // namespace
}  // namespace tj20::test
