#include <utility>
#include <vector>

#include "panel_test.h"
#include "tj20/ids.h"

namespace {
using namespace tj20;

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
    auto panel = test::loadPanel({Ga});
    panel->run(1);
    const Sent takeoff{{key::WingsLevelEngage, 0}, {key::AltitudeHoldEngage, 0}, {key::VerticalSpeedSet, 2000}};
    const Sent goAround{{key::TakeoffGoAroundOn, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "ground " << c.onGround << ", " << c.knots << " kt, fmato " << c.fmatoBefore);
        panel->sim().set(sim::OnGround, c.onGround);
        panel->sim().set(sim::IndicatedAirspeed, c.knots);
        panel->setShared("fmato", c.fmatoBefore);
        panel->run(1);
        panel->journal().keyEvents.clear();
        ASSERT_TRUE(panel->mouse(Ga, 14, 14));
        Sent sent;
        for (const auto& k : panel->journal().keyEvents) sent.emplace_back(k.id, k.value);
        EXPECT_EQ(sent, c.takeoff ? takeoff : goAround);
        EXPECT_EQ(panel->shared("fmato"), c.fmatoAfter);
    }
}

TEST(GoAroundButton, FirstDrawClearsTheTakeoffMode) {
    auto panel = test::loadPanel({Ga});
    ASSERT_TRUE(panel->setShared("fmato", 1));
    panel->run(1);
    EXPECT_EQ(panel->shared("fmato"), 0u);
}

}  // namespace
