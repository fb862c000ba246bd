#include <algorithm>
#include <limits>
#include <string>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr const char* Switches[] = {"laftfuelpumpsw", "lfwdfuelpumpsw", "caftfuelpumpsw",
                                    "cfwdfuelpumpsw", "raftfuelpumpsw", "rfwdfuelpumpsw"};
constexpr std::uint32_t All = key::FuelSelectorAll, Left = key::FuelSelectorLeft, Right = key::FuelSelectorRight,
                        Centre = key::FuelSelectorCentre;

struct FuelPumps : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_fuelpumps"}}};
    // Switches given as a word of six letters, 1 for a pump on, in the order of `Switches`.
    void pumps(const std::string& pattern) {
        for (std::size_t i = 0; i < 6; ++i) bed.set(Switches[i], pattern.at(i) == '1' ? 1 : 0);
    }
    std::vector<Key> keysOfOneUpdate() {
        const Mark m = bed.mark();
        bed.run(1);
        return bed.keys(m);
    }
    std::vector<std::uint32_t> eventsOfOneUpdate() {
        std::vector<std::uint32_t> ids;
        for (const auto& k : keysOfOneUpdate()) ids.push_back(k.id);
        return ids;
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
        bed.sim(sim::CentreTankQuantity, c.centreQuantity);
        EXPECT_EQ(eventsOfOneUpdate(), c.events);
        const auto again = keysOfOneUpdate();
        ASSERT_EQ(again.size(), c.events.size()) << "the commands repeat on every update";
        for (std::size_t i = 0; i < again.size(); ++i) {
            EXPECT_EQ(again[i].id, c.events[i]);
            EXPECT_EQ(again[i].value, 0u);
        }
    }
}

TEST_F(FuelPumps, EachSwitchAreaTogglesItsPump) {
    struct Area {
        int x, y;
        const char* pump;
        const char* image;
    };
    const Area areas[] = {{20, 50, "laftfuelpumpsw", "17,33"},    {100, 50, "caftfuelpumpsw", "97,35"},
                          {180, 50, "raftfuelpumpsw", "178,33"},  {20, 120, "lfwdfuelpumpsw", "16,106"},
                          {100, 120, "cfwdfuelpumpsw", "96,108"}, {180, 120, "rfwdfuelpumpsw", "179,106"}};
    for (const auto& a : areas) {
        bed.click({a.x, a.y});
        EXPECT_EQ(bed.shared(a.pump), 1u) << a.pump;
        bed.run(1);
        EXPECT_EQ(bed.element(a.image).state, 1) << a.pump;
        bed.click({a.x, a.y});
        EXPECT_EQ(bed.shared(a.pump), 0u) << a.pump;
    }
}

TEST_F(FuelPumps, LightingOverlayShowsThePanelLightsAndIsDrawnLit) {
    for (std::uint32_t lights : {1u, 0u}) {
        bed.set("ohpanel", lights);
        bed.run(1);
        const auto overlay = bed.element("0,0[1]");
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
        bed.sim(sim::Engine1N2, 60.0);
        bed.sim(sim::Engine2N2, 60.0);
    }
};

TEST_F(FuelFeed, CentreTankRunsDryThenTheWingTanksFeed) {
    pumps("111111");
    bed.sim(sim::CentreTankQuantity, 5.125);  // the last cycle finds less than its burn
    bed.run(1);                               // the centre tank is selected
    double before = bed.sim(sim::CentreTankQuantity);
    int cycles = 0;
    while (before > 0.0 && cycles++ < 50) {
        const auto events = eventsOfOneUpdate();
        const double now = bed.sim(sim::CentreTankQuantity);
        EXPECT_EQ(now, std::max(before - 0.5, 0.0));
        EXPECT_EQ(events, now > 0.0 ? std::vector<std::uint32_t>{Centre} : std::vector<std::uint32_t>{All})
            << "centre tank " << now;
        before = now;
    }
    EXPECT_EQ(before, 0.0);
    EXPECT_EQ(eventsOfOneUpdate(), std::vector<std::uint32_t>{All});
    EXPECT_EQ(bed.sim(sim::CentreTankQuantity), 0.0) << "the wing tanks feed now";
}

TEST_F(FuelFeed, CentreTankKeepsItsFuelWhileAWingTankIsSelected) {
    bed.sim(sim::CentreTankQuantity, 5.0);
    for (const char* pattern : {"110000", "000011", "110011"}) {
        pumps(pattern);
        bed.run(5);
        EXPECT_EQ(bed.sim(sim::CentreTankQuantity), 5.0) << pattern;
    }
}

TEST_F(FuelFeed, EnginesAtOrBelowFiftyPercentBurnNothing) {
    bed.sim(sim::Engine1N2, 50.0);
    bed.sim(sim::Engine2N2, 0.0);
    pumps("001100");
    bed.sim(sim::CentreTankQuantity, 5.0);
    bed.run(5);
    EXPECT_EQ(bed.sim(sim::CentreTankQuantity), 5.0);
    bed.sim(sim::Engine2N2, 50.5);
    bed.run(4);
    EXPECT_EQ(bed.sim(sim::CentreTankQuantity), 4.0);
}

}  // namespace
}  // namespace tj20::test
