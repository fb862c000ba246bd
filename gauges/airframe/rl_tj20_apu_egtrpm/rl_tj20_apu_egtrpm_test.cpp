#include <algorithm>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

struct Reading {
    std::uint32_t rpm, egt, rpmsmall;
    bool operator==(const Reading&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Reading& r) {
    return os << "rpm " << r.rpm << " egt " << r.egt << " small " << r.rpmsmall;
}

struct ApuInstrument : ::testing::Test {
    // The host stands in for the engine start panel, the owner of the start pump switch.
    Bed bed{
        {.modules = {"rl_tj20_main_master_variables", "rl_tj20_apucntrl", "rl_tj20_fuelpumps", "rl_tj20_apu_egtrpm"},
         .standIns = {"startpump"}}};

    Reading read() const {
        return {bed.shared("rpm").value_or(0), bed.shared("egt").value_or(0), bed.shared("rpmsmall").value_or(0)};
    }
    // Battery on, right forward pump on, engine 1 generator on: everything a start needs.
    void readyForStart() {
        bed.set("battsw", 1);
        bed.set("rfwdfuelpumpsw", 1);
        bed.sim(sim::Engine1GeneratorSwitch, 1.0);
    }
    void at(std::uint32_t start, std::uint32_t rpm, std::uint32_t egt) {
        readyForStart();
        bed.set("apustartsw", start);
        bed.set("rpm", rpm);
        bed.set("rpmsmall", rpm);
        bed.set("egt", egt);
    }
    // Runs `cycles` updates and reports the first whose reading differs from expected(n).
    void expectHistory(int cycles, auto expected) {
        for (int n = 1; n <= cycles; ++n) {
            bed.run(1);
            if (const Reading want = expected(n); read() != want) {
                ADD_FAILURE() << "update " << n << ": got " << read() << ", expected " << want;
                return;
            }
        }
    }
};

TEST_F(ApuInstrument, StartSpinsUpOnePerUpdateAndSettlesAt390WithoutAirLoad) {
    at(2, 0, 0);
    expectHistory(450, [](int n) {
        const auto rpm = std::uint32_t(std::min(n, 200));
        return Reading{rpm, std::uint32_t(std::min(n, 390)), rpm};
    });
}

// RUN carries a turning APU on by one per update and stops it at full speed and idle
// temperature, whatever the speed it took over at; the air load takes the temperature to 440.
TEST_F(ApuInstrument, RunClimbsToFullSpeedAndItsTemperatureAndStopsThere) {
    for (std::uint32_t air : {0u, 1u, 2u}) {
        SCOPED_TRACE(::testing::Message() << "air switch " << air);
        at(1, 180, air ? 420 : 370);
        bed.set("apuairsw", air);
        expectHistory(60, [&](int n) {
            const auto rpm = std::uint32_t(std::min(180 + n, 200));
            return Reading{rpm, std::uint32_t(air ? std::min(420 + n, 440) : std::min(370 + n, 390)), rpm};
        });
    }
}

TEST_F(ApuInstrument, AirLoadTakesTheTemperatureTo440AndRemovingItBringsItBackTo390) {
    for (std::uint32_t air : {1u, 2u}) {
        SCOPED_TRACE(::testing::Message() << "air switch " << air);
        at(1, 200, 390);
        bed.set("apuairsw", air);
        expectHistory(60, [](int n) { return Reading{200, std::uint32_t(std::min(390 + n, 440)), 200}; });
        bed.set("apuairsw", 0);
        expectHistory(60, [](int n) { return Reading{200, std::uint32_t(std::max(440 - n, 390)), 200}; });
    }
}

TEST_F(ApuInstrument, AirLoadDuringStartLetsTheTemperatureClimbPast390) {
    at(2, 0, 0);
    bed.set("apuairsw", 1);
    bed.run(450);
    EXPECT_EQ(read(), (Reading{200, 440, 200}));
}

// Running at 200 and 390 in RUN; each cause winds both down by one per update, and the
// temperature by two once the speed is 0, without passing below 0.
TEST_F(ApuInstrument, ShutdownWindsSpeedAndTemperatureDown) {
    struct Case {
        const char* variable;
        std::uint32_t value;
    };
    for (const auto& c : {Case{"battsw", 0}, Case{"apustartsw", 0}, Case{"apufirecontsw", 1}}) {
        SCOPED_TRACE(::testing::Message() << c.variable << " " << c.value);
        at(1, 200, 390);
        bed.set(c.variable, c.value);
        expectHistory(320, [](int n) {
            const int rpm = std::max(200 - n, 0);
            const int egt = std::max(390 - n - std::max(n - 199, 0), 0);
            return Reading{std::uint32_t(rpm), std::uint32_t(egt), std::uint32_t(rpm)};
        });
    }
}

TEST_F(ApuInstrument, DoorAtItsBlockingPositionKeepsTheApuFromStartingAndRunAloneStartsNothing) {
    for (std::uint32_t door = 0; door <= 4; ++door) {
        SCOPED_TRACE(::testing::Message() << "door " << door);
        at(2, 0, 0);
        bed.set("apudoorsw", door);
        bed.run(10);
        EXPECT_EQ(read(), (door == 2 ? Reading{0, 0, 0} : Reading{10, 10, 10}));
    }
    at(1, 0, 0);
    bed.run(10);
    EXPECT_EQ(read(), (Reading{0, 0, 0})) << "RUN does not start a stopped APU";
}

// Fuel reaches the APU from a right wing pump, or from any other pump through the crossfeed,
// and only while some bus has power; the start pump alone feeds it too.
TEST_F(ApuInstrument, StartNeedsFuelFromAPumpThatReachesItAndElectricalPower) {
    struct Case {
        const char* pump;
        std::uint32_t crossfeed;
        double generator1, generator2;
        bool starts;
    };
    constexpr Case cases[] = {
        {"rfwdfuelpumpsw", 0, 1, 0, true},  {"raftfuelpumpsw", 0, 0, 1, true},  {"rfwdfuelpumpsw", 0, 0, 0, false},
        {"lfwdfuelpumpsw", 0, 1, 1, false}, {"lfwdfuelpumpsw", 1, 1, 0, true},  {"laftfuelpumpsw", 1, 0, 1, true},
        {"caftfuelpumpsw", 1, 1, 0, true},  {"cfwdfuelpumpsw", 0, 0, 1, false}, {"cfwdfuelpumpsw", 1, 0, 0, false},
        {nullptr, 1, 1, 1, false},          {"startpump", 0, 0, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.pump ? c.pump : "no pump") << ", crossfeed " << c.crossfeed
                                          << ", generators " << c.generator1 << "/" << c.generator2);
        for (const char* name : {"laftfuelpumpsw", "lfwdfuelpumpsw", "caftfuelpumpsw", "cfwdfuelpumpsw",
                                 "raftfuelpumpsw", "rfwdfuelpumpsw", "startpump", "rpm", "egt", "rpmsmall"})
            bed.set(name, 0);
        bed.set("battsw", 1);
        if (c.pump) bed.set(c.pump, 1);
        bed.set("fuelxfd", c.crossfeed);
        bed.sim(sim::Engine1GeneratorSwitch, c.generator1);
        bed.sim(sim::Engine2GeneratorSwitch, c.generator2);
        bed.set("apustartsw", 2);
        bed.run(5);
        EXPECT_EQ(read(), (c.starts ? Reading{5, 5, 5} : Reading{0, 0, 0}));
    }
}

// Needles: speed, temperature, and the vernier that stops at 300; lit with the panel lights.
TEST_F(ApuInstrument, NeedlesFollowTheReadingsAndAreLitWithThePanelLights) {
    at(1, 150, 390);
    bed.set("ohpanel", 1);
    bed.run(1);
    EXPECT_EQ(bed.element("220,75").value, 151.0);
    EXPECT_EQ(bed.element("77,75").value, 390.0);
    for (const At needle : {"220,75", "77,75", "198,53"}) EXPECT_TRUE(bed.element(needle).lit) << needle;
    for (const auto& [small, vernier] :
         {std::pair{0u, 0.0}, {299u, 299.0}, {300u, 300.0}, {301u, 300.0}, {450u, 300.0}}) {
        bed.set("rpmsmall", small);
        EXPECT_EQ(bed.redrawn("198,53").value, vernier) << "the vernier stops at 300";
    }
    bed.set("ohpanel", 0);
    bed.run(1);
    for (const At needle : {"220,75", "77,75", "198,53"}) EXPECT_FALSE(bed.element(needle).lit) << needle;
}

}  // namespace
}  // namespace tj20::test
