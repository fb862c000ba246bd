// The service lifecycle every module shares, through the host on the real modules.
#include <dlfcn.h>

#include <limits>
#include <memory>

#include "test_bed.h"
#include "tj20/host_abi.h"

namespace tj20::test {
namespace {

const Setup probePanel{.modules = {"rl_tj20_main_master_variables", "tj20_probe"}, .firstCycles = 0};

TEST(Lifecycle, FirstDrawResetsOnceHoweverManyUpdatesCameBefore) {
    Bed bed{probePanel};
    for (int i = 0; i < 5; ++i) bed.service("tj20_probe", abi::ServiceUpdate);
    EXPECT_EQ(bed.shared("proberesets"), 0u);
    bed.service("tj20_probe", abi::ServiceDraw);
    EXPECT_EQ(bed.shared("proberesets"), 1u);
    bed.service("tj20_probe", abi::ServiceDraw);
    bed.run(3);
    EXPECT_EQ(bed.shared("proberesets"), 1u);
}

TEST(Lifecycle, OtherServiceCodesChangeNothing) {
    Bed bed{probePanel};
    const auto before = bed.sharedNames();
    for (int code : {0, 1, 3, 5, 7, 8, 9, 11, 13, 14, 255}) bed.service("tj20_probe", code);
    EXPECT_EQ(bed.sharedNames(), before);
    EXPECT_EQ(bed.shared("proberesets"), 0u) << "no code but draw runs the reset";
    EXPECT_TRUE(bed.keys().empty());
    EXPECT_TRUE(bed.sounds().empty());
}

TEST(Lifecycle, ModuleThatOwnsNothingRegistersNothing) {
    Bed bed{{.modules = {"rl_tj20_icon_pedestal_open"}, .firstCycles = 0}};
    EXPECT_TRUE(bed.sharedNames().empty());
    bed.service("rl_tj20_icon_pedestal_open", abi::ServiceKill);
    EXPECT_TRUE(bed.sharedNames().empty());
}

TEST(Lifecycle, InstallRegistersInOrderAndKillUnregisters) {
    Bed bed{probePanel};
    for (const char* name : {"probeval", "probecount", "proberesets", "probedue", "probedrag"})
        EXPECT_TRUE(bed.shared(name).has_value()) << name;
    bed.service("tj20_probe", abi::ServiceKill);
    EXPECT_FALSE(bed.shared("probeval").has_value());
    EXPECT_TRUE(bed.shared("ohpanel").has_value()) << "another module's names stay";
}

TEST(Lifecycle, KillStopsAllSoundsAndInitialiseBindsTheSoundLibraryAgain) {
    Bed bed{probePanel};
    bed.run(1);
    bed.click({2, 22});  // repeating sound
    ASSERT_EQ(bed.sounds().size(), 1u);
    bed.service("tj20_probe", abi::ServiceKill);
    ASSERT_EQ(bed.sounds().size(), 2u);
    EXPECT_EQ(bed.sounds().back().call, Sound::Call::Terminate);

    bed.service("tj20_probe", abi::ServiceInstall);
    bed.service("tj20_probe", abi::ServiceInitialise);
    bed.click({2, 2});  // a one-shot straight after initialise, before any update
    ASSERT_EQ(bed.sounds().size(), 3u);
    EXPECT_EQ(bed.sounds().back().path, "sound\\probe_once.wav");
}

TEST(Lifecycle, SimulatorTableIsRefreshedAtEveryUpdate) {
    Bed bed{probePanel};
    bed.sim(0x7001, 12.345);
    bed.run(1);
    EXPECT_EQ(bed.element("10,10").text, "12.35") << "rounded by the format";
    bed.sim(0x7001, 1.0);
    bed.run(1);
    EXPECT_EQ(bed.element("10,10").text, "1.00");
}

TEST(Lifecycle, DeadlineFiresOnTheExactTickAndOnASteppedOverTick) {
    struct Case {
        double step;
        int cycles;
        unsigned fired;
    };
    // Armed at tick 10 with 5.6 ticks: the deadline is tick 15.
    for (const Case c : {Case{1.0, 4, 0}, Case{1.0, 5, 1}, Case{1.0, 50, 1}, Case{3.0, 2, 1}, Case{7.0, 1, 1}}) {
        Bed bed{probePanel};
        bed.setTick(10);
        bed.run(1, 0.0);
        bed.click({42, 22});
        bed.run(c.cycles, c.step);
        EXPECT_EQ(bed.shared("probedue"), c.fired) << "step " << c.step << " cycles " << c.cycles;
    }
}

TEST(Lifecycle, FloatToIntegerStoresSaturate) {
    struct Case {
        double value;
        std::uint32_t stored;
    };
    for (const Case c : {Case{12.9, 12}, Case{-5.0, 0}, Case{-1e300, 0}, Case{4294967295.0, 4294967295u},
                         Case{1e20, 4294967295u}, Case{std::numeric_limits<double>::quiet_NaN(), 0},
                         Case{std::numeric_limits<double>::infinity(), 4294967295u}}) {
        Bed bed{probePanel};
        bed.sim(0x7001, c.value);
        bed.run(1);
        EXPECT_EQ(bed.shared("probesat"), c.stored) << c.value;
    }
}

TEST(Lifecycle, BindingNobodyRegisteredReadsZeroAndIgnoresWrites) {
    Bed bed{probePanel};
    bed.run(1);
    bed.click({62, 22});  // writes 7 into "nosuchname"
    bed.run(1);
    EXPECT_FALSE(bed.shared("nosuchname").has_value());
    EXPECT_EQ(bed.element("90,0[1]").value, 0.0);
    EXPECT_TRUE(bed.noted("nosuchname")) << "the host says which binding found no owner";
}

// The probe panel from a module directory of its own that has no sound library (yet).
std::unique_ptr<host::Panel> probePanelWithoutSound(const std::filesystem::path& dir) {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const char* m : {"rl_tj20_main_master_variables.gau", "tj20_probe.gau"})
        std::filesystem::copy_file(panelDir() / m, dir / m);
    return host::Panel::load(host::PanelConfig::fromModules({"rl_tj20_main_master_variables", "tj20_probe"}),
                             {dir, false});
}

TEST(Lifecycle, MissingSoundLibraryIsRetriedOnEveryUpdate) {
    const auto dir = std::filesystem::temp_directory_path() / "tj20_no_sound";
    auto panel = probePanelWithoutSound(dir);
    panel->run(2);
    panel->mouse("tj20_probe", 2, 2);
    EXPECT_EQ(panel->shared("probecount"), 1u) << "the click acts without its sound";
    EXPECT_TRUE(panel->journal().sounds.empty());

    std::filesystem::copy_file(panelDir() / "GaugeSound.so", dir / "GaugeSound.so");
    panel->run(1);
    panel->mouse("tj20_probe", 2, 2);
    ASSERT_EQ(panel->journal().sounds.size(), 1u) << "the next update found the library";
    EXPECT_EQ(panel->journal().sounds[0].alias, "");
    panel.reset();
    std::filesystem::remove_all(dir);
}

// A gauge that found the sound library loaded by someone else took no hold on it, so its kill
// must not release one: the library stays with whoever loaded it.
TEST(Lifecycle, KillGivesBackOnlyTheSoundLibraryHoldTheGaugeTook) {
    const auto dir = std::filesystem::temp_directory_path() / "tj20_sound_held_elsewhere";
    auto panel = probePanelWithoutSound(dir);
    panel->run(1);  // initialised without the library: no gauge holds it

    const auto library = dir / "GaugeSound.so";
    std::filesystem::copy_file(panelDir() / "GaugeSound.so", library);
    void* ours = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(ours, nullptr) << dlerror();
    panel->run(2);
    panel->mouse("tj20_probe", 2, 2);
    ASSERT_EQ(panel->journal().sounds.size(), 1u) << "the gauges found the library already loaded";

    panel.reset();  // kills every gauge
    void* still = dlopen(library.c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_NE(still, nullptr) << "a gauge's kill released a hold on the sound library it never took";
    if (still) dlclose(still);
    dlclose(ours);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tj20::test
