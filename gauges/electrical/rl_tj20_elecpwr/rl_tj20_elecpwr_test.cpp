#include "panel_test.h"
#include "tj20/ids.h"

namespace {
using namespace tj20;

constexpr const char* Pwr = "rl_tj20_elecpwr";

struct Point {
    int x, y;
};

// One generator with its drive, switches and cooling, as the tests drive it.
struct SideUnderTest {
    const char* name;
    const char* csd;
    const char* control;
    const char* temp;
    std::uint32_t generator;
    std::uint32_t n2;
    std::uint32_t toggle;
    Point guardOpen, guardClose, disconnect, onOff, reset, reconnect;
};
// clang-format off
const SideUnderTest sides[] = {
    {"left", "lgencsd", "lcsdreset", "lcsdtemp", sim::Engine1GeneratorSwitch, sim::Engine1N2,
     key::Engine1GeneratorToggle, {60, 10}, {60, 40}, {60, 70}, {70, 190}, {70, 165}, {30, 120}},
    {"right", "rgencsd", "rcsdreset", "rcsdtemp", sim::Engine2GeneratorSwitch, sim::Engine2N2,
     key::Engine2GeneratorToggle, {310, 10}, {310, 40}, {310, 70}, {300, 190}, {300, 165}, {345, 120}},
};
// clang-format on
constexpr Point ApuGenReset{190, 175}, SelectorUp{425, 190}, SelectorDown{395, 190};
constexpr std::size_t VoltsNeedle = 9, LeftTempNeedle = 12;

struct GeneratorPanel : ::testing::Test {
    // The APU instrument updates after the meters, so they read the speed a test sets.
    std::unique_ptr<host::Panel> panel = test::loadPanel(
        {"rl_tj20_main_master_variables", "rl_tj20_apucntrl", "rl_tj20_elecdistribution", Pwr, "rl_tj20_apu_egtrpm"});
    void SetUp() override { panel->run(1); }
    void click(Point p) { ASSERT_TRUE(panel->mouse(Pwr, p.x, p.y)); }
    std::uint32_t shared(const char* name) { return panel->shared(name).value_or(0xdeadbeef); }
    void set(const char* name, std::uint32_t value) { ASSERT_TRUE(panel->setShared(name, value)); }
    // The meters as (volts, frequency, amps/volts).
    std::tuple<std::uint32_t, std::uint32_t, std::uint32_t> meters() {
        return {shared("acvoltsneedle"), shared("freqneedle"), shared("ampsvolts")};
    }
    // Drive disconnected with the generator running: guard open, then the disconnect button.
    void disconnectRunning(const SideUnderTest& s) {
        panel->sim().set(s.generator, 1.0);
        panel->run(1);
        click(s.guardOpen);
        click(s.disconnect);
    }
};

using Meters = std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>;

struct MeterCase {
    std::uint32_t selector;
    std::uint32_t rpm;
    std::uint32_t extpwravail;
    double leftGenerator, rightGenerator;
    Meters expected;
};
constexpr MeterCase meterCases[] = {
    {0, 189, 0, 0, 0, {0, 0, 100}},  {0, 190, 0, 0, 0, {11, 400, 100}}, {0, 210, 0, 0, 0, {11, 400, 100}},
    {0, 211, 0, 0, 0, {0, 0, 100}},  {1, 0, 1, 0, 0, {12, 405, 100}},   {1, 200, 0, 0, 0, {0, 0, 100}},
    {2, 0, 0, 1, 0, {11, 398, 150}}, {2, 0, 0, 0, 1, {0, 0, 0}},        {3, 0, 0, 0, 1, {11, 404, 150}},
    {3, 0, 0, 1, 0, {0, 0, 0}},      {4, 200, 1, 1, 1, {0, 0, 150}},
};

TEST_F(GeneratorPanel, MeterSelectorShowsTheSelectedSource) {
    for (const auto& c : meterCases) {
        SCOPED_TRACE(::testing::Message() << "selector " << c.selector << ", rpm " << c.rpm);
        set("voltfreqsel", c.selector);
        set("rpm", c.rpm);
        set("extpwravail", c.extpwravail);
        panel->sim().set(sim::Engine1GeneratorSwitch, c.leftGenerator);
        panel->sim().set(sim::Engine2GeneratorSwitch, c.rightGenerator);
        panel->run(1);
        EXPECT_EQ(meters(), c.expected);
    }
}

// Battery amps by emergency power (E), battery (B) and what feeds the buses.
struct AmpsCase {
    const char* what;
    std::uint32_t emergency, battery;
    double leftGenerator;
    std::uint32_t control, csd;  // left generator switch and drive
    bool externalOnLeftBus;
    std::uint32_t amps;
};
constexpr AmpsCase ampsCases[] = {
    {"all off", 0, 0, 0, 0, 0, false, 100},
    {"emergency power only", 1, 0, 0, 0, 0, false, 120},
    {"battery, nothing on the buses", 0, 1, 0, 0, 0, false, 90},
    {"battery and emergency power", 1, 1, 0, 0, 0, false, 128},
    {"battery, left generator online", 0, 1, 1, 0, 0, false, 40},
    {"battery, left generator switched off", 0, 1, 1, 1, 0, false, 90},
    {"battery, left drive disconnected", 0, 1, 1, 0, 2, false, 90},
    {"battery, external power on the left bus", 0, 1, 0, 0, 0, true, 40},
    {"emergency power wins over the charging buses", 1, 1, 1, 0, 0, false, 128},
};

TEST_F(GeneratorPanel, BatteryAmpsFollowTheBatteryAndWhatFeedsTheBuses) {
    set("voltfreqsel", 5);
    for (const auto& c : ampsCases) {
        SCOPED_TRACE(c.what);
        set("emerpwrsw", c.emergency);
        set("battsw", c.battery);
        panel->sim().set(sim::Engine1GeneratorSwitch, c.leftGenerator);
        set("lcsdreset", c.control);
        set("lgencsd", c.csd);
        set("extpwravail", c.externalOnLeftBus ? 1 : 0);
        set("extlbussw", c.externalOnLeftBus ? 1 : 0);
        panel->run(1);
        EXPECT_EQ(shared("ampsvolts"), c.amps);
        EXPECT_EQ(shared("acvoltsneedle"), 0u);
        EXPECT_EQ(shared("freqneedle"), 0u);
    }
}

TEST_F(GeneratorPanel, BatteryAmpsHoldTheirReadingWhileTheLightsTestLightsTheBuses) {
    set("voltfreqsel", 5);
    set("battsw", 1);
    set("emerpwrsw", 1);
    panel->run(1);
    ASSERT_EQ(shared("ampsvolts"), 128u);
    set("emerpwrsw", 0);
    set("lightstestsw", 1);
    panel->run(1);
    EXPECT_EQ(shared("extlbuslt"), 3u);
    EXPECT_EQ(shared("ampsvolts"), 128u);
}

TEST_F(GeneratorPanel, SelectorTurnedToBatteryAmpsDuringTheLightsTestKeepsAllThreeMeters) {
    set("rpm", 200);
    panel->run(1);
    ASSERT_EQ(meters(), (Meters{11, 400, 100}));
    set("battsw", 1);
    set("lightstestsw", 1);
    for (int i = 0; i < 5; ++i) click(SelectorUp);  // APU to BATT AMPS between two updates
    panel->run(1);
    ASSERT_EQ(shared("extlbuslt"), 3u);
    EXPECT_EQ(meters(), (Meters{11, 400, 100}));
    set("lightstestsw", 0);
    panel->run(1);
    EXPECT_EQ(meters(), (Meters{0, 0, 90}));
}

TEST_F(GeneratorPanel, SelectorStaysWithinItsSixPositions) {
    for (int i = 0; i < 8; ++i) click(SelectorUp);
    EXPECT_EQ(shared("voltfreqsel"), 5u);
    for (int i = 0; i < 8; ++i) click(SelectorDown);
    EXPECT_EQ(shared("voltfreqsel"), 0u);
    click(SelectorUp);
    panel->run(1);
    EXPECT_EQ(test::element(*panel, Pwr, 7).state, 1);
}

// One update of the drive temperature rules, for either side.
struct TempCase {
    const char* what;
    double generator;
    std::uint32_t csd, pushrise;
    double n2;
    std::uint32_t before, after;
};
constexpr TempCase tempCases[] = {
    {"running climbs by 20", 1, 0, 0, 80, 200, 220},
    {"running stops at 1300", 1, 0, 0, 80, 1300, 1300},
    {"stopped and spun down falls by 20", 0, 0, 0, 4.9, 400, 380},
    {"stopped but turning holds", 0, 0, 0, 5.0, 400, 400},
    {"spun down stops at 200", 0, 0, 0, 0, 200, 200},
    {"disconnected with the generator on falls", 1, 2, 0, 80, 400, 380},
    {"disconnected with the generator off falls", 0, 2, 0, 80, 400, 380},
    {"disconnected stops at 200", 1, 2, 0, 80, 200, 200},
    {"guard open counts as connected", 1, 1, 0, 80, 400, 420},
    {"rise above 1100 by less than a step stays", 1, 0, 1, 80, 1140, 1140},
    {"rise from 1300 falls by 100", 1, 0, 1, 80, 1300, 1200},
    {"rise from 200 climbs by 100", 1, 0, 1, 80, 200, 300},
    {"rise just below 1100 steps past once", 1, 0, 1, 80, 1050, 1150},
    {"rise spun down falls toward 600", 0, 0, 1, 0, 900, 800},
    {"rise spun down just above 600 stays", 0, 0, 1, 0, 650, 650},
    {"rise spun down below 600 climbs", 0, 0, 1, 0, 550, 650},
    {"rise turning holds", 0, 0, 1, 20, 900, 900},
    {"rise disconnected, generator on, falls", 1, 2, 1, 80, 900, 800},
    {"rise disconnected, generator on, climbs to 600", 1, 2, 1, 80, 300, 400},
    {"rise disconnected, generator off, falls", 0, 2, 1, 80, 900, 800},
    {"rise disconnected, generator off, climbs to 600", 0, 2, 1, 80, 300, 400},
};

TEST_F(GeneratorPanel, DriveTemperatureStepsTowardItsTarget) {
    for (const auto& s : sides) {
        for (const auto& c : tempCases) {
            SCOPED_TRACE(::testing::Message() << s.name << ": " << c.what);
            panel->sim().set(s.generator, c.generator);
            panel->sim().set(s.n2, c.n2);
            set(s.csd, c.csd);
            set("pushrise", c.pushrise);
            set(s.temp, c.before);
            panel->run(1);
            EXPECT_EQ(shared(s.temp), c.after);
        }
    }
}

TEST_F(GeneratorPanel, RightDriveTemperatureStartsAtZeroAndClimbsFromThere) {
    EXPECT_EQ(shared("lcsdtemp"), 200u);
    EXPECT_EQ(shared("rcsdtemp"), 0u);
    panel->sim().set(sim::Engine2GeneratorSwitch, 1.0);
    panel->run(2);
    EXPECT_EQ(shared("rcsdtemp"), 40u);
    EXPECT_EQ(shared("lcsdtemp"), 200u);
}

TEST_F(GeneratorPanel, DisconnectWithTheGeneratorOnSendsOneToggleAndCoolsToTwoHundred) {
    for (const auto& s : sides) {
        SCOPED_TRACE(s.name);
        set(s.temp, 300);
        panel->journal().keyEvents.clear();
        disconnectRunning(s);
        EXPECT_EQ(test::keyIds(*panel), std::vector<std::uint32_t>{s.toggle});
        EXPECT_EQ(shared(s.csd), 2u);
        EXPECT_EQ(panel->sim().get(s.generator), 0.0);
        // The switch no longer commands the generator.
        click(s.onOff);
        click(s.onOff);
        EXPECT_EQ(test::keyIds(*panel).size(), 1u);
        panel->run(1);
        EXPECT_EQ(shared(s.temp), 300u);  // the running generator warmed it by 20 before the cut
        for (std::uint32_t t = 280; t >= 200; t -= 20) {
            panel->run(1);
            EXPECT_EQ(shared(s.temp), t);
        }
        panel->run(3);
        EXPECT_EQ(shared(s.temp), 200u);
    }
}

TEST_F(GeneratorPanel, DisconnectNeedsTheGuardOpen) {
    const auto& s = sides[0];
    panel->sim().set(s.generator, 1.0);
    panel->run(1);
    click(s.disconnect);
    EXPECT_EQ(shared(s.csd), 0u);
    click(s.guardOpen);
    click(s.guardClose);
    click(s.disconnect);
    EXPECT_EQ(shared(s.csd), 0u);
    EXPECT_TRUE(panel->journal().keyEvents.empty());
}

TEST_F(GeneratorPanel, ReconnectDoesNothingInFlightAndWorksOnTheGround) {
    for (const auto& s : sides) {
        SCOPED_TRACE(s.name);
        disconnectRunning(s);
        panel->run(1);
        panel->journal().keyEvents.clear();
        panel->sim().set(sim::OnGround, 0.0);
        panel->run(1);
        click(s.reconnect);
        EXPECT_EQ(shared(s.csd), 2u);
        EXPECT_TRUE(panel->journal().keyEvents.empty());

        panel->sim().set(sim::OnGround, 1.0);
        panel->run(1);
        click(s.reconnect);
        EXPECT_EQ(shared(s.csd), 0u);
        EXPECT_EQ(test::keyIds(*panel), std::vector<std::uint32_t>{s.toggle});
        EXPECT_EQ(panel->sim().get(s.generator), 1.0);
        panel->sim().set(sim::OnGround, 0.0);
    }
}

TEST_F(GeneratorPanel, ReconnectWithTheSwitchOffLeavesTheGeneratorOff) {
    disconnectRunning(sides[0]);
    click(sides[0].onOff);  // ON to OFF: no event while disconnected
    panel->sim().set(sim::OnGround, 1.0);
    panel->run(1);
    click(sides[0].reconnect);
    EXPECT_EQ(shared("lgencsd"), 0u);
    EXPECT_EQ(test::keyIds(*panel).size(), 1u);  // the disconnect's
    EXPECT_EQ(panel->sim().get(sides[0].generator), 0.0);
}

TEST_F(GeneratorPanel, GeneratorSwitchKeepsTheSimulatorsGeneratorInStep) {
    for (const auto& s : sides) {
        SCOPED_TRACE(s.name);
        panel->sim().set(s.generator, 1.0);
        panel->run(1);
        panel->journal().keyEvents.clear();
        click(s.onOff);
        EXPECT_EQ(shared(s.control), 1u);
        EXPECT_EQ(panel->sim().get(s.generator), 0.0);
        panel->run(1);
        click(s.onOff);
        EXPECT_EQ(shared(s.control), 0u);
        EXPECT_EQ(panel->sim().get(s.generator), 1.0);
        EXPECT_EQ(test::keyIds(*panel), (std::vector<std::uint32_t>{s.toggle, s.toggle}));

        // Already in agreement: the switch moves, nothing is sent.
        panel->sim().set(s.generator, 0.0);
        panel->run(1);
        click(s.onOff);
        EXPECT_EQ(test::keyIds(*panel).size(), 2u);
        click(s.onOff);  // back to ON; sets the generator on again
        panel->run(1);
    }
}

TEST_F(GeneratorPanel, TwoClicksBetweenUpdatesLeaveTheGeneratorAgreeingWithTheSwitch) {
    const auto& s = sides[0];
    panel->sim().set(s.generator, 1.0);
    panel->run(1);
    click(s.onOff);
    click(s.onOff);
    EXPECT_EQ(shared(s.control), 0u);
    EXPECT_EQ(panel->sim().get(s.generator), 1.0);
    click(s.onOff);
    EXPECT_EQ(panel->sim().get(s.generator), 0.0);
}

TEST_F(GeneratorPanel, ResetsAreHeldForNineTicks) {
    click(sides[0].reset);  // only from OFF
    EXPECT_EQ(shared("lcsdreset"), 0u);
    for (const auto& s : sides) {
        click(s.onOff);
        click(s.reset);
    }
    click(ApuGenReset);
    click(ApuGenReset);  // a second press while held changes nothing
    panel->run(8);
    EXPECT_EQ(shared("lcsdreset"), 2u);
    EXPECT_EQ(shared("rcsdreset"), 2u);
    EXPECT_EQ(shared("apugenreset"), 1u);
    panel->run(1);
    EXPECT_EQ(shared("lcsdreset"), 1u);
    EXPECT_EQ(shared("rcsdreset"), 1u);
    EXPECT_EQ(shared("apugenreset"), 0u);
}

TEST_F(GeneratorPanel, ResetsSpringBackWhenTheTickCounterStepsOverTheirDeadline) {
    click(sides[0].onOff);
    click(sides[1].onOff);
    click(sides[0].reset);
    click(sides[1].reset);
    click(ApuGenReset);
    ASSERT_EQ(shared("apugenreset"), 1u);
    panel->run(2, 4.0);  // ticks +4, +8
    EXPECT_EQ(shared("lcsdreset"), 2u);
    EXPECT_EQ(shared("apugenreset"), 1u);
    panel->run(1, 4.0);  // +12: past the deadline at +9
    EXPECT_EQ(shared("lcsdreset"), 1u);
    EXPECT_EQ(shared("rcsdreset"), 1u);
    EXPECT_EQ(shared("apugenreset"), 0u);
}

TEST_F(GeneratorPanel, HeldResetGoesToOnWhenTheSwitchIsClicked) {
    const auto& s = sides[0];
    click(s.onOff);
    click(s.reset);
    click(s.onOff);
    EXPECT_EQ(shared(s.control), 0u);
    panel->run(10);
    EXPECT_EQ(shared(s.control), 0u);
}

TEST_F(GeneratorPanel, NeedlesShowTheirValuesAndAreLitWithThePanelLights) {
    set("voltfreqsel", 1);
    set("extpwravail", 1);
    panel->run(1);
    EXPECT_EQ(test::element(*panel, Pwr, VoltsNeedle).value, 12.0);
    EXPECT_EQ(test::element(*panel, Pwr, LeftTempNeedle).value, 200.0);
    EXPECT_FALSE(test::element(*panel, Pwr, VoltsNeedle).lit);
    set("ohpanel", 1);
    panel->run(1);
    EXPECT_TRUE(test::element(*panel, Pwr, VoltsNeedle).lit);
    EXPECT_EQ(test::element(*panel, Pwr, 1).state, 1);
}

}  // namespace
