#include <algorithm>

#include "panel_test.h"
#include "tj20/ids.h"

namespace {
using namespace tj20;

constexpr const char* Dist = "rl_tj20_elecdistribution";
constexpr const char* Pwr = "rl_tj20_elecpwr";

struct Point {
    int x, y;
};
constexpr Point ApuLeftBusSwitch{155, 150}, ApuRightBusSwitch{240, 150}, ExternalOn{195, 210}, ExternalOff{195, 238},
    ExtLeftBusSwitch{155, 225}, Galley{55, 255}, AcCrossTie{200, 280};
constexpr Point ApuGenReset{190, 175};  // on the generator panel
constexpr std::size_t ApuAvailLight = 2, ApuLeftLight = 4, ExtLeftLight = 9, ApuLoad = 15, LeftAcLoad = 16,
                      LeftDcLoadA = 18, RightDcLoadB = 21;

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
    std::unique_ptr<host::Panel> panel =
        test::loadPanel({"rl_tj20_main_master_variables", "rl_tj20_apucntrl", Pwr, Dist, "rl_tj20_apu_egtrpm"});
    void SetUp() override { panel->run(1); }
    void click(Point p, const char* gauge = Dist) { ASSERT_TRUE(panel->mouse(gauge, p.x, p.y)); }
    std::uint32_t shared(const char* name) { return panel->shared(name).value_or(0xdeadbeef); }
    void set(const char* name, std::uint32_t value) { ASSERT_TRUE(panel->setShared(name, value)); }
    // APU switch at RUN with the battery on: a speed of 200 holds.
    void apuRunning() {
        set("battsw", 1);
        set("apustartsw", 1);
        set("rpm", 200);
    }
    std::size_t busSounds() {
        return static_cast<std::size_t>(std::count_if(
            panel->journal().sounds.begin(), panel->journal().sounds.end(), [](const host::SoundRecord& s) {
                return s.call == host::SoundRecord::Call::Play && s.path == "sound\\ELEC_BUS.wav" && s.alias.empty() &&
                       !s.repeat;
            }));
    }
};

TEST_F(BusPanel, ApuPowerIsAvailableAtSpeedAndLostBelowOneNinety) {
    struct Step {
        std::uint32_t rpm, available;
    };
    const Step steps[] = {{195, 0}, {200, 1}, {195, 1}, {190, 1}, {205, 1}, {189, 0}, {199, 0}, {200, 1}, {0, 0}};
    for (const auto& s : steps) {
        SCOPED_TRACE(::testing::Message() << "rpm " << s.rpm);
        set("rpm", s.rpm);
        panel->run(1);
        EXPECT_EQ(shared("apupwravail"), s.available);
        EXPECT_EQ(shared("apupwr"), s.available);
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
            set("battsw", c.apuRunning ? 1 : 0);
            set("apustartsw", c.apuRunning ? 1 : 0);
            set("rpm", c.apuRunning ? 200 : 0);
            set(bus.apuSwitch, c.apuSwitch);
            set("extpwravail", c.extAvailable);
            set(bus.extSwitch, c.extSwitch);
            panel->sim().set(bus.generator, c.generator);
            set(bus.control, c.control);
            panel->run(1);
            EXPECT_EQ(shared(bus.apuLight), c.apuLight);
            EXPECT_EQ(shared(bus.extLight), c.extLight);
        }
    }
}

TEST_F(BusPanel, ApuTakesTheBusWhenTheGeneratorGoesOffWithOneBusSound) {
    apuRunning();
    panel->sim().set(sim::Engine1GeneratorSwitch, 1.0);
    click(ApuLeftBusSwitch);
    panel->run(1);
    EXPECT_EQ(shared("apulbuslt"), 0u);
    const auto before = busSounds();
    set("lcsdreset", 1);
    panel->run(1);
    EXPECT_EQ(shared("apulbuslt"), 1u);
    EXPECT_EQ(busSounds(), before + 1);
    panel->run(5);
    EXPECT_EQ(busSounds(), before + 1);
}

TEST_F(BusPanel, ExternalPowerTakesTheBusOnTheUpdateAfterTheApuLeavesIt) {
    apuRunning();
    set("extpwravail", 1);
    click(ApuLeftBusSwitch);
    click(ExtLeftBusSwitch);
    panel->run(1);
    ASSERT_EQ(shared("apulbuslt"), 1u);
    EXPECT_EQ(shared("extlbuslt"), 0u);
    click(ApuLeftBusSwitch);
    panel->run(1);
    EXPECT_EQ(shared("apulbuslt"), 0u);
    EXPECT_EQ(shared("extlbuslt"), 1u);
}

TEST_F(BusPanel, ExternalPowerConnectsNinetyTicksAfterTheClick) {
    click(ExternalOn);
    panel->run(89);
    EXPECT_EQ(shared("extpwravail"), 0u);
    panel->run(1);
    EXPECT_EQ(shared("extpwravail"), 1u);
    EXPECT_EQ(shared("extpwr"), 1u);
    EXPECT_EQ(test::element(*panel, Dist, 7).state, 1);

    click(ExternalOn);  // already connected: nothing to do
    click(ExternalOff);
    panel->run(89);
    EXPECT_EQ(shared("extpwravail"), 1u);
    panel->run(1);
    EXPECT_EQ(shared("extpwravail"), 0u);
    panel->run(100);
    EXPECT_EQ(shared("extpwravail"), 0u);
}

TEST_F(BusPanel, SecondClickBeforeTheConnectionStartsTheWaitAgain) {
    click(ExternalOn);
    panel->run(50);
    click(ExternalOn);
    panel->run(89);
    EXPECT_EQ(shared("extpwravail"), 0u);
    panel->run(1);
    EXPECT_EQ(shared("extpwravail"), 1u);
}

TEST_F(BusPanel, ExternalPowerArrivesAndLeavesWhenTheTickCounterStepsOverTheDeadline) {
    click(ExternalOn);
    panel->run(22, 4.0);  // 88 ticks
    EXPECT_EQ(shared("extpwravail"), 0u);
    panel->run(1, 4.0);  // 92: past the deadline at 90
    EXPECT_EQ(shared("extpwravail"), 1u);
    click(ExternalOff);
    panel->run(3, 35.0);  // 105
    EXPECT_EQ(shared("extpwravail"), 0u);
}

TEST_F(BusPanel, LightsTestShowsThreeAndTheLightsReturnWithoutABusSound) {
    apuRunning();
    click(ApuLeftBusSwitch);
    set("extpwravail", 1);
    set("extrbussw", 1);
    panel->run(1);
    ASSERT_EQ(shared("apulbuslt"), 1u);
    ASSERT_EQ(shared("extrbuslt"), 1u);
    const auto before = busSounds();

    set("lightstestsw", 1);
    panel->run(1);
    for (const char* light : {"apupwravail", "apulbuslt", "apurbuslt", "extlbuslt", "extrbuslt", "apupwr"})
        EXPECT_EQ(shared(light), 3u) << light;
    EXPECT_EQ(test::element(*panel, Dist, ApuLeftLight).state, 2);  // the last, lit image
    EXPECT_TRUE(test::element(*panel, Dist, ApuLeftLight).lit);

    set("lightstestsw", 0);
    panel->run(1);
    EXPECT_EQ(shared("apupwravail"), 1u);
    EXPECT_EQ(shared("apulbuslt"), 1u);
    EXPECT_EQ(shared("apurbuslt"), 0u);
    EXPECT_EQ(shared("extlbuslt"), 0u);
    EXPECT_EQ(shared("extrbuslt"), 1u);
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
    set("apulbussw", 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "rpm " << c.rpm);
        set("rpm", 200);
        set("lightstestsw", 1);
        panel->run(1);
        ASSERT_EQ(shared("apulbuslt"), 3u);
        set("lightstestsw", 0);
        set("rpm", c.rpm);
        panel->run(1);
        EXPECT_EQ(shared("apulbuslt"), c.light);
    }
}

TEST_F(BusPanel, ApuGeneratorResetTakesApuPowerOffTheBusesUntilItSpringsBack) {
    apuRunning();
    click(ApuLeftBusSwitch);
    click(ApuRightBusSwitch);
    set("extpwravail", 1);
    click(ExtLeftBusSwitch);
    panel->run(1);
    ASSERT_EQ(shared("apurbuslt"), 1u);
    const auto before = busSounds();

    click(ApuGenReset, Pwr);
    panel->run(1);
    EXPECT_EQ(shared("apupwravail"), 0u);
    EXPECT_EQ(shared("apulbuslt"), 0u);
    EXPECT_EQ(shared("apurbuslt"), 0u);
    // External power stands ready on the left bus while the APU generator is reset.
    EXPECT_EQ(shared("extlbuslt"), 0u);
    EXPECT_EQ(test::element(*panel, Dist, ExtLeftLight).state, 1);

    panel->run(2, 5.0);  // ticks 7 and 12 step over the spring-back deadline at 10
    EXPECT_EQ(shared("apugenreset"), 0u);
    EXPECT_EQ(shared("apulbuslt"), 1u);
    EXPECT_EQ(shared("apurbuslt"), 1u);
    EXPECT_EQ(shared("apupwravail"), 1u);
    EXPECT_EQ(test::element(*panel, Dist, ExtLeftLight).state, 0);
    EXPECT_EQ(busSounds(), before + 2);
}

TEST_F(BusPanel, BusTransferSoundPlaysOncePerSourceComingOnline) {
    panel->sim().set(sim::Engine1GeneratorSwitch, 1.0);
    panel->run(3);
    EXPECT_EQ(busSounds(), 1u);
    panel->sim().set(sim::Engine2GeneratorSwitch, 1.0);
    panel->run(3);
    EXPECT_EQ(busSounds(), 2u);
    panel->sim().set(sim::Engine1GeneratorSwitch, 0.0);
    panel->run(1);
    panel->sim().set(sim::Engine1GeneratorSwitch, 1.0);
    panel->run(1);
    EXPECT_EQ(busSounds(), 3u);

    // External power onto the right bus once the right generator is switched off.
    set("extpwravail", 1);
    set("extrbussw", 1);
    panel->run(1);
    EXPECT_EQ(busSounds(), 3u);
    set("rcsdreset", 1);
    panel->run(3);
    EXPECT_EQ(shared("extrbuslt"), 1u);
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
        set("battsw", apu ? 1 : 0);
        set("apustartsw", apu ? 1 : 0);
        set("rpm", apu ? 200 : 0);
        set("apulbussw", c.apuLeft);
        set("apurbussw", c.apuRight);
        set("galleypwr", c.galley);
        panel->sim().set(sim::Engine1GeneratorSwitch, c.leftGenerator);
        set("lcsdreset", c.leftControl);
        panel->run(1);
        EXPECT_EQ(test::element(*panel, Dist, ApuLoad).value, c.apuLoad);
        EXPECT_EQ(test::element(*panel, Dist, LeftAcLoad).value, c.leftAcLoad);
        EXPECT_EQ(test::element(*panel, Dist, LeftDcLoadA).value, c.leftDcLoad);
        EXPECT_EQ(test::element(*panel, Dist, RightDcLoadB).value, c.rightDcLoad);
    }
}

TEST_F(BusPanel, SwitchesToggleAndTheCrossTiesStartClosedToAuto) {
    EXPECT_EQ(shared("acbusxtie"), 1u);
    EXPECT_EQ(shared("dcbusxtie"), 1u);
    click(AcCrossTie);
    click(Galley);
    panel->run(1);
    EXPECT_EQ(shared("acbusxtie"), 0u);
    EXPECT_EQ(shared("galleypwr"), 1u);
    EXPECT_EQ(test::element(*panel, Dist, 12).state, 1);
    EXPECT_EQ(test::element(*panel, Dist, ApuAvailLight).state, 0);
}

}  // namespace
