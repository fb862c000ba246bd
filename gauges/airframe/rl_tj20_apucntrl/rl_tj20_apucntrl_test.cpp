#include "panel_test.h"
#include "tj20/ids.h"

namespace {
using namespace tj20;

constexpr const char* Apu = "rl_tj20_apucntrl";

struct Point {
    int x, y;
};
constexpr Point BatterySwitch{160, 200};
constexpr Point StartLower{140, 125};
constexpr Point StartUpper{140, 95};
constexpr Point DoorTop{210, 60};
constexpr Point DoorMiddle{210, 95};
constexpr Point DoorLowerLeft{195, 130};
constexpr Point DoorLowerRight{225, 130};
constexpr Point AirUp{150, 55};
constexpr Point AirDown{150, 30};

struct ApuControlPanel : ::testing::Test {
    std::unique_ptr<host::Panel> panel = test::loadPanel({"rl_tj20_main_master_variables", Apu});
    void SetUp() override { panel->run(1); }
    void click(Point p) { ASSERT_TRUE(panel->mouse(Apu, p.x, p.y)); }
    std::uint32_t start() const { return panel->shared("apustartsw").value_or(99); }
    // Moves the start switch from OFF to START; returns the tick the release counts from.
    double selectStart() {
        click(StartLower);
        click(StartLower);
        EXPECT_EQ(start(), 2u);
        return panel->tick();
    }
};

TEST_F(ApuControlPanel, StartSwitchStepsOffRunStartAndBack) {
    struct Step {
        Point at;
        std::uint32_t position;
    };
    const Step steps[] = {{StartUpper, 0}, {StartLower, 1}, {StartLower, 2}, {StartLower, 2},
                          {StartUpper, 1}, {StartUpper, 0}, {StartUpper, 0}, {StartLower, 1}};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(::testing::Message() << "click " << i);
        click(steps[i].at);
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
        panel->setShared("apustartsw", 0);
        selectStart();
        panel->run(c.cyclesHeld, c.tickStep);
        EXPECT_EQ(start(), 2u);
        panel->run(1, c.tickStep);
        EXPECT_EQ(start(), 1u);
        panel->run(60, c.tickStep);
        EXPECT_EQ(start(), 1u);
    }
}

TEST_F(ApuControlPanel, LeavingStartByHandCancelsThePendingRelease) {
    selectStart();
    panel->run(30);
    click(StartUpper);
    EXPECT_EQ(start(), 1u);
    click(StartLower);  // START again, 30 ticks after the first selection
    panel->run(53);
    EXPECT_EQ(start(), 2u) << "the first selection's release must not drop the second";
    panel->run(1);
    EXPECT_EQ(start(), 1u);
}

// Every position of the door selector under every one of its four areas.
struct DoorCase {
    std::uint32_t from;
    Point at;
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
        panel->setShared("apudoorsw", c.from);
        click(c.at);
        EXPECT_EQ(panel->shared("apudoorsw"), c.to);
        EXPECT_EQ(panel->evaluate(Apu).at(6).state, int(c.to)) << "the selector's picture";
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
        panel->sim().set(sim::MasterBattery, c.simulatorBefore);
        panel->setShared("battsw", c.switchBefore);
        panel->run(1);
        panel->journal().keyEvents.clear();
        click(BatterySwitch);
        const std::uint32_t now = c.switchBefore ? 0u : 1u;
        EXPECT_EQ(panel->shared("battsw"), now);
        EXPECT_EQ(test::keyIds(*panel),
                  c.toggleSent ? std::vector<std::uint32_t>{key::MasterBatteryToggle} : std::vector<std::uint32_t>{});
        EXPECT_EQ(panel->sim().get(sim::MasterBattery), c.toggleSent ? double(now) : c.simulatorBefore);
    }
}

TEST_F(ApuControlPanel, AirSwitchStaysWithinItsThreePositions) {
    const Point clicks[] = {AirDown, AirUp, AirUp, AirUp, AirDown, AirDown, AirDown};
    const std::uint32_t positions[] = {0, 1, 2, 2, 1, 0, 0};
    for (std::size_t i = 0; i < std::size(clicks); ++i) {
        click(clicks[i]);
        EXPECT_EQ(panel->shared("apuairsw"), positions[i]) << "click " << i;
    }
}

TEST_F(ApuControlPanel, EmergencyPowerLightShowsForTheSwitchOrTheLightsTest) {
    struct Case {
        std::uint32_t lightsTest, emergency;
        int light;
    };
    for (const auto& c : {Case{0, 0, 0}, Case{1, 0, 1}, Case{0, 1, 1}, Case{1, 1, 1}}) {
        panel->setShared("lightstestsw", c.lightsTest);
        panel->setShared("emerpwrsw", c.emergency);
        panel->run(1);
        const auto light = test::element(*panel, Apu, 4);
        EXPECT_EQ(light.state, c.light) << "test " << c.lightsTest << ", switch " << c.emergency;
        EXPECT_TRUE(light.lit);
    }
}

}  // namespace
