// The guidance panel through the host, with the thrust rating panel, the GA button and the
// annunciator beside it as on the aircraft.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr const char* Fgcp = "rl_tj20_main_dfgs";

constexpr Pt SpeedUp{125, 80}, SpeedDown{95, 80}, AutoThrottle{180, 90}, HeadingUp{295, 80}, HeadingDown{255, 80},
    HdgPush{280, 80}, SpeedSelect{60, 10}, VorLocButton{220, 10}, IlsButton{220, 50}, AltHoldButton{450, 10},
    ThousandsUp{580, 70}, ThousandsDown{545, 70}, HundredsUp{580, 95}, HundredsDown{545, 95}, AltPush{560, 70},
    FdSwitch{10, 25}, VertSpdButton{410, 10}, WheelAnu{375, 90}, WheelAnd{375, 55};
constexpr Pt TakeoffRating{25, 210}, GoAroundRating{110, 210};  // thrust rating panel
constexpr const char* HeadingReadout = "257,16";
constexpr const char* AltitudeReadout = "505,17";
constexpr const char* VerticalSpeedReadout = "355,17";
constexpr const char* ThreeDigitReadout = "355,17[1]";

struct GuidancePanel : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_assumedtemp", "rl_tj20_main_trp", "rl_tj20_main_goaround_sw", Fgcp,
                         "rl_tj20_main_fma"},
             .focus = Fgcp}};
    Mark m = bed.mark();  // what the test has sent since its last check
    std::vector<std::uint32_t> sent() {
        auto ids = bed.keyIds(m);
        m = bed.mark();
        return ids;
    }
    std::vector<std::uint32_t> valuesOf(std::uint32_t id) const { return bed.values(id, m); }
    std::size_t count(std::uint32_t id) const { return bed.count(id, m); }
    // An armed autothrottle holding the EPR limit, on the first tick of a second.
    void holdEprLimit(std::uint32_t limit) {
        bed.sim(sim::AutothrottleArmed, 1);
        bed.set("eprl", 1);
        bed.set("eprlim", limit);
        bed.setTick(17);
        bed.run(1);
    }
};

TEST_F(GuidancePanel, LocalizerCapturesOnlyStrictlyInsideTheBand) {
    struct Case {
        double needle;
        bool captures;
    } cases[] = {{126, false}, {-126, false}, {125.9, true}, {-125.9, true}, {0, true}};
    for (const auto& c : cases) {
        bed.click(VorLocButton);
        bed.sim(sim::Nav1LateralNeedle, c.needle);
        bed.run(1);
        EXPECT_EQ(count(key::Nav1HoldEngage), c.captures ? 1u : 0u) << c.needle;
        EXPECT_EQ(bed.shared("vorloc"), c.captures ? 0u : 1u) << c.needle;
        sent();
    }
}

TEST_F(GuidancePanel, IlsArmsBothAndCaptureClearsOnlyVorLoc) {
    bed.sim(sim::Nav1LateralNeedle, 10);
    bed.sim(sim::Nav1GlideSlopeNeedle, 119);
    bed.click(IlsButton);
    EXPECT_EQ(bed.shared("vorloc"), 1u);
    bed.run(1);
    EXPECT_EQ(bed.shared("vorloc"), 0u);
    EXPECT_EQ(bed.shared("ils"), 1u);
    EXPECT_EQ(count(key::ApproachHoldEngage), 0u) << "glide slope at 119 is not alive";
    bed.sim(sim::Nav1GlideSlopeNeedle, -118.9);
    bed.run(3);
    EXPECT_EQ(count(key::ApproachHoldEngage), 3u) << "sent on every update while alive";
}

// Both ends of every band of the lever table; above the last band the lever stays.
TEST_F(GuidancePanel, LeverTableBands) {
    struct Band {
        std::uint32_t from, to, lever;
    } bands[] = {{0, 158, 10958},   {159, 176, 12040}, {177, 182, 12295}, {183, 189, 12805},
                 {190, 191, 12950}, {192, 194, 13060}, {195, 198, 13320}, {199, 202, 13575},
                 {203, 206, 13835}, {207, 209, 14085}, {210, 213, 14338}, {214, 216, 14590}};
    for (const auto& b : bands) {
        for (std::uint32_t eprlim : {b.from, b.to}) {
            holdEprLimit(eprlim);
            EXPECT_EQ(valuesOf(key::Throttle1Set), std::vector<std::uint32_t>{b.lever}) << eprlim;
            EXPECT_EQ(valuesOf(key::Throttle2Set), std::vector<std::uint32_t>{b.lever}) << eprlim;
            EXPECT_EQ(bed.sim(sim::Throttle2Lever), b.lever);
            sent();
        }
    }
    for (std::uint32_t above : {217u, 5000u}) {
        holdEprLimit(above);
        EXPECT_EQ(valuesOf(key::Throttle1Set), std::vector<std::uint32_t>{14590}) << above << " keeps the lever";
        sent();
    }
    holdEprLimit(170);
    holdEprLimit(217);
    EXPECT_EQ(valuesOf(key::Throttle1Set), (std::vector<std::uint32_t>{12040, 12040})) << "kept from the band before";
}

TEST_F(GuidancePanel, EprHoldActsInTheFirstNineTicksOfEverySecond) {
    holdEprLimit(197);
    bed.setTick(-1);
    for (int tick = 0; tick < 36; ++tick) {
        sent();
        bed.run(1);
        EXPECT_EQ(count(key::Throttle1Set), tick % 18 < 9 ? 1u : 0u) << "tick " << tick;
    }
    bed.set("eprl", 0);
    bed.run(18);
    EXPECT_EQ(count(key::Throttle1Set), 0u);
}

TEST_F(GuidancePanel, AutothrottleOnTheGroundSetsTakeoffThrustOnlyUnderATakeoffRating) {
    struct Case {
        Pt rating;
        bool onGround, setsThrottles;
    } cases[] = {{TakeoffRating, true, true}, {TakeoffRating, false, false}, {GoAroundRating, true, false}};
    for (const auto& c : cases) {
        bed.sim(sim::AutothrottleArmed, 0);
        bed.sim(sim::OnGround, c.onGround);
        bed.click("rl_tj20_main_trp", c.rating);
        bed.run(2);
        sent();
        bed.click(AutoThrottle);
        EXPECT_EQ(count(key::AutothrottleArmToggle), 1u);
        EXPECT_EQ(bed.sim(sim::AutothrottleArmed), 1.0);
        EXPECT_EQ(count(key::Throttle1Set) + count(key::Throttle2Set), c.setsThrottles ? 2u : 0u);
        if (c.setsThrottles) {
            EXPECT_EQ(valuesOf(key::Throttle1Set)[0], 14085u) << "T.O. at 0 °C: limit 2.09, eprlim 208";
        }
    }
}

TEST_F(GuidancePanel, TakeoffModeEndsOnceAbove900FtBelowTheSelectedAltitude) {
    bed.sim(sim::OnGround, 1);
    bed.run(1);
    bed.click("rl_tj20_main_goaround_sw", {5, 5});
    ASSERT_EQ(bed.shared("fmato"), 1u);
    bed.sim(sim::OnGround, 0);
    bed.sim(sim::SelectedAltitude, 5000);
    bed.sim(sim::Altitude, 4100);
    bed.run(1);
    EXPECT_EQ(bed.shared("fmato"), 1u) << "exactly 900 below does not end it";
    sent();
    bed.sim(sim::Altitude, 4100.5);
    bed.run(3);
    EXPECT_EQ(bed.shared("fmato"), 0u);
    EXPECT_EQ(sent(), (std::vector<std::uint32_t>{key::AltitudeHoldEngage, key::WingsLevelEngage}));
}

// The first update on the ground after flight disarms an armed autothrottle, once: arming it
// again on the ground is left alone, and so is a touchdown with the autothrottle off.
TEST_F(GuidancePanel, TouchdownDisarmsAnArmedAutothrottleExactlyOnce) {
    struct Step {
        double onGround, armed;  // set before the cycles
        int cycles;
        std::size_t toggles;  // autothrottle toggles sent in them
        double armedAfter;
    } steps[] = {
        {1, 1, 5, 0, 1},                                     // on the ground since load: nothing to disarm
        {0, 1, 5, 0, 1}, {1, 1, 1, 1, 0}, {1, 1, 20, 0, 1},  // touchdown disarms; armed again on the ground stays
        {0, 0, 5, 0, 0}, {1, 0, 1, 0, 0}, {1, 1, 20, 0, 1},  // touchdown disarmed; arming afterwards stays
        {0, 1, 1, 0, 1}, {1, 1, 1, 1, 0},                    // the next flight disarms again
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const auto& s = steps[i];
        bed.sim(sim::OnGround, s.onGround);
        bed.sim(sim::AutothrottleArmed, s.armed);
        bed.run(s.cycles);
        EXPECT_EQ(count(key::AutothrottleArmToggle), s.toggles) << "step " << i;
        EXPECT_EQ(bed.sim(sim::AutothrottleArmed), s.armedAfter) << "step " << i;
        sent();
    }
}

// One cycle after loading, the knob steps from the simulator's heading, not from the first
// draw's zero.
TEST_F(GuidancePanel, HeadingKnobStepsFromTheSimulatorsHeadingFromTheFirstCycle) {
    bed.reload(0);
    bed.sim(sim::SelectedHeading, 270);
    bed.run(1);
    const Mark fresh = bed.mark();
    bed.click(HeadingUp);
    EXPECT_EQ(bed.values(key::HeadingSet, fresh), std::vector<std::uint32_t>{271});
}

TEST_F(GuidancePanel, HeadingKnobStepsFromTheHeadingTheReadoutShowsAndWraps) {
    struct Case {
        double shown;
        Pt knob;
        std::uint32_t sends;
    } cases[] = {{359, HeadingUp, 0}, {0, HeadingDown, 359}, {270, HeadingUp, 271}, {90.4, HeadingDown, 89}};
    for (const auto& c : cases) {
        bed.sim(sim::SelectedHeading, c.shown);  // set by the simulator, not by this knob
        bed.run(1);
        bed.click(c.knob);
        EXPECT_EQ(valuesOf(key::HeadingSet), std::vector<std::uint32_t>{c.sends}) << c.shown;
        sent();
    }
    bed.hold(HeadingUp, 4);
    EXPECT_EQ(bed.sim(sim::SelectedHeading), 94.0) << "89 plus a press and four held cycles";
    EXPECT_EQ(bed.element(HeadingReadout).text, "094");
}

TEST_F(GuidancePanel, AltitudeSelectorStaysWithin0And40000Ft) {
    for (int i = 0; i < 395; ++i) bed.click(HundredsUp);
    bed.click(ThousandsUp);
    bed.click(ThousandsUp);
    bed.run(1);
    EXPECT_EQ(bed.element(AltitudeReadout).text, "40000") << "39500 + 1000 stops at the top";
    for (int i = 0; i < 39; ++i) bed.click(ThousandsDown);
    for (int i = 0; i < 5; ++i) bed.click(HundredsDown);
    bed.run(1);
    EXPECT_EQ(bed.element(AltitudeReadout).text, "  500");
    bed.click(ThousandsDown);
    bed.click(ThousandsDown);
    bed.click(AltPush);
    EXPECT_EQ(valuesOf(key::AltitudeSet), std::vector<std::uint32_t>{0}) << "500 - 1000 stops at 0";
}

TEST_F(GuidancePanel, SpeedSelectorStopsAt100And400WithoutSendingMore) {
    bed.click(SpeedDown);
    EXPECT_EQ(bed.shared("spdsel"), 100u);
    bed.set("spdsel", 399);
    bed.click(SpeedUp);
    bed.click(SpeedUp);
    EXPECT_EQ(bed.shared("spdsel"), 400u);
    EXPECT_EQ(valuesOf(key::AirspeedSet), std::vector<std::uint32_t>{400});
}

TEST_F(GuidancePanel, AutolandMonitorTripsWhenTheReceiversDisagree) {
    bed.digits(sim::Nav1Frequency, 0x11030);
    bed.digits(sim::Nav2Frequency, 0x11030);
    bed.set("autlnd", 1);
    bed.set("alstep", 1);
    bed.sim(sim::RadioHeight, 1000);  // metres: the annunciator keeps the autoland at step 1
    bed.run(2);
    EXPECT_EQ(count(key::AutopilotOff), 0u) << "same frequency, packed digits compared exactly";
    bed.digits(sim::Nav2Frequency, 0x11050);
    bed.run(1);
    EXPECT_EQ(sent(), (std::vector<std::uint32_t>{key::AutopilotOff, key::WingsLevelEngage, key::AltitudeHoldEngage}));
    EXPECT_EQ(bed.shared("autlnd"), 0u);
    EXPECT_EQ(bed.shared("alstep"), 0u);
}

// The landing step is not the go-around's to end: the final-step signal goes on until the
// crew selects a mode.
TEST_F(GuidancePanel, GoAroundLatchesRepeatsWhileThrustIsActiveAndAModeButtonClearsIt) {
    bed.set("ilsstep", 3);
    bed.sim(sim::TakeoffGoAroundThrust, 1);
    bed.run(1);
    const std::vector<std::uint32_t> goAround{key::FinalLandingStep, key::TakeoffGoAroundOn, key::AirspeedHoldOff,
                                              key::MachHoldOff,      key::WingsLevelEngage,  key::AltitudeHoldEngage};
    EXPECT_EQ(sent(), goAround);
    bed.run(1);
    EXPECT_EQ(sent(), goAround);
    EXPECT_EQ(bed.shared("eprl"), 1u);
    EXPECT_EQ(bed.shared("ilsstep"), 3u);
    bed.sim(sim::TakeoffGoAroundThrust, 0);
    bed.run(3);
    EXPECT_EQ(sent(), std::vector<std::uint32_t>(3, key::FinalLandingStep));
    EXPECT_EQ(bed.shared("goaround"), 1u);
    bed.click(HdgPush);
    EXPECT_EQ(bed.shared("goaround"), 0u);
    EXPECT_EQ(bed.shared("ilsstep"), 0u);
    sent();
    bed.run(1);
    EXPECT_TRUE(sent().empty());
}

// One autopilot roll channel: heading, wings level and the radio holds replace each other.
TEST_F(GuidancePanel, LateralHoldsReplaceEachOther) {
    auto holds = [&] {
        std::vector<double> v;
        for (auto id : {sim::HeadingHold, sim::WingsLevelHold, sim::Nav1Hold, sim::ApproachHold, sim::AltitudeHold})
            v.push_back(bed.sim(id));
        return v;
    };
    bed.click(HdgPush);
    bed.click(AltHoldButton);
    EXPECT_EQ(holds(), (std::vector<double>{1, 0, 0, 0, 1}));
    bed.click(IlsButton);
    bed.run(1);  // localizer captured and glide slope alive
    EXPECT_EQ(holds(), (std::vector<double>{0, 0, 1, 1, 0})) << "the glide slope takes the pitch channel";
    bed.sim(sim::TakeoffGoAroundThrust, 1);
    bed.run(1);
    EXPECT_EQ(holds(), (std::vector<double>{0, 1, 0, 0, 1})) << "go-around: wings level and altitude hold";
}

// The simulator ends TO/GA thrust when a speed mode is selected or after its five-minute rating.
TEST_F(GuidancePanel, GoAroundThrustEndsWithASpeedModeOrItsRating) {
    for (bool bySpeedMode : {true, false}) {
        bed.click("rl_tj20_main_goaround_sw", {5, 5});  // in the air: TO/GA thrust
        bed.run(1);
        EXPECT_EQ(bed.sim(sim::TakeoffGoAroundThrust), 1.0);
        EXPECT_EQ(bed.shared("goaround"), 1u);
        if (bySpeedMode) {
            bed.click(SpeedSelect);
            EXPECT_EQ(bed.sim(sim::AirspeedHold), 1.0);
        } else {
            bed.run(5399 / 100, 100.0);
            EXPECT_EQ(bed.sim(sim::TakeoffGoAroundThrust), 1.0) << "repeats do not restart the rating";
            bed.run(1, 100.0);
        }
        EXPECT_EQ(bed.sim(sim::TakeoffGoAroundThrust), 0.0);
        bed.click(HdgPush);
    }
}

TEST_F(GuidancePanel, FlightDirectorSwitchTogglesOnlyWhenTheSimulatorDisagrees) {
    bed.click(FdSwitch);  // switch on, director off: toggle
    bed.run(1);
    EXPECT_EQ(bed.sim(sim::FlightDirector), 1.0);
    bed.click(FdSwitch);  // switch off, director on: toggle
    bed.run(1);
    bed.sim(sim::FlightDirector, 1);  // director turned on elsewhere
    bed.run(1);
    bed.click(FdSwitch);  // switch on, director already on
    EXPECT_EQ(count(key::FlightDirectorToggle), 2u);
}

// The wheel's mode is set at the first draw (and again by VERT SPD); until then the wheel
// turns without commanding anything.
TEST_F(GuidancePanel, PitchWheelStepsTheVerticalSpeedTargetOnceItsModeIsSet) {
    bed.reload(0);
    m = bed.mark();
    bed.click(WheelAnu);
    EXPECT_TRUE(sent().empty()) << "before the first draw";
    bed.run(1);
    bed.click(WheelAnu);
    bed.click(WheelAnu);
    bed.click(WheelAnd);
    bed.click(VertSpdButton);
    bed.click(WheelAnu);
    EXPECT_EQ(sent(), (std::vector<std::uint32_t>{key::VerticalSpeedIncrease, key::VerticalSpeedIncrease,
                                                  key::VerticalSpeedDecrease, key::AltitudeHoldEngage,
                                                  key::VerticalSpeedIncrease}));
    EXPECT_EQ(bed.sim(sim::SelectedVerticalSpeed), 200.0);
}

// ALT push zeroes a vertical-speed target strictly inside ±100 ft/min; the wheel's steps stop
// at the simulator's ±8000.
TEST_F(GuidancePanel, AltitudePushLevelsOffOnlyASmallVerticalSpeedTarget) {
    for (const auto& [vs, levels] : {std::pair{-100.0, false},
                                     {-99.9, true},
                                     {0.0, true},
                                     {99.9, true},
                                     {100.0, false},
                                     {700.0, false},
                                     {-700.0, false}}) {
        bed.sim(sim::SelectedVerticalSpeed, vs);
        bed.run(1);
        sent();
        bed.click(AltPush);
        EXPECT_EQ(valuesOf(key::VerticalSpeedSet),
                  levels ? std::vector<std::uint32_t>{0} : std::vector<std::uint32_t>{})
            << vs;
        EXPECT_EQ(count(key::AltitudeSet), 1u);
        sent();
    }
    for (const auto& [from, at, to] : {std::tuple{7950.0, WheelAnu, 8000.0}, {-7950.0, WheelAnd, -8000.0}}) {
        bed.sim(sim::SelectedVerticalSpeed, from);
        bed.click(at);
        bed.click(at);
        EXPECT_EQ(bed.sim(sim::SelectedVerticalSpeed), to);
    }
}

TEST_F(GuidancePanel, VerticalWindowReadoutsStayHidden) {
    bed.sim(sim::SelectedVerticalSpeed, 700);
    bed.click(VertSpdButton);
    bed.click(WheelAnu);
    bed.run(1);
    for (const At index : {VerticalSpeedReadout, ThreeDigitReadout}) {
        const auto readout = bed.element(index);
        EXPECT_EQ(readout.kind, 2u) << index;
        EXPECT_EQ(readout.x, 355) << index;
        EXPECT_EQ(readout.y, 17) << index;
        EXPECT_FALSE(readout.visible) << index;
    }
    EXPECT_EQ(bed.element(VerticalSpeedReadout).text, "V0800");
}

// The heading readout shows the heading its own record carries, refreshed as it is drawn.
TEST_F(GuidancePanel, HeadingReadoutShowsTheSimulatorsSelectedHeadingAsItIsDrawn) {
    bed.sim(sim::SelectedHeading, 87);
    EXPECT_EQ(bed.redrawn(HeadingReadout).text, "087") << "redrawn before any update";
}

TEST_F(GuidancePanel, SimulatorTableHoldsTheUnreadEntriesAndThePlaceholder) {
    bed.unload();
    const std::vector<std::uint32_t> table{0x01, 0x28, 0x29,  0x18, 0x1b, 0x3c, 0x4a, 0x6d, 0x78,  0x7b, 0x7c,
                                           0x6b, 0x76, 0x318, 0x74, 0x6c, 0x67, 0x73, 0x75, 0x144, 0};
    EXPECT_EQ(simTableOf(Fgcp), table);
}

}  // namespace
}  // namespace tj20::test
