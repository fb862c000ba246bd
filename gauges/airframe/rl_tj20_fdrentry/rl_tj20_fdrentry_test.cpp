// Flight data entry panel: the lights' deadlines at irregular tick steps and the thumbwheels'
// limits.
#include <cmath>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Pt EventButton{30, 94};

struct FlightDataEntry : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_fdrentry"}}};
    std::uint32_t test() const { return bed.shared("test").value_or(99); }
    std::uint32_t evnt() const { return bed.shared("evnt").value_or(99); }
};

// At irregular tick steps each light goes out on the first update at or past its deadline.
TEST_F(FlightDataEntry, LightsGoOutWhenAnUpdateStepsOverTheirTick) {
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        bed.run(1, 0.5);  // a fractional tick, truncated in the deadlines
        bed.click(EventButton);
        const double eventOff = std::floor(bed.tick() + 3.6), testOff = std::floor(bed.tick() + 90);
        bed.runJittered(100, seed, [&] {
            ASSERT_EQ(evnt(), bed.tick() < eventOff ? 1u : 0u) << "seed " << seed << " tick " << bed.tick();
            ASSERT_EQ(test(), bed.tick() < testOff ? 1u : 0u) << "seed " << seed << " tick " << bed.tick();
        });
    }
}

TEST_F(FlightDataEntry, ThumbwheelsStepWithinZeroToNine) {
    const struct {
        const char* name;
        Pt up, down;
    } wheels[] = {{"a", {72, 109}, {72, 93}},   {"b", {99, 109}, {99, 92}},   {"c", {126, 109}, {126, 93}},
                  {"d", {153, 109}, {153, 93}}, {"e", {180, 109}, {179, 93}}, {"f", {207, 109}, {207, 93}},
                  {"g", {235, 109}, {235, 93}}};
    for (const auto& w : wheels) {
        bed.click(w.down);
        EXPECT_EQ(bed.shared(w.name), 0u) << w.name;
        bed.clicks(w.up, 10);
        EXPECT_EQ(bed.shared(w.name), 9u) << w.name;
        bed.click(w.down);
        EXPECT_EQ(bed.shared(w.name), 8u) << w.name;
    }
}

}  // namespace
}  // namespace tj20::test
