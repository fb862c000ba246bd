// The fire detection loop panel: the selectors' steps and which loop lights the fire test lights.
#include "test_bed.h"

namespace tj20::test {
namespace {

struct LoopPanel : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_ovhd_firedetect"}, .standIns = {"loopstest"}}};
};

TEST_F(LoopPanel, SelectorsStepBetweenAAndBFromBoth) {
    struct Selector {
        const char* name;
        Pt towardA, towardB;
    };
    for (const auto& s : {Selector{"lengloopsw", {80, 190}, {80, 220}}, Selector{"apuloopsw", {170, 110}, {170, 140}},
                          Selector{"rengloopsw", {250, 190}, {250, 220}}}) {
        EXPECT_EQ(bed.shared(s.name), 1u) << "BOTH at first draw";
        const Pt clicks[] = {s.towardA, s.towardA, s.towardB, s.towardB, s.towardB};
        const std::uint32_t positions[] = {0, 0, 1, 2, 2};
        for (std::size_t i = 0; i < std::size(clicks); ++i) {
            bed.click(clicks[i]);
            EXPECT_EQ(bed.shared(s.name), positions[i]) << s.name << " click " << i;
        }
    }
}

TEST_F(LoopPanel, FireTestLightsTheSelectedLoopsUnlessTheLightsTestIsOn) {
    struct Case {
        std::uint32_t selector, fireTest, lightsTest;
        int loopA, loopB;
    };
    for (const auto& c :
         {Case{0, 1, 0, 1, 0}, Case{1, 1, 0, 1, 1}, Case{2, 1, 0, 0, 1}, Case{1, 0, 0, 0, 0}, Case{1, 1, 1, 0, 0}}) {
        for (const char* s : {"lengloopsw", "apuloopsw", "rengloopsw"}) bed.set(s, c.selector);
        bed.set("loopstest", c.fireTest);
        bed.set("lightstestsw", c.lightsTest);
        bed.run(1);
        for (At a : {At{68, 114}, At{155, 38}, At{241, 114}}) EXPECT_EQ(bed.element(a).state, c.loopA) << a;
        for (At b : {At{68, 249}, At{155, 173}, At{241, 249}}) EXPECT_EQ(bed.element(b).state, c.loopB) << b;
    }
}

}  // namespace
}  // namespace tj20::test
