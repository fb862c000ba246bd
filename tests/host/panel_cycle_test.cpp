// What the panel cycle keeps from one draw to the next must never show a stale value: a
// text formatted only when its value changes, the shared values the journal compares with,
// and the simulator's values in both of the ways the host stores them.
#include <dlfcn.h>

#include <algorithm>
#include <limits>
#include <utility>

#include "panel_test.h"

namespace tj20::test {
namespace {

const std::vector<std::string> probePanel = {"rl_tj20_main_master_variables", "tj20_probe"};
constexpr std::uint32_t ProbeValue = 0x7001;  // what the probe's first text shows, "%.2f"

std::string probeText(const host::Panel& panel) {
    for (const auto& e : panel.elements("tj20_probe"))
        if (e.kind == host::ElementState::Text && e.x == 10 && e.y == 10) return e.text;
    ADD_FAILURE() << "the probe has no text at 10,10";
    return {};
}

TEST(PanelCycle, TextShowsItsValueAfterEveryDrawWhetherOrNotTheValueChanged) {
    auto panel = loadPanel(probePanel);
    const struct {
        double value;
        const char* text;
    } steps[] = {{1.5, "1.50"},
                 {1.5, "1.50"},
                 {-0.0, "-0.00"},
                 {0.0, "0.00"},
                 {0.0, "0.00"},
                 {2.0 / 3, "0.67"},
                 {std::numeric_limits<double>::quiet_NaN(), "nan"},
                 {1.5, "1.50"}};
    for (const auto& s : steps) {
        panel->sim().set(ProbeValue, s.value);
        for (int draw = 1; draw <= 2; ++draw) {
            panel->run(1);
            EXPECT_EQ(probeText(*panel), s.text) << "value " << s.value << ", draw " << draw;
        }
        EXPECT_EQ(panel->evaluate("tj20_probe").at(2).text, s.text) << "a redraw of value " << s.value;
    }
}

// A module that stays loaded between two panels keeps its memory; the second panel hands its
// texts new buffers, which must be formatted even for the value the first panel's last showed.
TEST(PanelCycle, TextIsFormattedInTheBuffersOfEveryNewPanel) {
    void* held = dlopen((panelDir() / "tj20_probe.gau").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(held, nullptr) << dlerror();
    for (int load = 1; load <= 3; ++load) {
        auto panel = loadPanel(probePanel);
        panel->sim().set(ProbeValue, 4.25);
        panel->run(2);
        EXPECT_EQ(probeText(*panel), "4.25") << "panel " << load;
    }
    dlclose(held);
}

// The journal compares each shared value with the value it last saw, kept while nobody
// registers the name: a gauge killed and installed again journals only real changes.
TEST(PanelCycle, SharedValueChangesAreJournaledAcrossAnOwnerGoingAndComing) {
    auto panel = loadPanel(probePanel);
    panel->run(1);
    const auto changes = [&](std::uint64_t since) {
        std::vector<std::pair<std::uint64_t, std::uint64_t>> out;
        for (auto seq = since; seq < panel->journal().end(); ++seq) {
            const auto& e = panel->journal().at(seq);
            if (e.kind == host::Event::Kind::SharedChange && e.subject == "probeval")
                out.emplace_back(e.before, e.after);
        }
        return out;
    };
    using Changes = std::vector<std::pair<std::uint64_t, std::uint64_t>>;
    auto mark = panel->journal().end();
    panel->setShared("probeval", 3);
    EXPECT_EQ(changes(mark), (Changes{{0, 3}}));

    mark = panel->journal().end();
    panel->service("tj20_probe", abi::ServiceKill);
    EXPECT_FALSE(panel->shared("probeval")) << "killed, the probe no longer registers it";
    panel->service("tj20_probe", abi::ServiceInstall);
    EXPECT_EQ(panel->shared("probeval"), 3u);
    EXPECT_EQ(changes(mark), Changes{}) << "registered again with the value it had: no change";

    panel->setShared("probeval", 5);
    EXPECT_EQ(changes(mark), (Changes{{3, 5}}));
    const auto names = panel->sharedNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), "probeval"), 1);
}

TEST(SimStateTest, EveryIdentifierKeepsItsOwnValueAndAnUnsetOneReadsZero) {
    host::SimState sim;
    // Both sides of the boundary between the table indexed by identifier and the hashed rest.
    const std::uint32_t ids[] = {0x1, 0x22c, 0xfff, 0x1000, 0x7001, 0x1f001, 0xffffffff};
    for (auto id : ids) EXPECT_EQ(sim.bits(id), 0u) << std::hex << id;
    for (std::size_t i = 0; i < std::size(ids); ++i) sim.set(ids[i], double(i) + 0.5);
    for (std::size_t i = 0; i < std::size(ids); ++i) EXPECT_EQ(sim.get(ids[i]), double(i) + 0.5) << std::hex << ids[i];
    sim.setDigits(0xfff, 0x1234);
    sim.setDigits(0x1000, 0x5678);
    EXPECT_EQ(sim.digits(0xfff), 0x1234u);
    EXPECT_EQ(sim.bits(0x1000), 0x5678u);
    EXPECT_EQ(sim.get(0xffe), 0.0) << "a neighbour of a set identifier stays unset";
    EXPECT_EQ(sim.get(0x1001), 0.0);
}

}  // namespace
}  // namespace tj20::test
