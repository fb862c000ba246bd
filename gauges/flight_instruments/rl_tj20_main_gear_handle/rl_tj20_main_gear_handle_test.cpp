// The gear lever: its cues once per handle movement, the spoiler disarm once per retraction
// after a full extension, and the knob's pulled-out picture for 21 ticks at any tick step.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Pt Handle{20, 100}, Knob{20, 240};

struct GearHandle : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_gear_handle"}, .firstCycles = 0}};
    std::vector<std::string> cues(Mark m) const {
        std::vector<std::string> v;
        for (const auto& s : bed.sounds(m)) v.push_back(s.path);
        return v;
    }
    void gear(double position) {
        for (auto id : {sim::NoseGear, sim::LeftGear, sim::RightGear}) bed.sim(id, position);
    }
};

TEST_F(GearHandle, EachHandleMovementPlaysItsCueOnce) {
    struct Step {
        double handle, onGround;
        const char* cue;  // null: none
    } steps[] = {
        {16383, 1, nullptr},  // loaded with the handle down: silence
        {0, 0, "sound\\tj20_gearup.wav"},
        {0, 0, nullptr},
        {16383, 0, "sound\\tj20_geardown.wav"},
        {16383, 1, nullptr},
        {0, 1, "sound\\tj20_gearupground.wav"},
        {16383, 1, "sound\\tj20_geardownground.wav"},
    };
    for (const auto& s : steps) {
        bed.sim(sim::GearHandle, s.handle);
        bed.sim(sim::OnGround, s.onGround);
        const Mark m = bed.mark();
        bed.run(1);
        EXPECT_EQ(cues(m), s.cue ? std::vector<std::string>{s.cue} : std::vector<std::string>{})
            << s.handle << " " << s.onGround;
    }
    const Mark m = bed.mark();
    bed.click(Handle);
    EXPECT_EQ(bed.keyIds(m), std::vector<std::uint32_t>{key::GearToggle});
    bed.reload(0);  // loaded with the handle up, in the air: the cue on the first update
    bed.sim(sim::GearHandle, 0);
    bed.sim(sim::OnGround, 0);
    bed.run(1);
    EXPECT_EQ(cues({}), std::vector<std::string>{"sound\\tj20_gearup.wav"});
}

TEST_F(GearHandle, RetractionDisarmsTheSpoilersOnceAfterAFullExtension) {
    bed.sim(sim::SpoilersArmed, 1);
    bed.sim(sim::GearHandle, 16383);
    struct Step {
        double gear;
        bool disarms;
    } steps[] = {{0, false}, {16380, false}, {0, false},     {16381, false}, {8000, false},
                 {0, true},  {0, false},     {16383, false}, {0, true}};
    for (const auto& s : steps) {
        bed.sim(sim::SpoilersArmed, 1);  // the simulator disarms them on the toggle
        gear(s.gear);
        const Mark m = bed.mark();
        bed.run(1);
        EXPECT_EQ(bed.count(key::SpoilersArmToggle, m), s.disarms ? 1u : 0u) << s.gear;
        EXPECT_EQ(bed.played("sound\\tj20_spoildisarm.wav", m), s.disarms ? 1u : 0u) << s.gear;
    }
    bed.sim(sim::SpoilersArmed, 0);
    gear(16383);
    bed.run(1);
    gear(0);
    const Mark m = bed.mark();
    bed.run(1);
    EXPECT_EQ(bed.count(key::SpoilersArmToggle, m), 0u) << "spoilers not armed";
}

TEST_F(GearHandle, KnobShowsTheHandlePulledOutFor21Ticks) {
    for (const double step : {1.0, 4.0}) {
        SCOPED_TRACE(::testing::Message() << "tick step " << step);
        bed.sim(sim::GearHandle, 16383);
        bed.run(1);
        const Mark m = bed.mark();
        bed.click(Knob);
        EXPECT_EQ(bed.played("sound\\tj20_lnd_gear.wav", m), 1u);
        const int pulled = step == 1.0 ? 20 : 5;  // cycles before the tick reaches 21 on from the press
        bed.run(pulled, step);
        EXPECT_TRUE(bed.element("0,0[2]").visible);
        EXPECT_FALSE(bed.element("0,0[1]").visible);
        bed.run(1, step);
        EXPECT_FALSE(bed.element("0,0[2]").visible);
        EXPECT_TRUE(bed.element("0,0[1]").visible);
        EXPECT_EQ(bed.element("0,0[1]").state, 1);
    }
    bed.sim(sim::GearHandle, 0);
    bed.run(1);
    const Mark m = bed.mark();
    bed.click(Knob);
    bed.run(1);
    EXPECT_TRUE(bed.sounds(m).empty()) << "the knob does nothing with the handle up";
    EXPECT_FALSE(bed.element("0,0[2]").visible);
}

}  // namespace
}  // namespace tj20::test
