// The pump panel and both system pressure gauges: the pump rules at their speed thresholds,
// the pressures each setting settles at, and the published pressure levels.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

struct Hydraulics : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_hydraulic_pumps", "rl_tj20_hydraulic_lsys",
                         "rl_tj20_hydraulic_rsys"}}};
};

struct Case {
    const char* what;
    std::uint32_t left, right, transfer, aux;  // pump switches
    double n1Left, n2Left, n2Right;
    std::uint32_t from;  // both pressures
    int updates;
    std::uint32_t leftAfter, rightAfter;
};

// An engine pump turns above 24 % N2 (not at it); the left system also bleeds while engine
// 1's N1 is below 24 %, so its pump then only holds the pressure.
TEST_F(Hydraulics, PressuresFollowThePumpRules) {
    const Case cases[] = {
        {"LOW climbs 100 per update", 1, 1, 0, 0, 30, 30, 30, 0, 14, 1400, 1400},
        {"LOW holds 1500", 1, 1, 0, 0, 30, 30, 30, 0, 40, 1500, 1500},
        {"HIGH holds 3000", 2, 2, 0, 0, 30, 30, 30, 0, 40, 3000, 3000},
        {"HIGH to LOW falls 100 per update", 1, 1, 0, 0, 30, 30, 30, 3000, 5, 2500, 2500},
        {"nothing on bleeds to 0", 0, 0, 0, 0, 30, 30, 30, 3000, 31, 0, 0},
        {"auxiliary alone: the right only", 0, 0, 0, 1, 0, 0, 0, 1000, 20, 0, 3000},
        {"auxiliary and transfer: left 2900", 0, 0, 1, 1, 0, 0, 0, 0, 40, 2900, 3000},
        {"... 200 per update with a pump on LOW", 1, 0, 1, 1, 0, 0, 0, 0, 14, 2800, 2800},
        {"... to 3000", 1, 0, 1, 1, 0, 0, 0, 0, 15, 3000, 3000},
        {"LOW and HIGH tied, engines stopped", 1, 2, 1, 0, 0, 0, 0, 0, 40, 3000, 3000},
        {"right pump through the transfer pump", 0, 1, 1, 0, 0, 0, 30, 0, 40, 1500, 1500},
        {"left pump through the transfer pump", 2, 0, 1, 0, 30, 30, 0, 0, 40, 3000, 3000},
        {"no transfer: the other side bleeds", 2, 0, 0, 0, 30, 30, 0, 1000, 40, 3000, 0},
        {"N2 exactly 24: no delivery, no bleed", 1, 1, 0, 0, 30, 24, 24, 500, 5, 500, 500},
        {"N2 just above 24 delivers", 1, 1, 0, 0, 30, 24.01, 24.01, 500, 5, 1000, 1000},
        {"N2 just below 24: the right bleeds", 1, 1, 0, 0, 30, 23.99, 23.99, 500, 5, 500, 0},
        {"N1 exactly 24: the left climbs", 1, 0, 0, 0, 24, 30, 0, 0, 5, 500, 0},
        {"N1 below 24: the left reaches 100 and holds", 1, 0, 0, 0, 23.99, 30, 0, 0, 10, 100, 0},
        {"N1 below 24 on LOW: 200 per update", 1, 0, 0, 0, 23.99, 30, 0, 2100, 2, 1700, 1900},
        {"... down to 1500", 1, 0, 0, 0, 23.99, 30, 0, 2100, 10, 1500, 1100},
        {"N1 below 24 on HIGH holds", 2, 0, 0, 0, 23.99, 30, 0, 2000, 10, 2000, 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& [name, value] : {std::pair{"hydlengpump", c.left},
                                          {"hydrengpump", c.right},
                                          {"hydxfrpump", c.transfer},
                                          {"hydauxpump", c.aux},
                                          {"lsyshydpress", c.from},
                                          {"rsyshydpress", c.from}})
            bed.set(name, value);
        bed.sim(sim::Engine1N1, c.n1Left);
        bed.sim(sim::Engine1N2, c.n2Left);
        bed.sim(sim::Engine2N2, c.n2Right);
        bed.run(c.updates);
        EXPECT_EQ(bed.shared("lsyshydpress"), c.leftAfter);
        EXPECT_EQ(bed.shared("rsyshydpress"), c.rightAfter);
    }
}

// Every pump off: each update bleeds 100 psi and publishes the pressure and its two levels.
TEST_F(Hydraulics, LevelsSwitchAbove1400AndAbove2900) {
    for (const auto& [pressure, normal, lowClear] :
         {std::tuple{1400u, 0u, 0u}, {1500u, 0u, 1u}, {2900u, 0u, 1u}, {3000u, 1u, 1u}}) {
        SCOPED_TRACE(::testing::Message() << pressure << " psi");
        bed.set("lsyshydpress", pressure + 100);
        bed.set("rsyshydpress", pressure + 100);
        bed.run(1);
        for (const std::string side : {"l", "r"}) {
            EXPECT_EQ(bed.shared(side + "hydpressure"), pressure) << side;
            EXPECT_EQ(bed.shared(side + "hydactive"), normal) << side;
            EXPECT_EQ(bed.shared(side + "hydlowactive"), lowClear) << side;
        }
        EXPECT_EQ(bed.element("rl_tj20_hydraulic_rsys", "114,114").value, double(pressure));
    }
}

TEST_F(Hydraulics, EnginePumpSwitchesStopAtHighAndOff) {
    struct Side {
        Pt up, down;
        const char* name;
        At icon;
    };
    for (const Side& s : {Side{{130, 100}, {130, 150}, "hydlengpump", {123, 103}},
                          Side{{220, 100}, {220, 150}, "hydrengpump", {211, 105}}}) {
        const std::pair<Pt, std::uint32_t> clicks[] = {{s.down, 0}, {s.up, 1}, {s.up, 2}, {s.up, 2}, {s.down, 1}};
        for (const auto& [at, position] : clicks) {
            bed.click("rl_tj20_hydraulic_pumps", at);
            EXPECT_EQ(bed.shared(s.name), position) << s.name;
        }
        EXPECT_EQ(bed.redrawn("rl_tj20_hydraulic_pumps", s.icon).state, 1);
    }
}

}  // namespace
}  // namespace tj20::test
