// Gauges killed and initialised again, and whole panels unloaded and loaded again, as the
// simulator does when a flight or an aircraft is reloaded: afterwards every binding still
// reaches its owner's cell, every simulator value and sound still arrives, nothing was
// left registered or loaded, and (under the leak sanitizer) nothing leaked.
#include <dlfcn.h>

#include <sstream>

#include "test_bed.h"
#include "tj20/host_abi.h"
#include "tj20/ids.h"
#include "tj20host/trace.h"

namespace tj20::test {
namespace {

const std::filesystem::path defaultPanel = std::filesystem::path(__FILE__).parent_path() / "../../panels/default.cfg";

std::unique_ptr<host::Panel> loadDefault() {
    return host::Panel::load(host::PanelConfig::read(defaultPanel), {panelDir()});
}

// Whether the dynamic loader still holds a file of the panel directory.
bool stillLoaded(const std::string& file) {
    void* handle = dlopen((panelDir() / file).c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle != nullptr;
}

// Kills every gauge (last first), then installs and initialises them all in panel order, as
// loading did.
void reinitialise(host::Panel& panel) {
    const auto gauges = panel.gauges();
    for (auto g = gauges.rbegin(); g != gauges.rend(); ++g) panel.service(*g, abi::ServiceKill);
    ASSERT_TRUE(panel.sharedNames().empty()) << "a killed gauge left a registration behind";
    for (const auto& g : gauges) panel.service(g, abi::ServiceInstall);
    for (const auto& g : gauges) panel.service(g, abi::ServiceInitialise);
}

std::uint32_t overheadLightsImage(host::Panel& panel) {
    return panel.elements("rl_tj20_general_panellights").at(1).state;
}

TEST(Reload, EveryGaugeKilledAndInitialisedAThousandTimesStillReachesItsOwners) {
    auto panel = loadDefault();
    panel->run(1);
    const auto names = panel->sharedNames();
    panel->mouse("rl_tj20_oh_lights", 60, 50);  // overhead lighting on
    panel->run(1);
    ASSERT_EQ(panel->shared("ohpanel"), 1u);
    ASSERT_EQ(overheadLightsImage(*panel), 1u);

    for (int i = 0; i < 1000; ++i) {
        reinitialise(*panel);
        if (HasFatalFailure()) return;
        if (i % 100 == 0) panel->run(1);
    }
    EXPECT_EQ(panel->sharedNames(), names);
    EXPECT_EQ(panel->shared("ohpanel"), 1u) << "the owner's cell kept its value through the reloads";

    // The switch writes through its binding into the owner's cell, and another gauge reads it
    // through its own binding.
    panel->mouse("rl_tj20_oh_lights", 60, 50);
    EXPECT_EQ(panel->shared("ohpanel"), 0u);
    panel->run(1);
    EXPECT_EQ(overheadLightsImage(*panel), 0u);

    // A simulator binding: the battery switch follows the simulator's battery.
    panel->journal().keyEvents.clear();
    panel->mouse("rl_tj20_apucntrl", 169, 222);
    panel->run(1);
    EXPECT_EQ(panel->shared("battsw"), 1u);
    EXPECT_EQ(panel->sim().get(sim::MasterBattery.id), 1.0);
    ASSERT_FALSE(panel->journal().keyEvents.empty());
    EXPECT_EQ(panel->journal().keyEvents.front().id, key::MasterBatteryToggle.id);
    EXPECT_EQ(panel->journal().keyEvents.front().gauge, "rl_tj20_apucntrl");
}

TEST(Reload, SoundLibraryIsReleasedAsOftenAsItIsBound) {
    ASSERT_FALSE(stillLoaded("GaugeSound.so"));
    {
        auto panel = loadPanel({"rl_tj20_main_master_variables", "tj20_probe"});
        panel->run(1);
        ASSERT_TRUE(stillLoaded("GaugeSound.so")) << "the check sees a loaded library";
        for (int i = 0; i < 1000; ++i) {
            reinitialise(*panel);
            if (HasFatalFailure()) return;
        }
        panel->run(1);
        panel->journal().sounds.clear();   // every kill terminated the sounds
        panel->mouse("tj20_probe", 2, 2);  // a one-shot sound
        EXPECT_EQ(panel->shared("probecount"), 1u);
        ASSERT_EQ(panel->journal().sounds.size(), 1u) << "the sound library was bound again";
        EXPECT_EQ(panel->journal().sounds.front().path, "sound\\probe_once.wav");
    }
    EXPECT_FALSE(stillLoaded("GaugeSound.so")) << "a gauge holds the sound library after the panel is gone";
    EXPECT_FALSE(stillLoaded("tj20_probe.gau"));
}

// The same short flight on a freshly loaded panel: the JSON trace of every load.
std::string flightTrace() {
    auto panel = loadDefault();
    std::ostringstream trace;
    host::TracePrinter printer(panel->journal(), trace, true);
    panel->sim().set(sim::OnGround.id, 1);
    panel->run(1);
    panel->mouse("rl_tj20_oh_lights", 60, 50);
    panel->mouse("rl_tj20_apucntrl", 169, 222);
    panel->mouse("rl_tj20_apucntrl", 145, 129);
    panel->mouse("rl_tj20_apucntrl", 145, 129);
    panel->run(60);
    printer.finish(panel->cycleCount());
    return trace.str();
}

TEST(Reload, PanelUnloadedAndLoadedAgainStartsAfresh) {
    const std::string first = flightTrace();
    ASSERT_NE(first.find("\"ohpanel\""), std::string::npos) << "the flight changes what the reloads check";
    ASSERT_NE(first.find("\"apustartsw\""), std::string::npos);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(stillLoaded("rl_tj20_oh_lights.gau")) << "unloading the panel leaves its modules loaded";
        EXPECT_EQ(flightTrace(), first) << "load " << i + 2 << " started from what the last one left";
    }
}

}  // namespace
}  // namespace tj20::test
