// The mode annunciator through the host, fed by the real guidance panel, thrust rating
// panel and GA button and by the simulator model's autopilot state.
#include "panel_test.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr const char* Fma = "rl_tj20_main_fma";
constexpr const char* Fgcp = "rl_tj20_main_dfgs";
constexpr const char* Trp = "rl_tj20_main_trp";
// Elements in chain order.
enum : std::size_t {
    ThrustWindow = 1,
    LowLim,
    SpeedTarget,
    MachTarget,
    ArmWindow,
    RollWindow,
    PitchWindow,
    TakeoffRoll,
    TakeoffPitch,
    GoAroundRoll,
    GoAroundPitch,
    ApCaption,
    ApWarning,
    NoAutoland,
    IlsWarning
};
constexpr double FeetPerMetre = 3.28084;

class ModeAnnunciator : public ::testing::Test {
protected:
    void SetUp() override {
        panel = loadPanel({"rl_tj20_main_assumedtemp", Trp, "rl_tj20_main_goaround_sw", Fgcp, Fma});
        panel->run(1);
        panel->journal().keyEvents.clear();
    }
    void set(std::uint32_t id, double v) { panel->sim().set(id, v); }
    int shown(std::size_t e) const { return element(*panel, Fma, e).state; }
    bool visible(std::size_t e) const { return element(*panel, Fma, e).visible; }
    void radioHeightFeet(double ft) { set(sim::RadioHeight, ft / FeetPerMetre); }
    std::unique_ptr<host::Panel> panel;
};

TEST_F(ModeAnnunciator, AltitudeCaptureAndHoldBands) {
    struct Case {
        double fromTarget;
        int pitch;
    } cases[] = {{900, 2}, {-900, 2}, {900.5, 1}, {-900.5, 1}, {300.5, 2}, {300, 3}, {-300, 3}, {0, 3}};
    set(sim::AltitudeHold, 1);
    set(sim::SelectedAltitude, 10000);
    for (const auto& c : cases) {
        set(sim::Altitude, 10000 + c.fromTarget);
        panel->run(1);
        EXPECT_EQ(shown(PitchWindow), c.pitch) << c.fromTarget;
    }
}

TEST_F(ModeAnnunciator, GlideSlopeAtTheBandEdgesLeavesThePitchWindow) {
    struct Case {
        double needle;
        int pitch;
    } steps[] = {{10, 5}, {50, 5}, {-50, 5}, {60, 4}, {119, 4}, {-130, 4}, {49.9, 5}, {-118.9, 4}};
    set(sim::ApproachHold, 1);
    for (const auto& s : steps) {
        set(sim::Nav1GlideSlopeNeedle, s.needle);
        panel->run(1);
        EXPECT_EQ(shown(PitchWindow), s.pitch) << s.needle;
    }
}

TEST_F(ModeAnnunciator, ArmedModes) {
    struct Case {
        std::uint32_t vorloc, ils, autlnd;
        bool localizer;
        double fromTarget;
        int arm;
    } cases[] = {
        {1, 0, 0, false, 0, 1},    {1, 0, 0, true, 0, 2},      {1, 1, 0, true, 0, 3},    {1, 1, 1, true, 0, 8},
        {0, 0, 0, false, 1000, 4}, {1, 0, 0, false, -1000, 5}, {1, 0, 0, true, 1000, 6}, {1, 1, 0, true, 1000, 7},
        {1, 1, 1, true, 1000, 9},  {0, 0, 0, true, 899, 0},
    };
    set(sim::Nav1LateralNeedle, 127);     // nothing captured
    set(sim::Nav1GlideSlopeNeedle, 200);  // no glide slope
    set(sim::AltitudeHold, 1);
    set(sim::SelectedAltitude, 10000);
    for (const auto& c : cases) {
        set(sim::Nav1ReceiverCode, c.localizer ? 0x80 | 0x03 : 0x03);
        set(sim::Altitude, 10000 + c.fromTarget);
        panel->setShared("vorloc", c.vorloc);
        panel->setShared("ils", c.ils);
        panel->setShared("autlnd", c.autlnd);
        panel->run(2);  // the localizer flag reaches the rules one draw after the receiver code
        EXPECT_EQ(shown(ArmWindow), c.arm) << c.vorloc << c.ils << c.autlnd << c.localizer << " " << c.fromTarget;
    }
}

// The arm window carries the NAV1 receiver code; drawing it refreshes the localizer flag,
// which the rules read at the next update.
TEST_F(ModeAnnunciator, LocalizerFlagReachesTheRulesOneDrawAfterTheReceiverCode) {
    panel->setShared("vorloc", 1);
    set(sim::Nav1LateralNeedle, 127);
    panel->run(1);
    EXPECT_EQ(shown(ArmWindow), 1) << "VOR";
    set(sim::Nav1ReceiverCode, 0x80 | 0x03);
    panel->run(1);
    EXPECT_EQ(shown(ArmWindow), 1) << "the update ran before the window drew the new code";
    panel->run(1);
    EXPECT_EQ(shown(ArmWindow), 2) << "LOC";
    set(sim::Nav1ReceiverCode, 0x7F);
    panel->run(2);
    EXPECT_EQ(shown(ArmWindow), 1) << "bit 7 alone decides";
}

// Autoland below 1500 ft, then a balloon back above 150 ft, touchdown, reverse and its
// release: the step never goes back, and the ILS sequence never starts beside it.
TEST_F(ModeAnnunciator, LandingStepsOnlyMoveForward) {
    struct Row {
        double radioFeet;
        bool onGround;
        double lever1;
        std::uint32_t alstep;
        int roll, pitch;
    } rows[] = {
        {1400, false, 0, 1, 8, 6}, {140, false, 0, 2, 10, 6}, {200, false, 0, 2, 10, 6},  {1400, false, 0, 2, 10, 6},
        {40, false, 0, 3, 10, 7},  {0, true, 0, 4, 11, 8},    {0, true, -6000, 5, 11, 8}, {0, true, 0, 5, 11, 8},
    };
    panel->setShared("autlnd", 1);
    panel->setShared("ils", 1);
    set(sim::Nav1ReceiverCode, 0x80);
    set(sim::Nav1Hold, 1);
    set(sim::ApproachHold, 1);
    set(sim::Nav1LateralNeedle, 10);  // localizer and glide slope tracked throughout
    set(sim::Nav1GlideSlopeNeedle, 10);
    for (const auto& r : rows) {
        radioHeightFeet(r.radioFeet);
        set(sim::OnGround, r.onGround);
        set(sim::Throttle1Lever, r.lever1);
        panel->run(2);
        EXPECT_EQ(panel->shared("alstep"), r.alstep) << r.radioFeet << " ft, lever " << r.lever1;
        EXPECT_EQ(shown(RollWindow), r.roll) << r.radioFeet << " ft, lever " << r.lever1;
        EXPECT_EQ(shown(PitchWindow), r.pitch) << r.radioFeet << " ft, lever " << r.lever1;
        EXPECT_EQ(panel->shared("ilsstep"), 0u) << r.radioFeet << " ft, lever " << r.lever1;
    }
}

TEST_F(ModeAnnunciator, SimulatorTableHoldsTheUnreadEntriesAndThePlaceholder) {
    panel.reset();
    const std::vector<std::uint32_t> table{0x73, 0x74, 0x75,  0x76, 0x6a, 0x68, 0x69, 0x70, 0x6c, 0x6d, 0x4a,
                                           0x28, 0x29, 0x266, 0x3c, 0x80, 0xa3, 0x67, 0x7b, 0x3d, 0x40, 0x18,
                                           0x1b, 0x2d, 0x36,  0x01, 0x51, 0x6b, 0x77, 0x49, 0x7c, 0};
    EXPECT_EQ(simTableOf(Fma), table);
}

TEST_F(ModeAnnunciator, IlsGoAroundArmFollowsTheAutopilotOnEveryUpdate) {
    radioHeightFeet(1000);
    panel->setShared("ils", 1);
    panel->setShared("ilsstep", 1);
    set(sim::AutopilotEngaged, 1);
    panel->run(1);
    EXPECT_EQ(shown(ArmWindow), 10) << "AUT G/A";
    set(sim::AutopilotEngaged, 0);
    panel->run(1);
    EXPECT_EQ(shown(ArmWindow), 11) << "F/D G/A";
}

TEST_F(ModeAnnunciator, ApWarningFlashesOnTheTickPhaseUntilResetAndEngagingRearmsIt) {
    auto overOneSecond = [&] {
        std::vector<int> lit;
        panel->setTick(-1);
        for (int t = 0; t < 18; ++t) {
            panel->run(1);
            lit.push_back(shown(ApWarning));
        }
        return lit;
    };
    std::vector<int> flashing(18, 0);
    std::fill(flashing.begin(), flashing.begin() + 9, 1);
    const std::vector<int> dark(18, 0);

    EXPECT_EQ(overOneSecond(), flashing);
    ASSERT_TRUE(panel->mouse(Fma, 270, 30));  // RESET
    EXPECT_EQ(overOneSecond(), dark);
    ASSERT_TRUE(panel->mouse(Fgcp, 460, 70));  // AP engaged: no warning, and RESET does nothing
    panel->run(1);
    ASSERT_TRUE(panel->mouse(Fma, 270, 30));
    EXPECT_EQ(overOneSecond(), dark);
    EXPECT_TRUE(visible(ApCaption));
    ASSERT_TRUE(panel->mouse(Fgcp, 460, 70));  // AP off: the warning is armed again
    EXPECT_EQ(overOneSecond(), flashing);
}

TEST_F(ModeAnnunciator, ThrustWindow) {
    struct Case {
        int ratingX, ratingY;  // button of the thrust rating panel
        double armed, ias;
        std::uint32_t eprl;
        int thrust;
    } cases[] = {
        {25, 210, 1, 30, 0, 5}, {70, 210, 1, 30, 0, 6},  {70, 210, 1, 60, 0, 6}, {70, 210, 1, 61, 0, 4},
        {110, 210, 1, 0, 1, 7}, {110, 253, 1, 0, 1, 10}, {25, 210, 0, 30, 1, 0},
    };
    set(sim::OnGround, 1);
    for (const auto& c : cases) {
        ASSERT_TRUE(panel->mouse(Trp, c.ratingX, c.ratingY));
        set(sim::AutothrottleArmed, c.armed);
        set(sim::IndicatedAirspeed, c.ias);
        panel->setShared("eprl", c.eprl);
        panel->run(1);
        EXPECT_EQ(shown(ThrustWindow), c.thrust) << c.ratingX << "," << c.ratingY << " ias " << c.ias;
    }
}

TEST_F(ModeAnnunciator, LowLimitReplacesTheThrustWindowAtIdleAboveTheTarget) {
    set(sim::AutothrottleArmed, 1);
    set(sim::AirspeedHold, 1);
    set(sim::SelectedAirspeed, 200);
    set(sim::IndicatedAirspeed, 250);
    panel->run(1);
    EXPECT_TRUE(visible(LowLim));
    EXPECT_FALSE(visible(ThrustWindow));
    EXPECT_FALSE(visible(SpeedTarget));
    set(sim::Throttle1Lever, 1);
    panel->run(1);
    EXPECT_FALSE(visible(LowLim));
    EXPECT_TRUE(visible(ThrustWindow));
    EXPECT_EQ(element(*panel, Fma, SpeedTarget).text, "200");
}

TEST_F(ModeAnnunciator, TakeoffAndGoAroundCaptionsCoverRollAndPitch) {
    set(sim::SelectedAltitude, 5000);
    panel->setShared("fmato", 1);
    panel->run(1);
    EXPECT_TRUE(visible(TakeoffRoll) && visible(TakeoffPitch));
    EXPECT_FALSE(visible(RollWindow) || visible(PitchWindow) || visible(GoAroundRoll));
    panel->setShared("goaround", 1);
    panel->run(1);
    EXPECT_TRUE(visible(GoAroundRoll) && visible(GoAroundPitch));
    EXPECT_FALSE(visible(TakeoffRoll) || visible(RollWindow));
}

TEST_F(ModeAnnunciator, ReceiverCaptionsNeedBothNavReceiversAlike) {
    panel->sim().setDigits(sim::Nav1Frequency, 0x11030);
    panel->sim().setDigits(sim::Nav2Frequency, 0x11030);
    set(sim::Nav1Course, 270);
    set(sim::Nav2Course, 270);
    set(sim::Nav1LateralNeedle, 127);
    panel->setShared("autlnd", 1);
    panel->setShared("ils", 1);
    panel->run(1);
    EXPECT_FALSE(visible(NoAutoland) || visible(IlsWarning));
    set(sim::Nav2Course, 271);
    panel->run(1);
    EXPECT_FALSE(visible(NoAutoland));
    EXPECT_TRUE(visible(IlsWarning));
    set(sim::Nav2Course, 270);
    panel->sim().setDigits(sim::Nav2Frequency, 0x11035);
    panel->run(1);
    EXPECT_TRUE(visible(NoAutoland) && visible(IlsWarning));
}

}  // namespace
}  // namespace tj20::test
