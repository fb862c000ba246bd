// The service lifecycle every module shares, through the host on the real modules.
#include <limits>

#include "panel_test.h"
#include "tj20/host_abi.h"

namespace tj20::test {
namespace {

const std::vector<std::string> probePanel = {"rl_tj20_main_master_variables", "tj20_probe"};

TEST(Lifecycle, FirstDrawResetsOnceHoweverManyUpdatesCameBefore) {
    auto panel = loadPanel(probePanel);
    for (int i = 0; i < 5; ++i) panel->service("tj20_probe", abi::ServiceUpdate);
    EXPECT_EQ(panel->shared("proberesets"), 0u);
    panel->service("tj20_probe", abi::ServiceDraw);
    EXPECT_EQ(panel->shared("proberesets"), 1u);
    panel->service("tj20_probe", abi::ServiceDraw);
    panel->run(3);
    EXPECT_EQ(panel->shared("proberesets"), 1u);
}

TEST(Lifecycle, OtherServiceCodesChangeNothing) {
    auto panel = loadPanel(probePanel);
    const auto before = panel->sharedNames();
    for (int code : {0, 1, 3, 5, 7, 8, 9, 11, 13, 14, 255}) panel->service("tj20_probe", code);
    EXPECT_EQ(panel->sharedNames(), before);
    EXPECT_EQ(panel->shared("proberesets"), 0u) << "no code but draw runs the reset";
    EXPECT_TRUE(panel->journal().keyEvents.empty());
    EXPECT_TRUE(panel->journal().sounds.empty());
}

TEST(Lifecycle, ModuleThatOwnsNothingRegistersNothing) {
    auto panel = loadPanel({"rl_tj20_icon_pedestal_open"});
    EXPECT_TRUE(panel->sharedNames().empty());
    panel->service("rl_tj20_icon_pedestal_open", abi::ServiceKill);
    EXPECT_TRUE(panel->sharedNames().empty());
}

TEST(Lifecycle, InstallRegistersInOrderAndKillUnregisters) {
    auto panel = loadPanel(probePanel);
    for (const char* name : {"probeval", "probecount", "proberesets", "probedue", "probedrag"})
        EXPECT_TRUE(panel->shared(name).has_value()) << name;
    panel->service("tj20_probe", abi::ServiceKill);
    EXPECT_FALSE(panel->shared("probeval").has_value());
    EXPECT_TRUE(panel->shared("ohpanel").has_value()) << "another module's names stay";
}

TEST(Lifecycle, KillStopsAllSoundsAndInitialiseBindsTheSoundLibraryAgain) {
    auto panel = loadPanel(probePanel);
    panel->run(1);
    panel->mouse("tj20_probe", 2, 22);  // repeating sound
    ASSERT_EQ(panel->journal().sounds.size(), 1u);
    panel->service("tj20_probe", abi::ServiceKill);
    ASSERT_EQ(panel->journal().sounds.size(), 2u);
    EXPECT_EQ(panel->journal().sounds.back().call, host::SoundRecord::Call::Terminate);

    panel->service("tj20_probe", abi::ServiceInstall);
    panel->service("tj20_probe", abi::ServiceInitialise);
    panel->mouse("tj20_probe", 2, 2);  // a one-shot straight after initialise, before any update
    ASSERT_EQ(panel->journal().sounds.size(), 3u);
    EXPECT_EQ(panel->journal().sounds.back().path, "sound\\probe_once.wav");
}

TEST(Lifecycle, SimulatorTableIsRefreshedAtEveryUpdate) {
    auto panel = loadPanel(probePanel);
    panel->sim().set(0x7001, 12.345);
    panel->run(1);
    EXPECT_EQ(element(*panel, "tj20_probe", 2).text, "12.35") << "rounded by the format";
    panel->sim().set(0x7001, 1.0);
    panel->run(1);
    EXPECT_EQ(element(*panel, "tj20_probe", 2).text, "1.00");
}

TEST(Lifecycle, DeadlineFiresOnTheExactTickAndOnASteppedOverTick) {
    struct Case {
        double step;
        int cycles;
        unsigned fired;
    };
    // Armed at tick 10 with 5.6 ticks: the deadline is tick 15.
    for (const Case c : {Case{1.0, 4, 0}, Case{1.0, 5, 1}, Case{1.0, 50, 1}, Case{3.0, 2, 1}, Case{7.0, 1, 1}}) {
        auto panel = loadPanel(probePanel);
        panel->setTick(10);
        panel->run(1, 0.0);
        panel->mouse("tj20_probe", 42, 22);
        panel->run(c.cycles, c.step);
        EXPECT_EQ(panel->shared("probedue"), c.fired) << "step " << c.step << " cycles " << c.cycles;
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
        auto panel = loadPanel(probePanel);
        panel->sim().set(0x7001, c.value);
        panel->run(1);
        EXPECT_EQ(panel->shared("probesat"), c.stored) << c.value;
    }
}

TEST(Lifecycle, BindingNobodyRegisteredReadsZeroAndIgnoresWrites) {
    auto panel = loadPanel(probePanel);
    panel->run(1);
    panel->mouse("tj20_probe", 62, 22);  // writes 7 into "nosuchname"
    panel->run(1);
    EXPECT_FALSE(panel->shared("nosuchname").has_value());
    EXPECT_EQ(element(*panel, "tj20_probe", 9).value, 0.0);
    bool noted = false;
    for (const auto& e : panel->journal().events)
        if (e.kind == host::Event::Kind::Note && e.text.find("nosuchname") != std::string::npos) noted = true;
    EXPECT_TRUE(noted) << "the host says which binding found no owner";
}

TEST(Lifecycle, MissingSoundLibraryIsRetriedOnEveryUpdate) {
    const auto dir = std::filesystem::temp_directory_path() / "tj20_no_sound";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const char* m : {"rl_tj20_main_master_variables.gau", "tj20_probe.gau"})
        std::filesystem::copy_file(panelDir() / m, dir / m);
    auto panel = host::Panel::load(host::PanelConfig::fromModules({"rl_tj20_main_master_variables", "tj20_probe"}),
                                   {dir, false});
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

}  // namespace
}  // namespace tj20::test
