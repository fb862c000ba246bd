// The stall warning lights and aural warnings: a real stall, the test, a stall during the test;
// one play and one stop per warning however long it lasts.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

TEST(StallWarning, LightsForARealStallOrTheTestButNotBothAndSoundsOnlyForWarnings) {
    Bed bed{{.modules = {"rl_tj20_main_warn_stall"}}};
    struct Case {
        double stall, overspeed;
        std::uint32_t tester;
        int lights;
        std::vector<std::string> sounds;  // over five updates and the warnings' end
    };
    for (const auto& c : {Case{0, 0, 0, 0, {}}, Case{1, 0, 0, 1, {"+tj20_stall.wav", "-tj20_stall.wav"}},
                          Case{0, 0, 1, 1, {}}, Case{1, 1, 1, 0, {"+tj20_ovrspd.wav", "-tj20_ovrspd.wav"}}}) {
        SCOPED_TRACE(::testing::Message() << "stall " << c.stall << ", test " << c.tester);
        bed.reload();
        bed.sim(sim::StallWarning, c.stall);
        bed.sim(sim::OverspeedWarning, c.overspeed);
        bed.set("stalltester", c.tester);
        const auto mark = bed.mark();
        bed.run(5);
        EXPECT_EQ(bed.element({9, 23}).state, c.lights);
        EXPECT_EQ(bed.element({85, 11}).state, c.lights);
        bed.sim(sim::StallWarning, 0);
        bed.sim(sim::OverspeedWarning, 0);
        bed.run(2);
        std::vector<std::string> sounds;
        for (const auto& s : bed.sounds(mark))
            sounds.push_back((s.call == Sound::Call::Play && s.repeat ? "+" : "-") + s.alias);
        EXPECT_EQ(sounds, c.sounds);
    }
}

}  // namespace
}  // namespace tj20::test
