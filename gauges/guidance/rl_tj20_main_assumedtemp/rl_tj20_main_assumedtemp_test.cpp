#include "test_bed.h"

namespace tj20::test {
namespace {

// Points inside the four knob halves.
constexpr Pt tensUp{30, 120}, tensDown{30, 40}, unitsDown{160, 40}, unitsUp{160, 120};

struct AssumedTemperature : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_assumedtemp", "rl_tj20_main_trp"}, .focus = "rl_tj20_main_assumedtemp"}};
    std::string readout() {
        bed.run(1);
        return bed.element("65,72").text;
    }
};

struct KnobCase {
    std::uint32_t before;
    Pt knob;
    std::uint32_t after;
    const char* readout;
};
constexpr KnobCase knobCases[] = {
    {0, tensUp, 10, "10"},    {45, tensUp, 50, "50"},  {50, tensUp, 50, "50"},  {5, tensDown, 0, "00"},
    {37, tensDown, 27, "27"}, {1, unitsDown, 0, "00"}, {0, unitsDown, 0, "00"}, {49, unitsUp, 50, "50"},
};

TEST_F(AssumedTemperature, KnobsStepWithinZeroToFifty) {
    for (const auto& c : knobCases) {
        SCOPED_TRACE(::testing::Message() << c.before << " at (" << c.knob.x << ", " << c.knob.y << ")");
        bed.set("assumedtemp", c.before);
        bed.click(c.knob);
        EXPECT_EQ(bed.shared("assumedtemp"), c.after);
        EXPECT_EQ(readout(), c.readout);
    }
}

TEST_F(AssumedTemperature, KnobKeepsSteppingWhileHeldAndStopsAtTheTop) {
    bed.hold(unitsUp, 3);  // the press and three repeats
    EXPECT_EQ(bed.shared("assumedtemp"), 4u);
    bed.hold(tensUp, 10);
    EXPECT_EQ(bed.shared("assumedtemp"), 50u);
}

TEST_F(AssumedTemperature, TensKnobRestsOnFiftySoTheNextStepsCountFromWhatIsShown) {
    bed.set("assumedtemp", 45);
    bed.click(tensUp);
    EXPECT_EQ(readout(), "50");
    bed.click(unitsDown);
    EXPECT_EQ(readout(), "49");
    bed.click(tensUp);
    bed.click(tensDown);
    EXPECT_EQ(readout(), "40");
    bed.set("assumedtemp", 57);  // written above the scale by another gauge
    EXPECT_EQ(readout(), "50");
}

TEST_F(AssumedTemperature, FlexLimitAtTheTopOfTheScaleIs185) {
    bed.set("assumedtemp", 45);
    bed.click(tensUp);
    bed.click("rl_tj20_main_trp", {79, 221});  // TO FLX
    bed.run(1);
    EXPECT_EQ(bed.element("rl_tj20_main_trp", "56,137").text, "1.85");
    EXPECT_EQ(bed.shared("eprlim"), 185u);
}

}  // namespace
}  // namespace tj20::test
