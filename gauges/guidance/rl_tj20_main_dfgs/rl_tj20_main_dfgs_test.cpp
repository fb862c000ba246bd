// The guidance panel through the host, with the thrust rating panel, the GA button and the
// annunciator beside it as on the aircraft.
#include "panel_test.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr const char* Fgcp = "rl_tj20_main_dfgs";

struct Spot {
    int x, y;
};
constexpr Spot SpeedUp{125, 80}, SpeedDown{95, 80}, AutoThrottle{180, 90}, HeadingUp{295, 80}, HeadingDown{255, 80},
    HdgPush{280, 80}, SpeedSelect{60, 10}, VorLocButton{220, 10}, IlsButton{220, 50}, AltHoldButton{450, 10},
    ThousandsUp{580, 70}, ThousandsDown{545, 70}, HundredsUp{580, 95}, HundredsDown{545, 95}, AltPush{560, 70},
    FdSwitch{10, 25}, VertSpdButton{410, 10}, WheelAnu{375, 90}, WheelAnd{375, 55};
constexpr Spot TakeoffRating{25, 210}, GoAroundRating{110, 210};  // thrust rating panel
constexpr std::size_t AltitudeReadout = 10, VerticalSpeedReadout = 13, ThreeDigitReadout = 14;

class GuidancePanel : public ::testing::Test {
protected:
    void SetUp() override {
        panel = loadPanel(
            {"rl_tj20_main_assumedtemp", "rl_tj20_main_trp", "rl_tj20_main_goaround_sw", Fgcp, "rl_tj20_main_fma"});
        panel->run(1);
        panel->journal().keyEvents.clear();
    }
    void click(Spot s) { ASSERT_TRUE(panel->mouse(Fgcp, s.x, s.y)); }
    void set(std::uint32_t id, double v) { panel->sim().set(id, v); }
    std::vector<std::uint32_t> sent() {
        auto ids = keyIds(*panel);
        panel->journal().keyEvents.clear();
        return ids;
    }
    std::vector<std::uint32_t> valuesOf(std::uint32_t id) const {
        std::vector<std::uint32_t> v;
        for (const auto& k : panel->journal().keyEvents)
            if (k.id == id) v.push_back(k.value);
        return v;
    }
    std::size_t count(std::uint32_t id) const { return valuesOf(id).size(); }
    // An armed autothrottle holding the EPR limit, on the first tick of a second.
    void holdEprLimit(std::uint32_t limit) {
        set(sim::AutothrottleArmed, 1);
        panel->setShared("eprl", 1);
        panel->setShared("eprlim", limit);
        panel->setTick(17);
        panel->run(1);
    }
    std::unique_ptr<host::Panel> panel;
};

TEST_F(GuidancePanel, LocalizerCapturesOnlyStrictlyInsideTheBand) {
    struct Case {
        double needle;
        bool captures;
    } cases[] = {{126, false}, {-126, false}, {125.9, true}, {-125.9, true}, {0, true}};
    for (const auto& c : cases) {
        click(VorLocButton);
        set(sim::Nav1LateralNeedle, c.needle);
        panel->run(1);
        EXPECT_EQ(count(key::Nav1HoldEngage), c.captures ? 1u : 0u) << c.needle;
        EXPECT_EQ(panel->shared("vorloc"), c.captures ? 0u : 1u) << c.needle;
        sent();
    }
}

TEST_F(GuidancePanel, IlsArmsBothAndCaptureClearsOnlyVorLoc) {
    set(sim::Nav1LateralNeedle, 10);
    set(sim::Nav1GlideSlopeNeedle, 119);
    click(IlsButton);
    EXPECT_EQ(panel->shared("vorloc"), 1u);
    panel->run(1);
    EXPECT_EQ(panel->shared("vorloc"), 0u);
    EXPECT_EQ(panel->shared("ils"), 1u);
    EXPECT_EQ(count(key::ApproachHoldEngage), 0u) << "glide slope at 119 is not alive";
    set(sim::Nav1GlideSlopeNeedle, -118.9);
    panel->run(3);
    EXPECT_EQ(count(key::ApproachHoldEngage), 3u) << "sent on every update while alive";
}

TEST_F(GuidancePanel, LeverTableBands) {
    struct Case {
        std::uint32_t eprlim, lever;
    } cases[] = {{0, 10958}, {158, 10958}, {159, 12040}, {206, 13835}, {207, 14085}, {216, 14590}};
    for (const auto& c : cases) {
        holdEprLimit(c.eprlim);
        EXPECT_EQ(valuesOf(key::Throttle1Set), std::vector<std::uint32_t>{c.lever}) << c.eprlim;
        EXPECT_EQ(valuesOf(key::Throttle2Set), std::vector<std::uint32_t>{c.lever}) << c.eprlim;
        EXPECT_EQ(panel->sim().get(sim::Throttle2Lever), c.lever);
        sent();
    }
    holdEprLimit(217);
    EXPECT_EQ(valuesOf(key::Throttle1Set), std::vector<std::uint32_t>{14590}) << "above 216 keeps the lever";
}

TEST_F(GuidancePanel, EprHoldActsInTheFirstNineTicksOfEverySecond) {
    holdEprLimit(197);
    panel->setTick(-1);
    for (int tick = 0; tick < 36; ++tick) {
        sent();
        panel->run(1);
        EXPECT_EQ(count(key::Throttle1Set), tick % 18 < 9 ? 1u : 0u) << "tick " << tick;
    }
    panel->setShared("eprl", 0);
    panel->run(18);
    EXPECT_EQ(count(key::Throttle1Set), 0u);
}

TEST_F(GuidancePanel, AutothrottleOnTheGroundSetsTakeoffThrustOnlyUnderATakeoffRating) {
    struct Case {
        Spot rating;
        bool onGround, setsThrottles;
    } cases[] = {{TakeoffRating, true, true}, {TakeoffRating, false, false}, {GoAroundRating, true, false}};
    for (const auto& c : cases) {
        set(sim::AutothrottleArmed, 0);
        set(sim::OnGround, c.onGround);
        ASSERT_TRUE(panel->mouse("rl_tj20_main_trp", c.rating.x, c.rating.y));
        panel->run(2);
        sent();
        click(AutoThrottle);
        EXPECT_EQ(count(key::AutothrottleArmToggle), 1u);
        EXPECT_EQ(panel->sim().get(sim::AutothrottleArmed), 1.0);
        EXPECT_EQ(count(key::Throttle1Set) + count(key::Throttle2Set), c.setsThrottles ? 2u : 0u);
        if (c.setsThrottles) {
            EXPECT_EQ(valuesOf(key::Throttle1Set)[0], 14085u) << "T.O. at 0 °C: limit 2.09, eprlim 208";
        }
    }
}

TEST_F(GuidancePanel, TakeoffModeEndsOnceAbove900FtBelowTheSelectedAltitude) {
    set(sim::OnGround, 1);
    panel->run(1);
    ASSERT_TRUE(panel->mouse("rl_tj20_main_goaround_sw", 5, 5));
    ASSERT_EQ(panel->shared("fmato"), 1u);
    set(sim::OnGround, 0);
    set(sim::SelectedAltitude, 5000);
    set(sim::Altitude, 4100);
    panel->run(1);
    EXPECT_EQ(panel->shared("fmato"), 1u) << "exactly 900 below does not end it";
    sent();
    set(sim::Altitude, 4100.5);
    panel->run(3);
    EXPECT_EQ(panel->shared("fmato"), 0u);
    EXPECT_EQ(sent(), (std::vector<std::uint32_t>{key::AltitudeHoldEngage, key::WingsLevelEngage}));
}

TEST_F(GuidancePanel, TouchdownDisarmsAnArmedAutothrottleExactlyOnce) {
    set(sim::OnGround, 1);
    set(sim::AutothrottleArmed, 1);
    panel->run(5);
    EXPECT_EQ(count(key::AutothrottleArmToggle), 0u) << "on the ground since load: nothing to disarm";
    set(sim::OnGround, 0);
    panel->run(5);
    set(sim::OnGround, 1);
    panel->run(20);
    EXPECT_EQ(count(key::AutothrottleArmToggle), 1u);
    EXPECT_EQ(panel->sim().get(sim::AutothrottleArmed), 0.0);
}

TEST_F(GuidancePanel, HeadingKnobStepsFromTheHeadingTheReadoutShowsAndWraps) {
    struct Case {
        double shown;
        Spot knob;
        std::uint32_t sends;
    } cases[] = {{359, HeadingUp, 0}, {0, HeadingDown, 359}, {270, HeadingUp, 271}, {90.4, HeadingDown, 89}};
    for (const auto& c : cases) {
        set(sim::SelectedHeading, c.shown);  // set by the simulator, not by this knob
        panel->run(1);
        click(c.knob);
        EXPECT_EQ(valuesOf(key::HeadingSet), std::vector<std::uint32_t>{c.sends}) << c.shown;
        sent();
    }
    ASSERT_TRUE(panel->hold(Fgcp, HeadingUp.x, HeadingUp.y, 4));
    EXPECT_EQ(panel->sim().get(sim::SelectedHeading), 94.0) << "89 plus a press and four held cycles";
    EXPECT_EQ(element(*panel, Fgcp, 3).text, "094");
}

TEST_F(GuidancePanel, AltitudeSelectorStaysWithin0And40000Ft) {
    for (int i = 0; i < 395; ++i) click(HundredsUp);
    click(ThousandsUp);
    click(ThousandsUp);
    panel->run(1);
    EXPECT_EQ(element(*panel, Fgcp, AltitudeReadout).text, "40000") << "39500 + 1000 stops at the top";
    for (int i = 0; i < 39; ++i) click(ThousandsDown);
    for (int i = 0; i < 5; ++i) click(HundredsDown);
    panel->run(1);
    EXPECT_EQ(element(*panel, Fgcp, AltitudeReadout).text, "  500");
    click(ThousandsDown);
    click(ThousandsDown);
    click(AltPush);
    EXPECT_EQ(valuesOf(key::AltitudeSet), std::vector<std::uint32_t>{0}) << "500 - 1000 stops at 0";
}

TEST_F(GuidancePanel, SpeedSelectorStopsAt100And400WithoutSendingMore) {
    click(SpeedDown);
    EXPECT_EQ(panel->shared("spdsel"), 100u);
    panel->setShared("spdsel", 399);
    click(SpeedUp);
    click(SpeedUp);
    EXPECT_EQ(panel->shared("spdsel"), 400u);
    EXPECT_EQ(valuesOf(key::AirspeedSet), std::vector<std::uint32_t>{400});
}

TEST_F(GuidancePanel, AutolandMonitorTripsWhenTheReceiversDisagree) {
    panel->sim().setDigits(sim::Nav1Frequency, 0x11030);
    panel->sim().setDigits(sim::Nav2Frequency, 0x11030);
    panel->setShared("autlnd", 1);
    panel->setShared("alstep", 1);
    set(sim::RadioHeight, 1000);  // metres: the annunciator keeps the autoland at step 1
    panel->run(2);
    EXPECT_EQ(count(key::AutopilotOff), 0u) << "same frequency, packed digits compared exactly";
    panel->sim().setDigits(sim::Nav2Frequency, 0x11050);
    panel->run(1);
    EXPECT_EQ(sent(), (std::vector<std::uint32_t>{key::AutopilotOff, key::WingsLevelEngage, key::AltitudeHoldEngage}));
    EXPECT_EQ(panel->shared("autlnd"), 0u);
    EXPECT_EQ(panel->shared("alstep"), 0u);
}

// The landing step is not the go-around's to end: the final-step signal goes on until the
// crew selects a mode.
TEST_F(GuidancePanel, GoAroundLatchesRepeatsWhileThrustIsActiveAndAModeButtonClearsIt) {
    panel->setShared("ilsstep", 3);
    set(sim::TakeoffGoAroundThrust, 1);
    panel->run(1);
    const std::vector<std::uint32_t> goAround{key::FinalLandingStep, key::TakeoffGoAroundOn, key::AirspeedHoldOff,
                                              key::MachHoldOff,      key::WingsLevelEngage,  key::AltitudeHoldEngage};
    EXPECT_EQ(sent(), goAround);
    panel->run(1);
    EXPECT_EQ(sent(), goAround);
    EXPECT_EQ(panel->shared("eprl"), 1u);
    EXPECT_EQ(panel->shared("ilsstep"), 3u);
    set(sim::TakeoffGoAroundThrust, 0);
    panel->run(3);
    EXPECT_EQ(sent(), std::vector<std::uint32_t>(3, key::FinalLandingStep));
    EXPECT_EQ(panel->shared("goaround"), 1u);
    click(HdgPush);
    EXPECT_EQ(panel->shared("goaround"), 0u);
    EXPECT_EQ(panel->shared("ilsstep"), 0u);
    sent();
    panel->run(1);
    EXPECT_TRUE(sent().empty());
}

// One autopilot roll channel: heading, wings level and the radio holds replace each other.
TEST_F(GuidancePanel, LateralHoldsReplaceEachOther) {
    auto holds = [&] {
        std::vector<double> v;
        for (auto id : {sim::HeadingHold, sim::WingsLevelHold, sim::Nav1Hold, sim::ApproachHold, sim::AltitudeHold})
            v.push_back(panel->sim().get(id));
        return v;
    };
    click(HdgPush);
    click(AltHoldButton);
    EXPECT_EQ(holds(), (std::vector<double>{1, 0, 0, 0, 1}));
    click(IlsButton);
    panel->run(1);  // localizer captured and glide slope alive
    EXPECT_EQ(holds(), (std::vector<double>{0, 0, 1, 1, 0})) << "the glide slope takes the pitch channel";
    set(sim::TakeoffGoAroundThrust, 1);
    panel->run(1);
    EXPECT_EQ(holds(), (std::vector<double>{0, 1, 0, 0, 1})) << "go-around: wings level and altitude hold";
}

// The simulator ends TO/GA thrust when a speed mode is selected or after its five-minute rating.
TEST_F(GuidancePanel, GoAroundThrustEndsWithASpeedModeOrItsRating) {
    for (bool bySpeedMode : {true, false}) {
        ASSERT_TRUE(panel->mouse("rl_tj20_main_goaround_sw", 5, 5));  // in the air: TO/GA thrust
        panel->run(1);
        EXPECT_EQ(panel->sim().get(sim::TakeoffGoAroundThrust), 1.0);
        EXPECT_EQ(panel->shared("goaround"), 1u);
        if (bySpeedMode) {
            click(SpeedSelect);
            EXPECT_EQ(panel->sim().get(sim::AirspeedHold), 1.0);
        } else {
            panel->run(5399 / 100, 100.0);
            EXPECT_EQ(panel->sim().get(sim::TakeoffGoAroundThrust), 1.0) << "repeats do not restart the rating";
            panel->run(1, 100.0);
        }
        EXPECT_EQ(panel->sim().get(sim::TakeoffGoAroundThrust), 0.0);
        click(HdgPush);
    }
}

TEST_F(GuidancePanel, FlightDirectorSwitchTogglesOnlyWhenTheSimulatorDisagrees) {
    click(FdSwitch);  // switch on, director off: toggle
    panel->run(1);
    EXPECT_EQ(panel->sim().get(sim::FlightDirector), 1.0);
    click(FdSwitch);  // switch off, director on: toggle
    panel->run(1);
    set(sim::FlightDirector, 1);  // director turned on elsewhere
    panel->run(1);
    click(FdSwitch);  // switch on, director already on
    EXPECT_EQ(count(key::FlightDirectorToggle), 2u);
}

// The wheel's mode is set at the first draw (and again by VERT SPD); until then the wheel
// turns without commanding anything.
TEST_F(GuidancePanel, PitchWheelStepsTheVerticalSpeedTargetOnceItsModeIsSet) {
    panel.reset();
    panel = loadPanel(
        {"rl_tj20_main_assumedtemp", "rl_tj20_main_trp", "rl_tj20_main_goaround_sw", Fgcp, "rl_tj20_main_fma"});
    click(WheelAnu);
    EXPECT_TRUE(sent().empty()) << "before the first draw";
    panel->run(1);
    click(WheelAnu);
    click(WheelAnu);
    click(WheelAnd);
    click(VertSpdButton);
    click(WheelAnu);
    EXPECT_EQ(sent(), (std::vector<std::uint32_t>{key::VerticalSpeedIncrease, key::VerticalSpeedIncrease,
                                                  key::VerticalSpeedDecrease, key::AltitudeHoldEngage,
                                                  key::VerticalSpeedIncrease}));
    EXPECT_EQ(panel->sim().get(sim::SelectedVerticalSpeed), 200.0);
}

TEST_F(GuidancePanel, VerticalWindowReadoutsStayHidden) {
    set(sim::SelectedVerticalSpeed, 700);
    click(VertSpdButton);
    click(WheelAnu);
    panel->run(1);
    for (auto index : {VerticalSpeedReadout, ThreeDigitReadout}) {
        const auto readout = element(*panel, Fgcp, index);
        EXPECT_EQ(readout.kind, 2u) << index;
        EXPECT_EQ(readout.x, 355) << index;
        EXPECT_EQ(readout.y, 17) << index;
        EXPECT_FALSE(readout.visible) << index;
    }
    EXPECT_EQ(element(*panel, Fgcp, VerticalSpeedReadout).text, "V0800");
}

// The heading readout shows the heading its own record carries, refreshed as it is drawn.
TEST_F(GuidancePanel, HeadingReadoutShowsTheSimulatorsSelectedHeadingAsItIsDrawn) {
    set(sim::SelectedHeading, 87);
    EXPECT_EQ(panel->evaluate(Fgcp)[3].text, "087") << "redrawn before any update";
}

TEST_F(GuidancePanel, SimulatorTableHoldsTheUnreadEntriesAndThePlaceholder) {
    panel.reset();
    const std::vector<std::uint32_t> table{0x01, 0x28, 0x29,  0x18, 0x1b, 0x3c, 0x4a, 0x6d, 0x78,  0x7b, 0x7c,
                                           0x6b, 0x76, 0x318, 0x74, 0x6c, 0x67, 0x73, 0x75, 0x144, 0};
    EXPECT_EQ(simTableOf(Fgcp), table);
}

}  // namespace
}  // namespace tj20::test
