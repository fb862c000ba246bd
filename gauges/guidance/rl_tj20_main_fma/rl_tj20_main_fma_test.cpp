// The mode annunciator through the host, fed by the real guidance panel, thrust rating
// panel and GA button and by the simulator model's autopilot state.
#include <cmath>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr const char* Fma = "rl_tj20_main_fma";
constexpr const char* Fgcp = "rl_tj20_main_dfgs";
constexpr const char* Trp = "rl_tj20_main_trp";
// Elements by their position on the annunciator.
constexpr Position ThrustWindow = "33,76", LowLim = "33,76[1]", SpeedTarget = "33,93", ArmWindow = "110,76",
                   RollWindow = "187,76", PitchWindow = "266,76", TakeoffRoll = "187,76[1]", TakeoffPitch = "266,76[1]",
                   GoAroundRoll = "187,76[2]", GoAroundPitch = "266,76[2]", ApCaption = "359,76", ApWarning = "177,14",
                   NoAutoland = "24,55", IlsWarning = "84,42";
constexpr double FeetPerMetre = 3.28084;

struct ModeAnnunciator : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_assumedtemp", Trp, "rl_tj20_main_goaround_sw", Fgcp, Fma}}};
    void set(std::uint32_t id, double v) { bed.sim(id, v); }
    int shown(At e) const { return bed.element(e).state; }
    bool visible(At e) const { return bed.element(e).visible; }
    void radioHeightFeet(double ft) { set(sim::RadioHeight, ft / FeetPerMetre); }
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
        bed.run(1);
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
        bed.run(1);
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
        bed.set("vorloc", c.vorloc);
        bed.set("ils", c.ils);
        bed.set("autlnd", c.autlnd);
        bed.run(2);  // the localizer flag reaches the rules one draw after the receiver code
        EXPECT_EQ(shown(ArmWindow), c.arm) << c.vorloc << c.ils << c.autlnd << c.localizer << " " << c.fromTarget;
    }
}

// The arm window carries the NAV1 receiver code; drawing it refreshes the localizer flag,
// which the rules read at the next update.
TEST_F(ModeAnnunciator, LocalizerFlagReachesTheRulesOneDrawAfterTheReceiverCode) {
    bed.set("vorloc", 1);
    set(sim::Nav1LateralNeedle, 127);
    bed.run(1);
    EXPECT_EQ(shown(ArmWindow), 1) << "VOR";
    set(sim::Nav1ReceiverCode, 0x80 | 0x03);
    bed.run(1);
    EXPECT_EQ(shown(ArmWindow), 1) << "the update ran before the window drew the new code";
    bed.run(1);
    EXPECT_EQ(shown(ArmWindow), 2) << "LOC";
    set(sim::Nav1ReceiverCode, 0x7F);
    bed.run(2);
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
    bed.set("autlnd", 1);
    bed.set("ils", 1);
    set(sim::Nav1ReceiverCode, 0x80);
    set(sim::Nav1Hold, 1);
    set(sim::ApproachHold, 1);
    set(sim::Nav1LateralNeedle, 10);  // localizer and glide slope tracked throughout
    set(sim::Nav1GlideSlopeNeedle, 10);
    for (const auto& r : rows) {
        radioHeightFeet(r.radioFeet);
        set(sim::OnGround, r.onGround);
        set(sim::Throttle1Lever, r.lever1);
        bed.run(2);
        EXPECT_EQ(bed.shared("alstep"), r.alstep) << r.radioFeet << " ft, lever " << r.lever1;
        EXPECT_EQ(shown(RollWindow), r.roll) << r.radioFeet << " ft, lever " << r.lever1;
        EXPECT_EQ(shown(PitchWindow), r.pitch) << r.radioFeet << " ft, lever " << r.lever1;
        EXPECT_EQ(bed.shared("ilsstep"), 0u) << r.radioFeet << " ft, lever " << r.lever1;
    }
}

// The sequences step strictly below 1500, 150 and 50 ft of radio height: exactly there they wait.
TEST_F(ModeAnnunciator, LandingStepsAdvanceOnlyBelowTheirHeights) {
    // Metres that read exactly `ft` feet.
    const auto exactly = [](double ft) {
        double m = ft / FeetPerMetre;
        for (int i = 0; i < 8 && m * FeetPerMetre != ft; ++i) m = std::nextafter(m, m * FeetPerMetre < ft ? ft : 0.0);
        EXPECT_EQ(m * FeetPerMetre, ft);
        return m;
    };
    for (const auto& [step, autoland] : {std::pair{"alstep", 1u}, {"ilsstep", 0u}}) {
        SCOPED_TRACE(step);
        bed.reload();
        bed.set("autlnd", autoland);
        bed.set("ils", 1);
        set(sim::Nav1ReceiverCode, 0x80);
        set(sim::Nav1Hold, 1);
        set(sim::ApproachHold, 1);
        set(sim::Nav1LateralNeedle, 10);
        set(sim::Nav1GlideSlopeNeedle, 10);
        for (const auto& [feet, before] : {std::pair{1500.0, 0u}, {150.0, 1u}, {50.0, 2u}}) {
            set(sim::RadioHeight, exactly(feet));
            bed.run(2);
            EXPECT_EQ(bed.shared(step), before) << "at " << feet << " ft";
            set(sim::RadioHeight, std::nextafter(exactly(feet), 0.0));
            bed.run(1);
            EXPECT_EQ(bed.shared(step), before + 1) << "just below " << feet << " ft";
        }
    }
}

// Every caption and window shown or hidden by a condition is drawn lit either way.
TEST_F(ModeAnnunciator, ConditionalIconsAreDrawnLitShownAndHidden) {
    struct Condition {
        const char* what;
        void (*arrange)(Bed&, bool);
        std::vector<std::pair<Position, bool>> icons;  // element, shown while the condition holds
    };
    const Condition conditions[] = {
        {"low limit",
         [](Bed& b, bool on) {
             b.sim(sim::AutothrottleArmed, 1);
             b.sim(sim::AirspeedHold, 1);
             b.sim(sim::SelectedAirspeed, 200);
             b.sim(sim::IndicatedAirspeed, 250);
             b.sim(sim::Throttle1Lever, on ? 0 : 1);
         },
         {{ThrustWindow, false}, {LowLim, true}}},
        {"takeoff mode",
         [](Bed& b, bool on) {
             b.sim(sim::SelectedAltitude, 5000);
             b.set("fmato", on);
         },
         {{RollWindow, false}, {PitchWindow, false}, {TakeoffRoll, true}, {TakeoffPitch, true}}},
        {"go-around",
         [](Bed& b, bool on) { b.set("goaround", on); },
         {{RollWindow, false}, {PitchWindow, false}, {GoAroundRoll, true}, {GoAroundPitch, true}}},
        {"autopilot engaged", [](Bed& b, bool on) { b.sim(sim::AutopilotEngaged, on); }, {{ApCaption, true}}},
        {"receivers tuned apart",
         [](Bed& b, bool on) {
             b.set("autlnd", 1);
             b.digits(sim::Nav1Frequency, 0x11030);
             b.digits(sim::Nav2Frequency, on ? 0x11050 : 0x11030);
         },
         {{NoAutoland, true}}},
        {"courses apart",
         [](Bed& b, bool on) {
             b.set("ils", 1);
             b.sim(sim::Nav1Course, 270);
             b.sim(sim::Nav2Course, on ? 271 : 270);
         },
         {{IlsWarning, true}}},
    };
    for (const auto& c : conditions) {
        bed.reload();
        for (bool on : {true, false}) {
            c.arrange(bed, on);
            bed.run(1);
            for (const auto& [icon, shownWhenOn] : c.icons) {
                SCOPED_TRACE(::testing::Message() << c.what << (on ? " holds: " : " does not hold: ") << icon);
                EXPECT_EQ(visible(icon), on == shownWhenOn);
                EXPECT_TRUE(bed.element(icon).lit);
            }
        }
    }
}

TEST_F(ModeAnnunciator, SimulatorTableHoldsTheUnreadEntriesAndThePlaceholder) {
    bed.unload();
    const std::vector<std::uint32_t> table{0x73, 0x74, 0x75,  0x76, 0x6a, 0x68, 0x69, 0x70, 0x6c, 0x6d, 0x4a,
                                           0x28, 0x29, 0x266, 0x3c, 0x80, 0xa3, 0x67, 0x7b, 0x3d, 0x40, 0x18,
                                           0x1b, 0x2d, 0x36,  0x01, 0x51, 0x6b, 0x77, 0x49, 0x7c, 0};
    EXPECT_EQ(simTableOf(Fma), table);
}

TEST_F(ModeAnnunciator, IlsGoAroundArmFollowsTheAutopilotOnEveryUpdate) {
    radioHeightFeet(1000);
    bed.set("ils", 1);
    bed.set("ilsstep", 1);
    set(sim::AutopilotEngaged, 1);
    bed.run(1);
    EXPECT_EQ(shown(ArmWindow), 10) << "AUT G/A";
    set(sim::AutopilotEngaged, 0);
    bed.run(1);
    EXPECT_EQ(shown(ArmWindow), 11) << "F/D G/A";
}

TEST_F(ModeAnnunciator, ApWarningFlashesOnTheTickPhaseUntilResetAndEngagingRearmsIt) {
    auto overOneSecond = [&] {
        std::vector<int> lit;
        bed.setTick(-1);
        for (int t = 0; t < 18; ++t) {
            bed.run(1);
            lit.push_back(shown(ApWarning));
        }
        return lit;
    };
    std::vector<int> flashing(18, 0);
    std::fill(flashing.begin(), flashing.begin() + 9, 1);
    const std::vector<int> dark(18, 0);

    EXPECT_EQ(overOneSecond(), flashing);
    bed.click({270, 30});  // RESET
    EXPECT_EQ(overOneSecond(), dark);
    bed.click(Fgcp, {460, 70});  // AP engaged: no warning, and RESET does nothing
    bed.run(1);
    bed.click({270, 30});
    EXPECT_EQ(overOneSecond(), dark);
    EXPECT_TRUE(visible(ApCaption));
    bed.click(Fgcp, {460, 70});  // AP off: the warning is armed again
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
        bed.click(Trp, {c.ratingX, c.ratingY});
        set(sim::AutothrottleArmed, c.armed);
        set(sim::IndicatedAirspeed, c.ias);
        bed.set("eprl", c.eprl);
        bed.run(1);
        EXPECT_EQ(shown(ThrustWindow), c.thrust) << c.ratingX << "," << c.ratingY << " ias " << c.ias;
    }
}

TEST_F(ModeAnnunciator, LowLimitReplacesTheThrustWindowAtIdleAboveTheTarget) {
    set(sim::AutothrottleArmed, 1);
    set(sim::AirspeedHold, 1);
    set(sim::SelectedAirspeed, 200);
    set(sim::IndicatedAirspeed, 250);
    bed.run(1);
    EXPECT_TRUE(visible(LowLim));
    EXPECT_FALSE(visible(ThrustWindow));
    EXPECT_FALSE(visible(SpeedTarget));
    set(sim::Throttle1Lever, 1);
    bed.run(1);
    EXPECT_FALSE(visible(LowLim));
    EXPECT_TRUE(visible(ThrustWindow));
    EXPECT_EQ(bed.element(SpeedTarget).text, "200");
}

TEST_F(ModeAnnunciator, TakeoffAndGoAroundCaptionsCoverRollAndPitch) {
    set(sim::SelectedAltitude, 5000);
    bed.set("fmato", 1);
    bed.run(1);
    EXPECT_TRUE(visible(TakeoffRoll) && visible(TakeoffPitch));
    EXPECT_FALSE(visible(RollWindow) || visible(PitchWindow) || visible(GoAroundRoll));
    bed.set("goaround", 1);
    bed.run(1);
    EXPECT_TRUE(visible(GoAroundRoll) && visible(GoAroundPitch));
    EXPECT_FALSE(visible(TakeoffRoll) || visible(RollWindow));
}

TEST_F(ModeAnnunciator, ReceiverCaptionsNeedBothNavReceiversAlike) {
    bed.digits(sim::Nav1Frequency, 0x11030);
    bed.digits(sim::Nav2Frequency, 0x11030);
    set(sim::Nav1Course, 270);
    set(sim::Nav2Course, 270);
    set(sim::Nav1LateralNeedle, 127);
    bed.set("autlnd", 1);
    bed.set("ils", 1);
    bed.run(1);
    EXPECT_FALSE(visible(NoAutoland) || visible(IlsWarning));
    set(sim::Nav2Course, 271);
    bed.run(1);
    EXPECT_FALSE(visible(NoAutoland));
    EXPECT_TRUE(visible(IlsWarning));
    set(sim::Nav2Course, 270);
    bed.digits(sim::Nav2Frequency, 0x11035);
    bed.run(1);
    EXPECT_TRUE(visible(NoAutoland) && visible(IlsWarning));
}

}  // namespace
}  // namespace tj20::test
