#include <utility>
#include <vector>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr const char* Ga = "rl_tj20_main_goaround_sw";
using Sent = std::vector<std::pair<std::uint32_t, std::uint32_t>>;  // key event, value

// On the ground below 60 knots: takeoff mode with wings level, altitude hold and a 2000 ft/min
// target, in that order. At 60 knots or more, or in the air, go-around thrust only, and the
// takeoff mode flag keeps whatever it held.
struct PressCase {
    double onGround, knots;
    std::uint32_t fmatoBefore, fmatoAfter;
    bool takeoff;
};
constexpr PressCase cases[] = {
    {1, 0, 0, 1, true},    {1, 59.9, 0, 1, true}, {1, 60, 0, 0, false},  {1, 60, 1, 1, false},
    {1, 140, 0, 0, false}, {0, 30, 0, 0, false},  {0, 250, 1, 1, false},
};

TEST(GoAroundButton, StartsTheTakeoffModeOnTheGroundBelowSixtyKnotsElseCommandsGoAroundThrust) {
    Bed bed{{.modules = {Ga}}};
    const Sent takeoff{{key::WingsLevelEngage, 0}, {key::AltitudeHoldEngage, 0}, {key::VerticalSpeedSet, 2000}};
    const Sent goAround{{key::TakeoffGoAroundOn, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "ground " << c.onGround << ", " << c.knots << " kt, fmato " << c.fmatoBefore);
        bed.sim(sim::OnGround, c.onGround);
        bed.sim(sim::IndicatedAirspeed, c.knots);
        bed.set("fmato", c.fmatoBefore);
        bed.run(1);
        const Mark m = bed.mark();
        bed.click({14, 14});
        Sent sent;
        for (const auto& k : bed.keys(m)) sent.emplace_back(k.id, k.value);
        EXPECT_EQ(sent, c.takeoff ? takeoff : goAround);
        EXPECT_EQ(bed.shared("fmato"), c.fmatoAfter);
    }
}

TEST(GoAroundButton, FirstDrawClearsTheTakeoffMode) {
    Bed bed{{.modules = {Ga}, .firstCycles = 0}};
    bed.set("fmato", 1);
    bed.run(1);
    EXPECT_EQ(bed.shared("fmato"), 0u);
}

}  // namespace
}  // namespace tj20::test
