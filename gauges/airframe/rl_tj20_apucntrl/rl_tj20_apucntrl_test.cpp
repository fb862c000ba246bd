#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Pt BatterySwitch{160, 200};
constexpr Pt StartLower{140, 125};
constexpr Pt StartUpper{140, 95};
constexpr Pt DoorTop{210, 60};
constexpr Pt DoorMiddle{210, 95};
constexpr Pt DoorLowerLeft{195, 130};
constexpr Pt DoorLowerRight{225, 130};
constexpr Pt AirUp{150, 55};
constexpr Pt AirDown{150, 30};

struct ApuControlPanel : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_apucntrl"}}};
    std::optional<std::uint32_t> start() const { return bed.shared("apustartsw"); }
    // Moves the start switch from OFF to START.
    void selectStart() {
        bed.click(StartLower);
        bed.click(StartLower);
        EXPECT_EQ(start(), 2u);
    }
};

TEST_F(ApuControlPanel, StartSwitchStepsOffRunStartAndBack) {
    struct Step {
        Pt at;
        std::uint32_t position;
    };
    const Step steps[] = {{StartUpper, 0}, {StartLower, 1}, {StartLower, 2}, {StartLower, 2},
                          {StartUpper, 1}, {StartUpper, 0}, {StartUpper, 0}, {StartLower, 1}};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(::testing::Message() << "click " << i);
        bed.click(steps[i].at);
        EXPECT_EQ(start(), steps[i].position);
    }
}

struct ReleaseCase {
    double tickStep;
    int cyclesHeld;  // START still held after this many cycles
};
// 54 ticks after the click; a counter stepping by 4 or 5 passes that tick without landing on it.
constexpr ReleaseCase releaseCases[] = {{1, 53}, {2, 26}, {4, 13}, {5, 10}, {18, 2}};

TEST_F(ApuControlPanel, StartSpringsBackToRunOnTheFirstUpdateFiftyFourTicksOn) {
    for (const auto& c : releaseCases) {
        SCOPED_TRACE(::testing::Message() << "tick step " << c.tickStep);
        bed.set("apustartsw", 0);
        selectStart();
        bed.run(c.cyclesHeld, c.tickStep);
        EXPECT_EQ(start(), 2u);
        bed.run(1, c.tickStep);
        EXPECT_EQ(start(), 1u);
        bed.run(60, c.tickStep);
        EXPECT_EQ(start(), 1u);
    }
}

// The same at irregular tick steps: START holds until the counter is 54 ticks on, then RUN.
TEST_F(ApuControlPanel, StartSpringsBackFiftyFourTicksOnWhateverTheTickSteps) {
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        bed.set("apustartsw", 0);
        selectStart();
        const double release = static_cast<double>(static_cast<std::uint32_t>(bed.tick() + 54));
        bed.runJittered(70, seed, [&] { ASSERT_EQ(start(), bed.tick() < release ? 2u : 1u) << "tick " << bed.tick(); });
    }
}

TEST_F(ApuControlPanel, LeavingStartByHandCancelsThePendingRelease) {
    selectStart();
    bed.run(30);
    bed.click(StartUpper);
    EXPECT_EQ(start(), 1u);
    bed.click(StartLower);  // START again, 30 ticks after the first selection
    bed.run(53);
    EXPECT_EQ(start(), 2u) << "the first selection's release must not drop the second";
    bed.run(1);
    EXPECT_EQ(start(), 1u);
}

// Every position of the door selector under every one of its four areas.
struct DoorCase {
    std::uint32_t from;
    Pt at;
    std::uint32_t to;
};
constexpr DoorCase doorCases[] = {
    {0, DoorTop, 1},        {1, DoorTop, 0},        {2, DoorTop, 0},        {3, DoorTop, 0},
    {4, DoorTop, 0},        {0, DoorMiddle, 0},     {1, DoorMiddle, 2},     {2, DoorMiddle, 1},
    {3, DoorMiddle, 2},     {4, DoorMiddle, 2},     {0, DoorLowerLeft, 0},  {1, DoorLowerLeft, 2},
    {2, DoorLowerLeft, 3},  {3, DoorLowerLeft, 3},  {4, DoorLowerLeft, 4},  {0, DoorLowerRight, 0},
    {1, DoorLowerRight, 2}, {2, DoorLowerRight, 4}, {3, DoorLowerRight, 3}, {4, DoorLowerRight, 4},
};

// Positions 0 to 4 are each reachable: 0 -top-> 1 -middle-> 2 -lower left-> 3, 2 -lower right-> 4.
TEST_F(ApuControlPanel, DoorSelectorMovesBetweenItsFivePositions) {
    for (const auto& c : doorCases) {
        SCOPED_TRACE(::testing::Message() << "from " << c.from << " at " << c.at.x << "," << c.at.y);
        bed.set("apudoorsw", c.from);
        bed.click(c.at);
        EXPECT_EQ(bed.shared("apudoorsw"), c.to);
        EXPECT_EQ(bed.redrawn("191,58").state, int(c.to)) << "the selector's picture";
    }
}

struct BatteryCase {
    double simulatorBefore;
    std::uint32_t switchBefore;
    bool toggleSent;
};
constexpr BatteryCase batteryCases[] = {
    {0.0, 0, true},   // switched on, simulator off
    {1.0, 1, true},   // switched off, simulator on
    {1.0, 0, false},  // switched on, simulator already on
    {0.0, 1, false},  // switched off, simulator already off
    {0.5, 0, false},  // the simulator reads neither on nor off: left alone either way
    {0.5, 1, false},
};

TEST_F(ApuControlPanel, BatterySwitchTogglesTheSimulatorOnlyWhenItDisagrees) {
    for (const auto& c : batteryCases) {
        SCOPED_TRACE(::testing::Message() << "simulator " << c.simulatorBefore << ", switch " << c.switchBefore);
        bed.sim(sim::MasterBattery, c.simulatorBefore);
        bed.set("battsw", c.switchBefore);
        bed.run(1);
        const Mark m = bed.mark();
        bed.click(BatterySwitch);
        const std::uint32_t now = c.switchBefore ? 0u : 1u;
        EXPECT_EQ(bed.shared("battsw"), now);
        EXPECT_EQ(bed.keyIds(m),
                  c.toggleSent ? std::vector<std::uint32_t>{key::MasterBatteryToggle} : std::vector<std::uint32_t>{});
        EXPECT_EQ(bed.sim(sim::MasterBattery), c.toggleSent ? double(now) : c.simulatorBefore);
    }
}

TEST_F(ApuControlPanel, AirSwitchStaysWithinItsThreePositions) {
    const Pt clicks[] = {AirDown, AirUp, AirUp, AirUp, AirDown, AirDown, AirDown};
    const std::uint32_t positions[] = {0, 1, 2, 2, 1, 0, 0};
    for (std::size_t i = 0; i < std::size(clicks); ++i) {
        bed.click(clicks[i]);
        EXPECT_EQ(bed.shared("apuairsw"), positions[i]) << "click " << i;
    }
}

TEST_F(ApuControlPanel, EmergencyPowerLightShowsForTheSwitchOrTheLightsTest) {
    struct Case {
        std::uint32_t lightsTest, emergency;
        int light;
    };
    for (const auto& c : {Case{0, 0, 0}, Case{1, 0, 1}, Case{0, 1, 1}, Case{1, 1, 1}}) {
        bed.set("lightstestsw", c.lightsTest);
        bed.set("emerpwrsw", c.emergency);
        bed.run(1);
        const auto light = bed.element("144,154");
        EXPECT_EQ(light.state, c.light) << "test " << c.lightsTest << ", switch " << c.emergency;
        EXPECT_TRUE(light.lit);
    }
}

}  // namespace
}  // namespace tj20::test
