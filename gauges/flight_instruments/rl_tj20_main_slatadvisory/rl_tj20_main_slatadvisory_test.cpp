// The slat advisory lights: the timed self-test sequence after takeoff flaps are set on the
// ground, its end, and the landing light.
#include <string>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

struct SlatAdvisory : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_slatadvisory"}}};
    // The lights showing: T (T/O), D (DISAG), A (AUTO), L (LAND).
    std::string lights() const {
        std::string s;
        const char* names = "TDAL";
        for (int i = 0; i < 4; ++i)
            if (bed.element(At(2, 2 + 21 * i)).visible) s += names[i];
        return s.empty() ? "-" : s;
    }
    void flaps(double left, double right, double handle) {
        bed.sim(sim::LeftFlap, left);
        bed.sim(sim::RightFlap, right);
        bed.sim(sim::FlapHandle, handle);
    }
    // The lights after each cycle, runs of the same lights folded: "T12 D9 ...".
    std::string sequence(int cycles, double step) {
        std::string out, last;
        int n = 0;
        for (int i = 0; i < cycles; ++i) {
            bed.run(1, step);
            const std::string now = lights();
            if (now != last && n) out += last + std::to_string(n) + " ";
            n = now == last ? n + 1 : 1;
            last = now;
        }
        return out + last + std::to_string(n);
    }
};

// A clock stepping over the end of a step still moves the sequence on.
TEST_F(SlatAdvisory, TakeoffFlapsOnTheGroundRunTheSequenceAtAnyTickStep) {
    bed.sim(sim::OnGround, 1);
    flaps(1000, 1000, 6553.6);  // the surfaces on their way to the takeoff position
    EXPECT_EQ(sequence(60, 1), "T12 D9 DA10 D9 T20");
    flaps(1000, 1000, 9830.5);
    EXPECT_EQ(sequence(3, 1), "-3") << "the handle beyond the takeoff range ends it";
    flaps(1000, 1000, 6553.6);
    EXPECT_EQ(sequence(3, 1), "-3") << "... until the flaps are next fully up";
    flaps(0, 0, 0);
    bed.run(1);
    flaps(500, 500, 6553.6);
    EXPECT_EQ(sequence(15, 4), "T3 D3 DA3 D3 T3");
}

// The surfaces stand where the handle is, so the simulator leaves them there.
TEST_F(SlatAdvisory, SequenceStartsOnlyOnTheGroundWithTheHandleInTheTakeoffRange) {
    struct Case {
        double onGround, left, right, handle;
        bool starts;
    } cases[] = {{1, 4505.5, 4505.5, 4505.5, true},
                 {1, 4505.6, 4505.6, 4505.6, false},
                 {1, 1, 1, 9819.9, true},
                 {1, 1, 1, 9820, false},
                 {1, 1, 1, 0, false},
                 {0, 1, 1, 6553.6, false}};
    for (const auto& c : cases) {
        bed.reload();
        bed.sim(sim::OnGround, c.onGround);
        flaps(c.left, c.right, c.handle);
        bed.run(1);
        EXPECT_EQ(lights(), c.starts ? "T" : "-") << c.left << " " << c.right << " " << c.handle;
    }
}

TEST_F(SlatAdvisory, LandingLightAboveLandingFlaps) {
    const std::pair<double, const char*> cases[] = {{11468.7, "-"}, {11468.75, "L"}, {16383, "L"}};
    for (const auto& [flap, shown] : cases) {
        flaps(flap, flap, flap);
        bed.run(1);
        EXPECT_EQ(lights(), shown) << flap;
    }
    flaps(16383, 11468.7, 11468.7);
    bed.run(1);
    EXPECT_EQ(lights(), "-") << "both flaps";
}

}  // namespace
}  // namespace tj20::test
