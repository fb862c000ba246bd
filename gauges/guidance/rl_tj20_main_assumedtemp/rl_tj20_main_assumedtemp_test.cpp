#include "panel_test.h"

namespace {
using namespace tj20;

constexpr const char* Knobs = "rl_tj20_main_assumedtemp";

// Points inside the four knob halves.
struct Point {
    int x, y;
};
constexpr Point tensUp{30, 120}, tensDown{30, 40}, unitsDown{160, 40}, unitsUp{160, 120};

struct AssumedTemperature : ::testing::Test {
    std::unique_ptr<host::Panel> panel = test::loadPanel({Knobs, "rl_tj20_main_trp"});
    void SetUp() override { panel->run(1); }
    void click(Point p) { ASSERT_TRUE(panel->mouse(Knobs, p.x, p.y)); }
    std::string readout() {
        panel->run(1);
        return test::element(*panel, Knobs, 1).text;
    }
};

struct KnobCase {
    std::uint32_t before;
    Point knob;
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
        panel->setShared("assumedtemp", c.before);
        click(c.knob);
        EXPECT_EQ(panel->shared("assumedtemp"), c.after);
        EXPECT_EQ(readout(), c.readout);
    }
}

TEST_F(AssumedTemperature, KnobKeepsSteppingWhileHeldAndStopsAtTheTop) {
    panel->hold(Knobs, unitsUp.x, unitsUp.y, 3);  // the press and three repeats
    EXPECT_EQ(panel->shared("assumedtemp"), 4u);
    panel->hold(Knobs, tensUp.x, tensUp.y, 10);
    EXPECT_EQ(panel->shared("assumedtemp"), 50u);
}

TEST_F(AssumedTemperature, TensKnobRestsOnFiftySoTheNextStepsCountFromWhatIsShown) {
    panel->setShared("assumedtemp", 45);
    click(tensUp);
    EXPECT_EQ(readout(), "50");
    click(unitsDown);
    EXPECT_EQ(readout(), "49");
    click(tensUp);
    click(tensDown);
    EXPECT_EQ(readout(), "40");
    panel->setShared("assumedtemp", 57);  // written above the scale by another gauge
    EXPECT_EQ(readout(), "50");
}

TEST_F(AssumedTemperature, FlexLimitAtTheTopOfTheScaleIs185) {
    panel->setShared("assumedtemp", 45);
    click(tensUp);
    ASSERT_TRUE(panel->mouse("rl_tj20_main_trp", 79, 221));  // TO FLX
    panel->run(1);
    EXPECT_EQ(test::element(*panel, "rl_tj20_main_trp", 8).text, "1.85");
    EXPECT_EQ(panel->shared("eprlim"), 185u);
}

}  // namespace
