#include <algorithm>
#include <filesystem>
#include <string>

#include "panel_test.h"
#include "tj20/ids.h"

namespace {
using namespace tj20;

constexpr const char* Instrument = "rl_tj20_apu_egtrpm";
std::vector<std::string> modules() {
    return {"rl_tj20_main_master_variables", "rl_tj20_apucntrl", "rl_tj20_fuelpumps", Instrument};
}

struct Reading {
    std::uint32_t rpm, egt, rpmsmall;
    bool operator==(const Reading&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Reading& r) {
    return os << "rpm " << r.rpm << " egt " << r.egt << " small " << r.rpmsmall;
}

struct ApuInstrument : ::testing::Test {
    std::unique_ptr<host::Panel> panel;
    // The host stands in for the engine start panel, the owner of the start pump switch.
    void load() {
        panel.reset();  // one panel at a time: the modules keep their state in static storage
        panel = test::loadPanel(modules(), {"startpump"});
        panel->run(1);  // past the first draw's initial values
    }
    void SetUp() override { load(); }

    void set(const char* name, std::uint32_t value) { ASSERT_TRUE(panel->setShared(name, value)) << name; }
    Reading read() const {
        return {panel->shared("rpm").value_or(0), panel->shared("egt").value_or(0),
                panel->shared("rpmsmall").value_or(0)};
    }
    // Battery on, right forward pump on, engine 1 generator on: everything a start needs.
    void readyForStart() {
        set("battsw", 1);
        set("rfwdfuelpumpsw", 1);
        panel->sim().set(sim::Engine1GeneratorSwitch, 1.0);
    }
    void running(std::uint32_t rpm, std::uint32_t egt) {
        readyForStart();
        set("apustartsw", 1);
        set("rpm", rpm);
        set("rpmsmall", rpm);
        set("egt", egt);
    }
    // One reading after each of `cycles` updates.
    std::vector<Reading> history(int cycles) {
        std::vector<Reading> h;
        for (int i = 0; i < cycles; ++i) {
            panel->run(1);
            h.push_back(read());
        }
        return h;
    }
};

// The first update at which a history differs from the expected one, for a readable failure.
void expectHistory(const std::vector<Reading>& got, auto expected) {
    for (std::size_t i = 0; i < got.size(); ++i) {
        const Reading want = expected(int(i) + 1);
        if (got[i] != want) {
            ADD_FAILURE() << "update " << i + 1 << ": got " << got[i] << ", expected " << want;
            return;
        }
    }
}

TEST_F(ApuInstrument, StartSpinsUpOnePerUpdateAndSettlesAt390WithoutAirLoad) {
    readyForStart();
    set("apustartsw", 2);
    expectHistory(history(450), [](int n) {
        const auto rpm = std::uint32_t(std::min(n, 200));
        return Reading{rpm, std::uint32_t(std::min(n, 390)), rpm};
    });
}

TEST_F(ApuInstrument, AirLoadTakesTheTemperatureTo440AndRemovingItBringsItBackTo390) {
    for (std::uint32_t air : {1u, 2u}) {
        SCOPED_TRACE(::testing::Message() << "air switch " << air);
        running(200, 390);
        set("apuairsw", air);
        expectHistory(history(60), [](int n) { return Reading{200, std::uint32_t(std::min(390 + n, 440)), 200}; });
        set("apuairsw", 0);
        expectHistory(history(60), [](int n) { return Reading{200, std::uint32_t(std::max(440 - n, 390)), 200}; });
    }
}

TEST_F(ApuInstrument, AirLoadDuringStartLetsTheTemperatureClimbPast390) {
    readyForStart();
    set("apustartsw", 2);
    set("apuairsw", 1);
    panel->run(450);
    EXPECT_EQ(read(), (Reading{200, 440, 200}));
}

// Running at 200 and 390 in RUN; each cause winds both down by one per update, and the
// temperature by two once the speed is 0, without passing below 0.
struct ShutdownCase {
    const char* cause;
    const char* variable;
    std::uint32_t value;
};
constexpr ShutdownCase shutdownCases[] = {
    {"battery off", "battsw", 0},
    {"start switch off", "apustartsw", 0},
    {"fire handle pulled", "apufirecontsw", 1},
};

TEST_F(ApuInstrument, ShutdownWindsSpeedAndTemperatureDown) {
    for (const auto& c : shutdownCases) {
        SCOPED_TRACE(c.cause);
        running(200, 390);
        set(c.variable, c.value);
        expectHistory(history(320), [](int n) {
            const int rpm = std::max(200 - n, 0);
            const int egt = std::max(390 - n - std::max(n - 199, 0), 0);
            return Reading{std::uint32_t(rpm), std::uint32_t(egt), std::uint32_t(rpm)};
        });
    }
}

TEST_F(ApuInstrument, DoorAtItsBlockingPositionKeepsTheApuFromStarting) {
    for (std::uint32_t door = 0; door <= 4; ++door) {
        SCOPED_TRACE(::testing::Message() << "door " << door);
        running(0, 0);
        set("apudoorsw", door);
        set("apustartsw", 2);
        panel->run(10);
        EXPECT_EQ(read(), (door == 2 ? Reading{0, 0, 0} : Reading{10, 10, 10}));
    }
}

TEST_F(ApuInstrument, RunAloneDoesNotStartAStoppedApu) {
    running(0, 0);
    panel->run(10);
    EXPECT_EQ(read(), (Reading{0, 0, 0}));
}

// Fuel reaches the APU from a right wing pump, or from any other pump through the crossfeed,
// and only while some bus has power.
struct FeedCase {
    const char* pump;
    std::uint32_t crossfeed;
    double generator1, generator2;
    bool starts;
};
constexpr FeedCase feedCases[] = {
    {"rfwdfuelpumpsw", 0, 1.0, 0.0, true},  {"raftfuelpumpsw", 0, 0.0, 1.0, true},
    {"rfwdfuelpumpsw", 0, 0.0, 0.0, false}, {"lfwdfuelpumpsw", 0, 1.0, 1.0, false},
    {"lfwdfuelpumpsw", 1, 1.0, 0.0, true},  {"laftfuelpumpsw", 1, 0.0, 1.0, true},
    {"caftfuelpumpsw", 1, 1.0, 0.0, true},  {"cfwdfuelpumpsw", 0, 0.0, 1.0, false},
    {"cfwdfuelpumpsw", 1, 0.0, 0.0, false}, {nullptr, 1, 1.0, 1.0, false},
};

TEST_F(ApuInstrument, StartNeedsFuelFromAPumpThatReachesItAndElectricalPower) {
    for (const auto& c : feedCases) {
        SCOPED_TRACE(::testing::Message() << (c.pump ? c.pump : "no pump") << ", crossfeed " << c.crossfeed
                                          << ", generators " << c.generator1 << "/" << c.generator2);
        for (const char* name : {"laftfuelpumpsw", "lfwdfuelpumpsw", "caftfuelpumpsw", "cfwdfuelpumpsw",
                                 "raftfuelpumpsw", "rfwdfuelpumpsw", "rpm", "egt", "rpmsmall"})
            set(name, 0);
        set("battsw", 1);
        if (c.pump) set(c.pump, 1);
        set("fuelxfd", c.crossfeed);
        panel->sim().set(sim::Engine1GeneratorSwitch, c.generator1);
        panel->sim().set(sim::Engine2GeneratorSwitch, c.generator2);
        set("apustartsw", 2);
        panel->run(5);
        EXPECT_EQ(read().rpm, c.starts ? 5u : 0u);
    }
}

TEST_F(ApuInstrument, StartPumpAloneFeedsAStart) {
    set("battsw", 1);
    set("startpump", 1);
    set("apustartsw", 2);
    panel->run(5);
    EXPECT_EQ(read(), (Reading{5, 5, 5}));
}

TEST_F(ApuInstrument, NeedlesFollowTheReadingsAndAreLitWithThePanelLights) {
    running(150, 390);
    set("rpmsmall", 450);  // the vernier needle stops at 300
    set("ohpanel", 1);
    panel->run(1);
    const auto elements = panel->elements(Instrument);
    ASSERT_EQ(elements.size(), 5u);
    EXPECT_EQ(elements[2].value, 151.0);
    EXPECT_EQ(elements[3].value, 390.0);
    EXPECT_EQ(elements[4].value, 300.0);
    for (std::size_t i = 2; i < 5; ++i) EXPECT_TRUE(elements[i].lit) << "needle " << i;
    set("ohpanel", 0);
    panel->run(1);
    for (std::size_t i = 2; i < 5; ++i) EXPECT_FALSE(test::element(*panel, Instrument, i).lit) << "needle " << i;
}

}  // namespace
