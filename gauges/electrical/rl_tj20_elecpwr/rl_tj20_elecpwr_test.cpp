#include <cmath>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

// One generator with its drive, switches and cooling, as the tests drive it.
struct SideUnderTest {
    const char* name;
    const char* csd;
    const char* control;
    const char* temp;
    std::uint32_t generator;
    std::uint32_t n2;
    std::uint32_t toggle;
    Pt guardOpen, guardClose, disconnect, onOff, reset, reconnect;
};
// clang-format off
const SideUnderTest sides[] = {
    {"left", "lgencsd", "lcsdreset", "lcsdtemp", sim::Engine1GeneratorSwitch, sim::Engine1N2,
     key::Engine1GeneratorToggle, {60, 10}, {60, 40}, {60, 70}, {70, 190}, {70, 165}, {30, 120}},
    {"right", "rgencsd", "rcsdreset", "rcsdtemp", sim::Engine2GeneratorSwitch, sim::Engine2N2,
     key::Engine2GeneratorToggle, {310, 10}, {310, 40}, {310, 70}, {300, 190}, {300, 165}, {345, 120}},
};
// clang-format on
constexpr Pt ApuGenReset{190, 175}, SelectorUp{425, 190}, SelectorDown{395, 190};
constexpr const char* VoltsNeedle = "424,77";

struct GeneratorPanel : ::testing::Test {
    // The APU instrument updates after the meters, so they read the speed a test sets.
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_apucntrl", "rl_tj20_elecdistribution",
                         "rl_tj20_elecpwr", "rl_tj20_apu_egtrpm"},
             .focus = "rl_tj20_elecpwr"}};
    // The meters as (volts, frequency, amps/volts).
    std::tuple<std::uint32_t, std::uint32_t, std::uint32_t> meters() {
        return {bed.shared("acvoltsneedle").value_or(0), bed.shared("freqneedle").value_or(0),
                bed.shared("ampsvolts").value_or(0)};
    }
    // Drive disconnected with the generator running: guard open, then the disconnect button.
    void disconnectRunning(const SideUnderTest& s) {
        bed.sim(s.generator, 1.0);
        bed.run(1);
        bed.click(s.guardOpen);
        bed.click(s.disconnect);
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
        bed.set("voltfreqsel", c.selector);
        bed.set("rpm", c.rpm);
        bed.set("extpwravail", c.extpwravail);
        bed.sim(sim::Engine1GeneratorSwitch, c.leftGenerator);
        bed.sim(sim::Engine2GeneratorSwitch, c.rightGenerator);
        bed.run(1);
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
    bed.set("voltfreqsel", 5);
    for (const auto& c : ampsCases) {
        SCOPED_TRACE(c.what);
        bed.set("emerpwrsw", c.emergency);
        bed.set("battsw", c.battery);
        bed.sim(sim::Engine1GeneratorSwitch, c.leftGenerator);
        bed.set("lcsdreset", c.control);
        bed.set("lgencsd", c.csd);
        bed.set("extpwravail", c.externalOnLeftBus ? 1 : 0);
        bed.set("extlbussw", c.externalOnLeftBus ? 1 : 0);
        bed.run(1);
        EXPECT_EQ(bed.shared("ampsvolts"), c.amps);
        EXPECT_EQ(bed.shared("acvoltsneedle"), 0u);
        EXPECT_EQ(bed.shared("freqneedle"), 0u);
    }
}

TEST_F(GeneratorPanel, BatteryAmpsHoldTheirReadingWhileTheLightsTestLightsTheBuses) {
    bed.set("voltfreqsel", 5);
    bed.set("battsw", 1);
    bed.set("emerpwrsw", 1);
    bed.run(1);
    ASSERT_EQ(bed.shared("ampsvolts"), 128u);
    bed.set("emerpwrsw", 0);
    bed.set("lightstestsw", 1);
    bed.run(1);
    EXPECT_EQ(bed.shared("extlbuslt"), 3u);
    EXPECT_EQ(bed.shared("ampsvolts"), 128u);
}

TEST_F(GeneratorPanel, SelectorTurnedToBatteryAmpsDuringTheLightsTestKeepsAllThreeMeters) {
    bed.set("rpm", 200);
    bed.run(1);
    ASSERT_EQ(meters(), (Meters{11, 400, 100}));
    bed.set("battsw", 1);
    bed.set("lightstestsw", 1);
    for (int i = 0; i < 5; ++i) bed.click(SelectorUp);  // APU to BATT AMPS between two updates
    bed.run(1);
    ASSERT_EQ(bed.shared("extlbuslt"), 3u);
    EXPECT_EQ(meters(), (Meters{11, 400, 100}));
    bed.set("lightstestsw", 0);
    bed.run(1);
    EXPECT_EQ(meters(), (Meters{0, 0, 90}));
}

TEST_F(GeneratorPanel, SelectorStaysWithinItsSixPositions) {
    for (int i = 0; i < 8; ++i) bed.click(SelectorUp);
    EXPECT_EQ(bed.shared("voltfreqsel"), 5u);
    for (int i = 0; i < 8; ++i) bed.click(SelectorDown);
    EXPECT_EQ(bed.shared("voltfreqsel"), 0u);
    bed.click(SelectorUp);
    bed.run(1);
    EXPECT_EQ(bed.element("380,161").state, 1);
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
    {"running climbs toward 1300", 1, 0, 0, 80, 1260, 1280},
    {"running takes the last step to 1300", 1, 0, 0, 80, 1280, 1300},
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
            bed.sim(s.generator, c.generator);
            bed.sim(s.n2, c.n2);
            bed.set(s.csd, c.csd);
            bed.set("pushrise", c.pushrise);
            bed.set(s.temp, c.before);
            bed.run(1);
            EXPECT_EQ(bed.shared(s.temp), c.after);
        }
    }
}

TEST_F(GeneratorPanel, RightDriveTemperatureStartsAtZeroAndClimbsFromThere) {
    EXPECT_EQ(bed.shared("lcsdtemp"), 200u);
    EXPECT_EQ(bed.shared("rcsdtemp"), 0u);
    bed.sim(sim::Engine2GeneratorSwitch, 1.0);
    bed.run(2);
    EXPECT_EQ(bed.shared("rcsdtemp"), 40u);
    EXPECT_EQ(bed.shared("lcsdtemp"), 200u);
}

TEST_F(GeneratorPanel, DisconnectWithTheGeneratorOnSendsOneToggleAndCoolsToTwoHundred) {
    for (const auto& s : sides) {
        SCOPED_TRACE(s.name);
        bed.set(s.temp, 300);
        const Mark m = bed.mark();
        disconnectRunning(s);
        EXPECT_EQ(bed.keyIds(m), std::vector<std::uint32_t>{s.toggle});
        EXPECT_EQ(bed.shared(s.csd), 2u);
        EXPECT_EQ(bed.sim(s.generator), 0.0);
        // The switch no longer commands the generator.
        bed.click(s.onOff);
        bed.click(s.onOff);
        EXPECT_EQ(bed.keyIds(m).size(), 1u);
        bed.run(1);
        EXPECT_EQ(bed.shared(s.temp), 300u);  // the running generator warmed it by 20 before the cut
        for (std::uint32_t t = 280; t >= 200; t -= 20) {
            bed.run(1);
            EXPECT_EQ(bed.shared(s.temp), t);
        }
        bed.run(3);
        EXPECT_EQ(bed.shared(s.temp), 200u);
    }
}

TEST_F(GeneratorPanel, DisconnectNeedsTheGuardOpen) {
    const auto& s = sides[0];
    bed.sim(s.generator, 1.0);
    bed.run(1);
    bed.click(s.disconnect);
    EXPECT_EQ(bed.shared(s.csd), 0u);
    bed.click(s.guardOpen);
    bed.click(s.guardClose);
    bed.click(s.disconnect);
    EXPECT_EQ(bed.shared(s.csd), 0u);
    EXPECT_TRUE(bed.keyIds().empty());
}

TEST_F(GeneratorPanel, ReconnectDoesNothingInFlightAndWorksOnTheGround) {
    for (const auto& s : sides) {
        SCOPED_TRACE(s.name);
        disconnectRunning(s);
        bed.run(1);
        const Mark m = bed.mark();
        bed.sim(sim::OnGround, 0.0);
        bed.run(1);
        bed.click(s.reconnect);
        EXPECT_EQ(bed.shared(s.csd), 2u);
        EXPECT_TRUE(bed.keyIds(m).empty());

        bed.sim(sim::OnGround, 1.0);
        bed.run(1);
        bed.click(s.reconnect);
        EXPECT_EQ(bed.shared(s.csd), 0u);
        EXPECT_EQ(bed.keyIds(m), std::vector<std::uint32_t>{s.toggle});
        EXPECT_EQ(bed.sim(s.generator), 1.0);
        bed.sim(sim::OnGround, 0.0);
    }
}

TEST_F(GeneratorPanel, ReconnectWithTheSwitchOffLeavesTheGeneratorOff) {
    disconnectRunning(sides[0]);
    bed.click(sides[0].onOff);  // ON to OFF: no event while disconnected
    bed.sim(sim::OnGround, 1.0);
    bed.run(1);
    bed.click(sides[0].reconnect);
    EXPECT_EQ(bed.shared("lgencsd"), 0u);
    EXPECT_EQ(bed.keyIds().size(), 1u);  // the disconnect's
    EXPECT_EQ(bed.sim(sides[0].generator), 0.0);
}

TEST_F(GeneratorPanel, GeneratorSwitchKeepsTheSimulatorsGeneratorInStep) {
    for (const auto& s : sides) {
        SCOPED_TRACE(s.name);
        bed.sim(s.generator, 1.0);
        bed.run(1);
        const Mark m = bed.mark();
        bed.click(s.onOff);
        EXPECT_EQ(bed.shared(s.control), 1u);
        EXPECT_EQ(bed.sim(s.generator), 0.0);
        bed.run(1);
        bed.click(s.onOff);
        EXPECT_EQ(bed.shared(s.control), 0u);
        EXPECT_EQ(bed.sim(s.generator), 1.0);
        EXPECT_EQ(bed.keyIds(m), (std::vector<std::uint32_t>{s.toggle, s.toggle}));

        // Already in agreement: the switch moves, nothing is sent.
        bed.sim(s.generator, 0.0);
        bed.run(1);
        bed.click(s.onOff);
        EXPECT_EQ(bed.keyIds(m).size(), 2u);
        bed.click(s.onOff);  // back to ON; sets the generator on again
        bed.run(1);
    }
}

TEST_F(GeneratorPanel, TwoClicksBetweenUpdatesLeaveTheGeneratorAgreeingWithTheSwitch) {
    const auto& s = sides[0];
    bed.sim(s.generator, 1.0);
    bed.run(1);
    bed.click(s.onOff);
    bed.click(s.onOff);
    EXPECT_EQ(bed.shared(s.control), 0u);
    EXPECT_EQ(bed.sim(s.generator), 1.0);
    bed.click(s.onOff);
    EXPECT_EQ(bed.sim(s.generator), 0.0);
}

TEST_F(GeneratorPanel, ResetsAreHeldForNineTicks) {
    bed.click(sides[0].reset);  // only from OFF
    EXPECT_EQ(bed.shared("lcsdreset"), 0u);
    for (const auto& s : sides) {
        bed.click(s.onOff);
        bed.click(s.reset);
    }
    bed.click(ApuGenReset);
    bed.click(ApuGenReset);  // a second press while held changes nothing
    bed.run(8);
    EXPECT_EQ(bed.shared("lcsdreset"), 2u);
    EXPECT_EQ(bed.shared("rcsdreset"), 2u);
    EXPECT_EQ(bed.shared("apugenreset"), 1u);
    bed.run(1);
    EXPECT_EQ(bed.shared("lcsdreset"), 1u);
    EXPECT_EQ(bed.shared("rcsdreset"), 1u);
    EXPECT_EQ(bed.shared("apugenreset"), 0u);
}

TEST_F(GeneratorPanel, ResetsSpringBackWhenTheTickCounterStepsOverTheirDeadline) {
    bed.click(sides[0].onOff);
    bed.click(sides[1].onOff);
    bed.click(sides[0].reset);
    bed.click(sides[1].reset);
    bed.click(ApuGenReset);
    ASSERT_EQ(bed.shared("apugenreset"), 1u);
    bed.run(2, 4.0);  // ticks +4, +8
    EXPECT_EQ(bed.shared("lcsdreset"), 2u);
    EXPECT_EQ(bed.shared("apugenreset"), 1u);
    bed.run(1, 4.0);  // +12: past the deadline at +9
    EXPECT_EQ(bed.shared("lcsdreset"), 1u);
    EXPECT_EQ(bed.shared("rcsdreset"), 1u);
    EXPECT_EQ(bed.shared("apugenreset"), 0u);
}

TEST_F(GeneratorPanel, HeldResetGoesToOnWhenTheSwitchIsClicked) {
    const auto& s = sides[0];
    bed.click(s.onOff);
    bed.click(s.reset);
    bed.click(s.onOff);
    EXPECT_EQ(bed.shared(s.control), 0u);
    bed.run(10);
    EXPECT_EQ(bed.shared(s.control), 0u);
}

TEST_F(GeneratorPanel, NeedlesShowTheirValuesAndAreLitWithThePanelLights) {
    bed.set("voltfreqsel", 1);
    bed.set("extpwravail", 1);
    bed.run(1);
    EXPECT_EQ(bed.element(VoltsNeedle).value, 12.0);
    EXPECT_EQ(bed.element("140,79").value, 200.0);
    EXPECT_FALSE(bed.element(VoltsNeedle).lit);
    bed.set("ohpanel", 1);
    bed.run(1);
    EXPECT_TRUE(bed.element(VoltsNeedle).lit);
    EXPECT_EQ(bed.element("0,0[1]").state, 1);
}

// Each needle's angle, from the pivot to the scale's points, interpolated by value and held at
// the first and last points: the right drive temperature starts at 0, below its scale's 200.
TEST_F(GeneratorPanel, NeedlesTurnAlongTheirScalesAndStopAtBothEnds) {
    struct Scale {
        const char* variable;
        At needle;
        Pt pivot;
        std::vector<std::pair<double, Pt>> points;
    };
    const Scale scales[] = {
        {"acvoltsneedle", VoltsNeedle, {424, 77}, {{0, {387, 56}}, {8, {396, 44}}, {10, {435, 36}}, {15, {465, 58}}}},
        {"freqneedle", "533,80", {533, 80}, {{0, {484, 52}}, {350, {501, 33}}, {400, {530, 25}}, {450, {567, 31}}}},
        {"ampsvolts",
         "540,189",
         {540, 189},
         {{0, {495, 165}}, {50, {506, 150}}, {100, {539, 137}}, {150, {568, 149}}, {200, {583, 167}}}},
        {"lcsdtemp",
         "140,79",
         {140, 79},
         {{0, {113, 113}},
          {200, {108, 107}},
          {600, {101, 60}},
          {1000, {140, 35}},
          {1400, {181, 61}},
          {1800, {174, 105}}}},
        {"rcsdtemp",
         "245,79",
         {245, 79},
         {{200, {214, 107}}, {600, {203, 58}}, {1000, {246, 30}}, {1400, {290, 59}}, {1800, {285, 109}}}},
    };
    const auto angleOf = [](Pt pivot, Pt p) { return std::atan2(p.x - pivot.x, pivot.y - p.y); };
    for (const auto& s : scales) {
        std::vector<double> angles;
        for (const auto& [value, p] : s.points) {
            double a = angleOf(s.pivot, p);
            while (!angles.empty() && a < angles.back() - M_PI) a += 2 * M_PI;
            while (!angles.empty() && a > angles.back() + M_PI) a -= 2 * M_PI;
            angles.push_back(a);
        }
        const double first = s.points.front().first, last = s.points.back().first;
        const std::pair<double, double> cases[] = {{0, angles.front()},
                                                   {first, angles.front()},
                                                   {(first + s.points[1].first) / 2, (angles[0] + angles[1]) / 2},
                                                   {last, angles.back()},
                                                   {last + 100, angles.back()}};
        for (const auto& [value, angle] : cases) {
            bed.set(s.variable, static_cast<std::uint32_t>(value));
            const auto needle = bed.redrawn(s.needle);
            EXPECT_EQ(needle.value, value) << s.variable;
            EXPECT_NEAR(needle.angle, angle, 1e-9) << s.variable << " at " << value;
        }
    }
}

}  // namespace
}  // namespace tj20::test
