#include <algorithm>
#include <limits>
#include <string>

#include "panel_test.h"
#include "tj20/ids.h"

namespace {
using namespace tj20;

constexpr const char* Pumps = "rl_tj20_fuelpumps";
constexpr const char* Switches[] = {"laftfuelpumpsw", "lfwdfuelpumpsw", "caftfuelpumpsw",
                                    "cfwdfuelpumpsw", "raftfuelpumpsw", "rfwdfuelpumpsw"};
constexpr std::uint32_t All = key::FuelSelectorAll, Left = key::FuelSelectorLeft, Right = key::FuelSelectorRight,
                        Centre = key::FuelSelectorCentre;

struct FuelPumps : ::testing::Test {
    std::unique_ptr<host::Panel> panel = test::loadPanel({"rl_tj20_main_master_variables", Pumps});
    void SetUp() override { panel->run(1); }
    // Switches given as a word of six letters, 1 for a pump on, in the order of `Switches`.
    void pumps(const std::string& pattern) {
        for (std::size_t i = 0; i < 6; ++i) ASSERT_TRUE(panel->setShared(Switches[i], pattern.at(i) == '1' ? 1 : 0));
    }
    std::vector<std::uint32_t> eventsOfOneUpdate() {
        panel->journal().keyEvents.clear();
        panel->run(1);
        return test::keyIds(*panel);
    }
};

struct SelectorCase {
    const char* pumps;  // left aft, left fwd, centre aft, centre fwd, right aft, right fwd
    double centreQuantity;
    std::vector<std::uint32_t> events;
};
const SelectorCase selectorCases[] = {
    // a centre pump and fuel in the centre tank: the centre tank, whatever the wings do
    {"001000", 100, {Centre}},
    {"000100", 0.25, {Centre}},
    {"111111", 100, {Centre}},
    {"101010", 100, {Centre}},
    // one wing only
    {"100000", 100, {Left}},
    {"110000", 0, {Left}},
    {"000001", 100, {Right}},
    {"000011", 0, {Right}},
    {"101100", 0, {Left}},
    // both pumps on one side, one on the other
    {"110010", 100, {Left, All}},
    {"010011", 0, {Right, All}},
    // one pump on each side
    {"100001", 100, {Left, Right, All}},
    {"010010", 0, {Left, Right, All}},
    // all four wing pumps
    {"110011", 100, {All}},
    {"110111", 0, {All}},
    // no wing pump
    {"000000", 100, {All, Centre}},
    {"000000", 0, {All}},
    {"001100", 0, {All}},
    // a reading below 0 or not a number is an empty tank, not one that keeps the centre selected
    {"000100", -1, {All}},
    {"101000", -0.25, {Left}},
    {"001100", std::numeric_limits<double>::quiet_NaN(), {All}},
};

TEST_F(FuelPumps, PumpPatternChoosesTheFuelTanks) {
    for (const auto& c : selectorCases) {
        SCOPED_TRACE(::testing::Message() << "pumps " << c.pumps << ", centre " << c.centreQuantity);
        pumps(c.pumps);
        panel->sim().set(sim::CentreTankQuantity, c.centreQuantity);
        EXPECT_EQ(eventsOfOneUpdate(), c.events);
        EXPECT_EQ(eventsOfOneUpdate(), c.events) << "the commands repeat on every update";
        for (const auto& k : panel->journal().keyEvents) EXPECT_EQ(k.value, 0u);
    }
}

TEST_F(FuelPumps, EachSwitchAreaTogglesItsPump) {
    struct Area {
        int x, y;
        const char* pump;
    };
    const Area areas[] = {{20, 50, "laftfuelpumpsw"},  {100, 50, "caftfuelpumpsw"},  {180, 50, "raftfuelpumpsw"},
                          {20, 120, "lfwdfuelpumpsw"}, {100, 120, "cfwdfuelpumpsw"}, {180, 120, "rfwdfuelpumpsw"}};
    for (std::size_t i = 0; i < std::size(areas); ++i) {
        const auto& a = areas[i];
        ASSERT_TRUE(panel->mouse(Pumps, a.x, a.y));
        EXPECT_EQ(panel->shared(a.pump), 1u) << a.pump;
        panel->run(1);
        EXPECT_EQ(test::element(*panel, Pumps, i + 2).state, 1) << a.pump;
        ASSERT_TRUE(panel->mouse(Pumps, a.x, a.y));
        EXPECT_EQ(panel->shared(a.pump), 0u) << a.pump;
    }
}

TEST_F(FuelPumps, LightingOverlayShowsThePanelLightsAndIsDrawnLit) {
    for (std::uint32_t lights : {1u, 0u}) {
        ASSERT_TRUE(panel->setShared("ohpanel", lights));
        panel->run(1);
        const auto overlay = test::element(*panel, Pumps, 1);
        EXPECT_EQ(overlay.bitmap, 0x1700u);
        EXPECT_EQ(overlay.state, int(lights));
        EXPECT_TRUE(overlay.lit) << "panel lights " << lights;
    }
}

// With the simulator's fuel model: both engines running burn 0.25 gal each per cycle from
// the tank the selector names.
struct FuelFeed : FuelPumps {
    void SetUp() override {
        FuelPumps::SetUp();
        panel->sim().set(sim::Engine1N2, 60.0);
        panel->sim().set(sim::Engine2N2, 60.0);
    }
};

TEST_F(FuelFeed, CentreTankRunsDryThenTheWingTanksFeed) {
    pumps("111111");
    panel->sim().set(sim::CentreTankQuantity, 5.125);  // the last cycle finds less than its burn
    panel->run(1);                                     // the centre tank is selected
    double before = panel->sim().get(sim::CentreTankQuantity);
    int cycles = 0;
    while (before > 0.0 && cycles++ < 50) {
        const auto events = eventsOfOneUpdate();
        const double now = panel->sim().get(sim::CentreTankQuantity);
        EXPECT_EQ(now, std::max(before - 0.5, 0.0));
        EXPECT_EQ(events, now > 0.0 ? std::vector<std::uint32_t>{Centre} : std::vector<std::uint32_t>{All})
            << "centre tank " << now;
        before = now;
    }
    EXPECT_EQ(before, 0.0);
    EXPECT_EQ(eventsOfOneUpdate(), std::vector<std::uint32_t>{All});
    EXPECT_EQ(panel->sim().get(sim::CentreTankQuantity), 0.0) << "the wing tanks feed now";
}

TEST_F(FuelFeed, CentreTankKeepsItsFuelWhileAWingTankIsSelected) {
    panel->sim().set(sim::CentreTankQuantity, 5.0);
    for (const char* pattern : {"110000", "000011", "110011"}) {
        pumps(pattern);
        panel->run(5);
        EXPECT_EQ(panel->sim().get(sim::CentreTankQuantity), 5.0) << pattern;
    }
}

TEST_F(FuelFeed, EnginesAtOrBelowFiftyPercentBurnNothing) {
    panel->sim().set(sim::Engine1N2, 50.0);
    panel->sim().set(sim::Engine2N2, 0.0);
    pumps("001100");
    panel->sim().set(sim::CentreTankQuantity, 5.0);
    panel->run(5);
    EXPECT_EQ(panel->sim().get(sim::CentreTankQuantity), 5.0);
    panel->sim().set(sim::Engine2N2, 50.5);
    panel->run(4);
    EXPECT_EQ(panel->sim().get(sim::CentreTankQuantity), 4.0);
}

}  // namespace
