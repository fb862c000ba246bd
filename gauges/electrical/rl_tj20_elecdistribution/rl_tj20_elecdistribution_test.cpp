#include <algorithm>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr const char* Pwr = "rl_tj20_elecpwr";

constexpr Pt ApuLeftBusSwitch{155, 150}, ApuRightBusSwitch{240, 150}, ExternalOn{195, 210}, ExternalOff{195, 238},
    ExtLeftBusSwitch{155, 225}, Galley{55, 255}, AcCrossTie{200, 280};
constexpr Pt ApuGenReset{190, 175};  // on the generator panel
constexpr Position ApuAvailLight = "180,136", ApuLeftLight = "95,139", ExternalPowerLight = "180,208",
                   ExtLeftLight = "95,213", GalleySwitch = "40,232", ApuLoad = "185,51", LeftAcLoad = "66,51",
                   LeftDcLoadA = "29,354", RightDcLoadB = "342,355";

// A bus with its switches and generator, as the tests drive it.
struct BusUnderTest {
    const char* name;
    const char* apuSwitch;
    const char* apuLight;
    const char* extSwitch;
    const char* extLight;
    const char* control;
    std::uint32_t generator;
};
const BusUnderTest buses[] = {
    {"left", "apulbussw", "apulbuslt", "extlbussw", "extlbuslt", "lcsdreset", sim::Engine1GeneratorSwitch},
    {"right", "apurbussw", "apurbuslt", "extrbussw", "extrbuslt", "rcsdreset", sim::Engine2GeneratorSwitch},
};

struct BusPanel : ::testing::Test {
    // The APU instrument updates after the bus panel, so it reads the speed a test sets.
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_apucntrl", Pwr, "rl_tj20_elecdistribution",
                         "rl_tj20_apu_egtrpm"},
             .focus = "rl_tj20_elecdistribution"}};
    // APU switch at RUN with the battery on: a speed of 200 holds.
    void apuRunning() {
        bed.set("battsw", 1);
        bed.set("apustartsw", 1);
        bed.set("rpm", 200);
    }
    std::size_t busSounds() const { return bed.played("sound\\ELEC_BUS.wav"); }
};

TEST_F(BusPanel, ApuPowerIsAvailableAtSpeedAndLostBelowOneNinety) {
    struct Step {
        std::uint32_t rpm, available;
    };
    const Step steps[] = {{195, 0}, {200, 1}, {195, 1}, {190, 1}, {205, 1}, {189, 0}, {199, 0}, {200, 1}, {0, 0}};
    for (const auto& s : steps) {
        SCOPED_TRACE(::testing::Message() << "rpm " << s.rpm);
        bed.set("rpm", s.rpm);
        bed.run(1);
        EXPECT_EQ(bed.shared("apupwravail"), s.available);
        EXPECT_EQ(bed.shared("apupwr"), s.available);
    }
}

// Who has the bus: an online engine generator, else the APU, else external power.
struct PrecedenceCase {
    const char* what;
    bool apuRunning;
    std::uint32_t apuSwitch, extAvailable, extSwitch;
    double generator;
    std::uint32_t control;
    std::uint32_t apuLight, extLight;
};
constexpr PrecedenceCase precedenceCases[] = {
    {"APU over external power", true, 1, 1, 1, 0, 0, 1, 0},
    {"online generator over both", true, 1, 1, 1, 1, 0, 0, 0},
    {"generator switched off gives way to the APU", true, 1, 1, 1, 1, 1, 1, 0},
    {"APU switched off gives way to external power", true, 0, 1, 1, 0, 0, 0, 1},
    {"APU stopped gives way to external power", false, 1, 1, 1, 0, 0, 0, 1},
    {"online generator over external power", false, 0, 1, 1, 1, 0, 0, 0},
    {"generator switched off gives way to external power", false, 0, 1, 1, 1, 1, 0, 1},
    {"external power switched off", false, 0, 1, 0, 0, 0, 0, 0},
    {"external power not connected", false, 0, 0, 1, 0, 0, 0, 0},
};

TEST_F(BusPanel, BusGoesToTheOnlineGeneratorThenTheApuThenExternalPower) {
    for (const auto& bus : buses) {
        for (const auto& c : precedenceCases) {
            SCOPED_TRACE(::testing::Message() << bus.name << " bus: " << c.what);
            bed.set("battsw", c.apuRunning ? 1 : 0);
            bed.set("apustartsw", c.apuRunning ? 1 : 0);
            bed.set("rpm", c.apuRunning ? 200 : 0);
            bed.set(bus.apuSwitch, c.apuSwitch);
            bed.set("extpwravail", c.extAvailable);
            bed.set(bus.extSwitch, c.extSwitch);
            bed.sim(bus.generator, c.generator);
            bed.set(bus.control, c.control);
            bed.run(1);
            EXPECT_EQ(bed.shared(bus.apuLight), c.apuLight);
            EXPECT_EQ(bed.shared(bus.extLight), c.extLight);
        }
    }
}

TEST_F(BusPanel, ApuTakesTheBusWhenTheGeneratorGoesOffWithOneBusSound) {
    apuRunning();
    bed.sim(sim::Engine1GeneratorSwitch, 1.0);
    bed.click(ApuLeftBusSwitch);
    bed.run(1);
    EXPECT_EQ(bed.shared("apulbuslt"), 0u);
    const auto before = busSounds();
    bed.set("lcsdreset", 1);
    bed.run(1);
    EXPECT_EQ(bed.shared("apulbuslt"), 1u);
    EXPECT_EQ(busSounds(), before + 1);
    bed.run(5);
    EXPECT_EQ(busSounds(), before + 1);
}

TEST_F(BusPanel, ExternalPowerTakesTheBusOnTheUpdateAfterTheApuLeavesIt) {
    apuRunning();
    bed.set("extpwravail", 1);
    bed.click(ApuLeftBusSwitch);
    bed.click(ExtLeftBusSwitch);
    bed.run(1);
    ASSERT_EQ(bed.shared("apulbuslt"), 1u);
    EXPECT_EQ(bed.shared("extlbuslt"), 0u);
    bed.click(ApuLeftBusSwitch);
    bed.run(1);
    EXPECT_EQ(bed.shared("apulbuslt"), 0u);
    EXPECT_EQ(bed.shared("extlbuslt"), 1u);
}

TEST_F(BusPanel, ExternalPowerConnectsNinetyTicksAfterTheClick) {
    bed.click(ExternalOn);
    bed.run(89);
    EXPECT_EQ(bed.shared("extpwravail"), 0u);
    bed.run(1);
    EXPECT_EQ(bed.shared("extpwravail"), 1u);
    EXPECT_EQ(bed.shared("extpwr"), 1u);
    EXPECT_EQ(bed.element(ExternalPowerLight).state, 1);

    bed.click(ExternalOn);  // already connected: nothing to do
    bed.click(ExternalOff);
    bed.run(89);
    EXPECT_EQ(bed.shared("extpwravail"), 1u);
    bed.run(1);
    EXPECT_EQ(bed.shared("extpwravail"), 0u);
    bed.run(100);
    EXPECT_EQ(bed.shared("extpwravail"), 0u);
}

TEST_F(BusPanel, SecondClickBeforeTheConnectionStartsTheWaitAgain) {
    bed.click(ExternalOn);
    bed.run(50);
    bed.click(ExternalOn);
    bed.run(89);
    EXPECT_EQ(bed.shared("extpwravail"), 0u);
    bed.run(1);
    EXPECT_EQ(bed.shared("extpwravail"), 1u);
}

TEST_F(BusPanel, ExternalPowerArrivesAndLeavesWhenTheTickCounterStepsOverTheDeadline) {
    bed.click(ExternalOn);
    bed.run(22, 4.0);  // 88 ticks
    EXPECT_EQ(bed.shared("extpwravail"), 0u);
    bed.run(1, 4.0);  // 92: past the deadline at 90
    EXPECT_EQ(bed.shared("extpwravail"), 1u);
    bed.click(ExternalOff);
    bed.run(3, 35.0);  // 105
    EXPECT_EQ(bed.shared("extpwravail"), 0u);
}

TEST_F(BusPanel, LightsTestShowsThreeAndTheLightsReturnWithoutABusSound) {
    apuRunning();
    bed.click(ApuLeftBusSwitch);
    bed.set("extpwravail", 1);
    bed.set("extrbussw", 1);
    bed.run(1);
    ASSERT_EQ(bed.shared("apulbuslt"), 1u);
    ASSERT_EQ(bed.shared("extrbuslt"), 1u);
    const auto before = busSounds();

    bed.set("lightstestsw", 1);
    bed.run(1);
    for (const char* light : {"apupwravail", "apulbuslt", "apurbuslt", "extlbuslt", "extrbuslt", "apupwr"})
        EXPECT_EQ(bed.shared(light), 3u) << light;
    EXPECT_EQ(bed.element(ApuLeftLight).state, 2);  // the last, lit image
    EXPECT_TRUE(bed.element(ApuLeftLight).lit);

    bed.set("lightstestsw", 0);
    bed.run(1);
    EXPECT_EQ(bed.shared("apupwravail"), 1u);
    EXPECT_EQ(bed.shared("apulbuslt"), 1u);
    EXPECT_EQ(bed.shared("apurbuslt"), 0u);
    EXPECT_EQ(bed.shared("extlbuslt"), 0u);
    EXPECT_EQ(bed.shared("extrbuslt"), 1u);
    EXPECT_EQ(busSounds(), before);
}

// The APU rules change a light only at speed 200, below 190 or with the switch off, so a light
// the test left at 3 stays there while the APU runs between 190 and 199 or above 200.
TEST_F(BusPanel, ApuBusLightKeepsTheTestValueWhileTheApuIsOffItsSpeed) {
    struct Case {
        std::uint32_t rpm, light;
    };
    const Case cases[] = {{195, 3}, {205, 3}, {200, 1}, {189, 0}};
    apuRunning();
    bed.set("apulbussw", 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "rpm " << c.rpm);
        bed.set("rpm", 200);
        bed.set("lightstestsw", 1);
        bed.run(1);
        ASSERT_EQ(bed.shared("apulbuslt"), 3u);
        bed.set("lightstestsw", 0);
        bed.set("rpm", c.rpm);
        bed.run(1);
        EXPECT_EQ(bed.shared("apulbuslt"), c.light);
    }
}

TEST_F(BusPanel, ApuGeneratorResetTakesApuPowerOffTheBusesUntilItSpringsBack) {
    apuRunning();
    bed.click(ApuLeftBusSwitch);
    bed.click(ApuRightBusSwitch);
    bed.set("extpwravail", 1);
    bed.click(ExtLeftBusSwitch);
    bed.run(1);
    ASSERT_EQ(bed.shared("apurbuslt"), 1u);
    const auto before = busSounds();

    bed.click(Pwr, ApuGenReset);
    bed.run(1);
    EXPECT_EQ(bed.shared("apupwravail"), 0u);
    EXPECT_EQ(bed.shared("apulbuslt"), 0u);
    EXPECT_EQ(bed.shared("apurbuslt"), 0u);
    // External power stands ready on the left bus while the APU generator is reset.
    EXPECT_EQ(bed.shared("extlbuslt"), 0u);
    EXPECT_EQ(bed.element(ExtLeftLight).state, 1);

    bed.run(2, 5.0);  // ticks 7 and 12 step over the spring-back deadline at 10
    EXPECT_EQ(bed.shared("apugenreset"), 0u);
    EXPECT_EQ(bed.shared("apulbuslt"), 1u);
    EXPECT_EQ(bed.shared("apurbuslt"), 1u);
    EXPECT_EQ(bed.shared("apupwravail"), 1u);
    EXPECT_EQ(bed.element(ExtLeftLight).state, 0);
    EXPECT_EQ(busSounds(), before + 2);
}

TEST_F(BusPanel, BusTransferSoundPlaysOncePerSourceComingOnline) {
    bed.sim(sim::Engine1GeneratorSwitch, 1.0);
    bed.run(3);
    EXPECT_EQ(busSounds(), 1u);
    bed.sim(sim::Engine2GeneratorSwitch, 1.0);
    bed.run(3);
    EXPECT_EQ(busSounds(), 2u);
    bed.sim(sim::Engine1GeneratorSwitch, 0.0);
    bed.run(1);
    bed.sim(sim::Engine1GeneratorSwitch, 1.0);
    bed.run(1);
    EXPECT_EQ(busSounds(), 3u);

    // External power onto the right bus once the right generator is switched off.
    bed.set("extpwravail", 1);
    bed.set("extrbussw", 1);
    bed.run(1);
    EXPECT_EQ(busSounds(), 3u);
    bed.set("rcsdreset", 1);
    bed.run(3);
    EXPECT_EQ(bed.shared("extrbuslt"), 1u);
    EXPECT_EQ(busSounds(), 4u);
}

struct LoadCase {
    const char* what;
    std::uint32_t apuLeft, apuRight, galley;
    double leftGenerator;
    std::uint32_t leftControl;
    double apuLoad, leftAcLoad, leftDcLoad, rightDcLoad;
};
constexpr LoadCase loadCases[] = {
    {"nothing", 0, 0, 1, 0, 0, 0, 0, 0, 0},
    {"APU on both buses with the galley", 1, 1, 1, 0, 0, 8, 0, 5, 5},
    {"APU on the left bus with the galley", 1, 0, 1, 0, 0, 5, 0, 5, 0},
    {"APU on the right bus", 0, 1, 0, 0, 0, 3, 0, 0, 5},
    {"left generator online", 0, 0, 0, 1, 0, 0, 4, 5, 0},
    {"left generator switched off", 0, 0, 0, 1, 1, 0, 0, 0, 0},
};

TEST_F(BusPanel, LoadMetersFollowTheSourcesOnTheBuses) {
    for (const auto& c : loadCases) {
        SCOPED_TRACE(c.what);
        const bool apu = c.apuLeft || c.apuRight;
        bed.set("battsw", apu ? 1 : 0);
        bed.set("apustartsw", apu ? 1 : 0);
        bed.set("rpm", apu ? 200 : 0);
        bed.set("apulbussw", c.apuLeft);
        bed.set("apurbussw", c.apuRight);
        bed.set("galleypwr", c.galley);
        bed.sim(sim::Engine1GeneratorSwitch, c.leftGenerator);
        bed.set("lcsdreset", c.leftControl);
        bed.run(1);
        EXPECT_EQ(bed.element(ApuLoad).value, c.apuLoad);
        EXPECT_EQ(bed.element(LeftAcLoad).value, c.leftAcLoad);
        EXPECT_EQ(bed.element(LeftDcLoadA).value, c.leftDcLoad);
        EXPECT_EQ(bed.element(RightDcLoadB).value, c.rightDcLoad);
    }
}

TEST_F(BusPanel, SwitchesToggleAndTheCrossTiesStartClosedToAuto) {
    EXPECT_EQ(bed.shared("acbusxtie"), 1u);
    EXPECT_EQ(bed.shared("dcbusxtie"), 1u);
    bed.click(AcCrossTie);
    bed.click(Galley);
    bed.run(1);
    EXPECT_EQ(bed.shared("acbusxtie"), 0u);
    EXPECT_EQ(bed.shared("galleypwr"), 1u);
    EXPECT_EQ(bed.element(GalleySwitch).state, 1);
    EXPECT_EQ(bed.element(ApuAvailLight).state, 0);
}

}  // namespace
}  // namespace tj20::test
