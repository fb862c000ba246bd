// The pedestal through the host: the aural warnings at their thresholds, the horn silence and
// trim switch timers at any tick step, the automatic spoilers, the throttle and fuel levers.
#include <algorithm>
#include <cmath>
#include <string>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Pt LeftFuelLever{260, 500}, Silence{200, 520};
using Sounds = std::vector<std::string>;
const Sounds None{}, Horn{"tj20_lnd_gear.wav"}, GearWarning{"tj20_gear.wav"};

struct Flight {
    double speed, gearHandle, throttle1, throttle2, onGround, flapHandle, speedBrake = 0, leftFlap = 0;
};
constexpr Flight Approach{180, 0, 0, 3000, 0, 9830.4};  // airborne, gear up, one throttle closed

struct Pedestal : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_pedestal"}}};
    Sounds playing() const { return bed.playing(); }  // the repeating warnings sounding now
    void fly(const Flight& f) {
        const std::pair<std::uint32_t, double> values[] = {
            {sim::IndicatedAirspeed, f.speed},     {sim::GearHandle, f.gearHandle}, {sim::Throttle1Lever, f.throttle1},
            {sim::Throttle2Lever, f.throttle2},    {sim::OnGround, f.onGround},     {sim::FlapHandle, f.flapHandle},
            {sim::SpeedBrakeHandle, f.speedBrake}, {sim::LeftFlap, f.leftFlap}};
        for (const auto& [id, value] : values) bed.sim(id, value);
        bed.run(1);
    }
};

// The speed brake cases come first, while the flap handle has not moved: the simulator then
// leaves the flap surfaces where the test sets them.
TEST_F(Pedestal, WarningsAtTheirThresholds) {
    const Sounds SpeedBrake{"tj20_speed_br.wav"};
    const std::tuple<const char*, Flight, Sounds> cases[] = {
        {"speed brake out with flaps", {250, 16383, 0, 0, 0, 0, 4802, 411}, SpeedBrake},
        {"speed brake handle 4801", {250, 16383, 0, 0, 0, 0, 4801, 411}, None},
        {"flaps at 410", {250, 16383, 0, 0, 0, 0, 4802, 410}, None},
        {"speed brake out on the ground", {100, 16383, 0, 0, 1, 0, 4802, 411}, None},
        {"approach with the gear up", Approach, Horn},
        {"209.9 kt", {209.9, 0, 0, 3000, 0, 0}, Horn},
        {"210 kt", {210, 0, 0, 3000, 0, 0}, None},
        {"throttle 255.9", {180, 0, 3000, 255.9, 0, 0}, Horn},
        {"both throttles 256", {180, 0, 256, 256, 0, 0}, None},
        {"gear handle down", {180, 16383, 0, 3000, 0, 0}, None},
        {"on the ground", {180, 0, 0, 3000, 1, 0}, None},
        {"flap handle 13107.0", {180, 0, 0, 3000, 0, 13107.0}, Horn},
        {"landing flaps take the horn's place", {180, 0, 0, 3000, 0, 13107.2}, GearWarning},
        {"landing flaps, gear up, at any speed", {250, 0, 9000, 9000, 0, 16384}, GearWarning},
        {"landing flaps, gear down", {180, 16383, 0, 0, 0, 16384}, None},
    };
    for (const auto& [what, flight, sounding] : cases) {
        fly(flight);
        EXPECT_EQ(playing(), sounding) << what;
    }
}

// The silence holds for 2160 ticks from the press however the clock steps; a second press does
// not extend it, and the gear warning cannot be silenced.
TEST_F(Pedestal, HornSilenceLasts2160Ticks) {
    for (const double step : {1.0, 7.0}) {
        SCOPED_TRACE(::testing::Message() << "tick step " << step);
        fly(Approach);
        bed.click(Silence);
        bed.run(1, step);
        EXPECT_EQ(playing(), None);
        const int cycles = static_cast<int>(std::ceil(2160 / step));  // until the tick reaches the end
        bed.run(cycles / 2, step);
        bed.click(Silence);
        bed.run(cycles - cycles / 2 - 1, step);
        EXPECT_EQ(playing(), None);
        bed.run(1, step);
        EXPECT_EQ(playing(), Horn);
    }
    fly({180, 0, 0, 3000, 0, 16384});
    bed.click(Silence);
    bed.run(1);
    EXPECT_EQ(playing(), GearWarning);
}

// Throttles advanced on the ground: one voice naming every fault present.
TEST_F(Pedestal, TakeoffConfigurationVoices) {
    struct Case {
        double armed, brake, flaps, throttle, onGround;
        const char* voice;  // null: silent
    } cases[] = {{0, 1, 0, 7000, 1, "sbf"},     {1, 1, 0, 7000, 1, "bf"},      {1, 0, 0, 7000, 1, "f"},
                 {1, 0, 6553.6, 7000, 1, {}},   {1, 0, 9830.4, 7000, 1, {}},   {1, 0, 8000, 7000, 1, "f"},
                 {1, 0, 13107.2, 7000, 1, "f"}, {0, 0, 9830.4, 7000, 1, "s"},  {1, 0.5, 9830.4, 7000, 1, "b"},
                 {0, 1, 6553.6, 7000, 1, "sb"}, {0.5, 0, 8000, 7000, 1, "sf"}, {0, 1, 0, 6000, 1, {}},
                 {0, 1, 0, 7000, 0, {}}};
    bed.sim(sim::GearHandle, 16383);
    for (const auto& c : cases) {
        bed.sim(sim::SpoilersArmed, c.armed);
        bed.sim(sim::ParkingBrake, c.brake);
        bed.sim(sim::FlapHandle, c.flaps);
        bed.sim(sim::Throttle2Lever, c.throttle);
        bed.sim(sim::OnGround, c.onGround);
        bed.run(1);
        EXPECT_EQ(playing(), c.voice ? Sounds{std::string("tj20_config_") + c.voice + ".wav"} : None)
            << "armed " << c.armed << ", brake " << c.brake << ", flaps " << c.flaps << ", throttle " << c.throttle;
    }
}

// Rejected takeoff: on the ground above 60 kt, spoilers armed, both throttles below 3000.
// Touchdown: the first update on the ground after an update airborne, spoilers armed.
TEST_F(Pedestal, AutomaticSpoilers) {
    struct Case {
        const char* what;
        double onGroundBefore, onGround, speed, throttle1, armed;
        bool deploys;
    } cases[] = {{"rejected takeoff", 1, 1, 60.1, 2999, 1, true},
                 {"at 60 kt", 1, 1, 60, 2999, 1, false},
                 {"a throttle at 3000", 1, 1, 100, 3000, 1, false},
                 {"not armed", 1, 1, 100, 0, 0, false},
                 {"touchdown", 0, 1, 50, 0, 1, true},
                 {"still airborne", 0, 0, 50, 0, 1, false},
                 {"touchdown, not armed", 0, 1, 50, 0, 0, false}};
    for (const auto& c : cases) {
        bed.sim(sim::SpoilersArmed, c.armed);
        fly({30, 16383, 0, 0, c.onGroundBefore, 0});
        const Mark m = bed.mark();
        fly({c.speed, 16383, c.throttle1, 0, c.onGround, 0});
        EXPECT_EQ(bed.count(key::SpoilersDeploy, m), c.deploys ? 1u : 0u) << c.what;
        EXPECT_EQ(bed.played("sound\\tj20_spoildisarm.wav", m), c.deploys ? 1u : 0u) << c.what;
    }
}

// Each switch shows its deflection and trims once per press or repeat, and springs back to the
// centre 18 ticks after the last, even when the clock steps over that tick.
TEST_F(Pedestal, TrimSwitchesSpringBackAfter18Ticks) {
    const std::tuple<Pt, const char*, int, std::uint32_t> cases[] = {{{60, 500}, "27,290", 2, key::PitchTrimUp},
                                                                     {{60, 300}, "27,290", 0, key::PitchTrimDown},
                                                                     {{300, 600}, "282,451", 2, key::PitchTrimUp},
                                                                     {{300, 500}, "282,451", 0, key::PitchTrimDown}};
    for (const auto& [at, picture, deflected, trim] : cases) {
        for (const double step : {1.0, 5.0}) {
            SCOPED_TRACE(::testing::Message() << picture << " to " << deflected << ", tick step " << step);
            const Mark m = bed.mark();
            bed.hold(at, 2);  // the press and two repeats
            EXPECT_EQ(bed.count(trim, m), 3u);
            const int cycles = static_cast<int>(std::ceil(17 / step));  // the last repeat came a cycle ago
            bed.run(cycles - 1, step);
            EXPECT_EQ(bed.element(picture).state, deflected);
            bed.run(1, step);
            EXPECT_EQ(bed.element(picture).state, 1);
        }
    }
}

TEST_F(Pedestal, ThrottleDragStaysInsideTheLeverRange) {
    // Points on the pedestal (the lever areas start at 22) and the commands they give.
    const std::pair<int, std::int32_t> cases[] = {{22, 16383}, {89, 16383}, {90, 16380},
                                                  {91, 16290}, {272, 0},    {379, -9630}};
    for (const auto& [y, command] : cases) {
        const Mark m = bed.mark();
        bed.drag(bed.focus(), {260, y});
        bed.drag(bed.focus(), {330, y});
        const std::vector<std::uint32_t> sent{std::uint32_t(command)};
        EXPECT_EQ(bed.values(key::Throttle1Set, m), sent) << y;
        EXPECT_EQ(bed.values(key::Throttle2Set, m), sent) << y;
        EXPECT_EQ(bed.sim(sim::Throttle1Lever), double(command));
    }
}

// No fuel command before the first draw has set the levers to RUN: engines running as the panel
// loads keep running. From then on, every update commands both engines.
TEST_F(Pedestal, FuelLeversCommandEachEngineFromTheFirstDraw) {
    bed.reload(0);
    bed.sim(sim::Engine1FuelAvailable, 1);
    Mark m = bed.mark();
    bed.run(1);
    EXPECT_EQ(bed.keyIds(m), std::vector<std::uint32_t>{});
    const std::tuple<bool, double, std::uint32_t> cases[] = {{false, 1, key::Engine1FuelOn},
                                                             {false, 0, key::Engine1FuelCutoff},
                                                             {true, 1, key::Engine1FuelCutoff},
                                                             {true, 1, key::Engine1FuelOn}};
    for (const auto& [clickLever, fuel, engine1] : cases) {
        if (clickLever) bed.click(LeftFuelLever);
        bed.sim(sim::Engine1FuelAvailable, fuel);
        m = bed.mark();
        bed.run(1);
        EXPECT_EQ(bed.keyIds(m), (std::vector<std::uint32_t>{engine1, key::Engine2FuelOn}));
    }
}

}  // namespace
}  // namespace tj20::test
