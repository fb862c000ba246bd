// The radio tuning of the simulator model on its own: packed digits stepped by the heads'
// events, each part wrapping within its range without carrying into the next. (The radios
// scenario tunes every head through its wrap-arounds; these are the edges it does not reach.)
#include <gtest/gtest.h>

#include <cstdint>

#include "tj20/ids.h"
#include "tj20host/model.h"

namespace tj20::host {
namespace {

// Each row: the event, then both variables it may touch before and after (the second pair
// unused unless given).
struct Tuning {
    std::uint32_t event, id, before, after, id2 = 0, before2 = 0, after2 = 0;
};
constexpr Tuning tunings[] = {
    {key::Nav1FractionUp, sim::Nav1Frequency, 0x1012, 0x1015},    // off the .05 raster: the next value up
    {key::Nav2FractionDown, sim::Nav2Frequency, 0x1012, 0x1010},  // and down
    {key::Nav1WholeUp, sim::Nav1Frequency, 0x0000, 0x0800},       // below the band: its first megahertz
    {key::Nav2WholeDown, sim::Nav2Frequency, 0x1800, 0x1700},     // above it: its last
    {key::Nav1WholeUp, sim::Nav1Frequency, 0x11030, 0x11130},     // a digit above the four shown is kept
    {key::Com1FractionUp, sim::Com1Frequency, 0x2302, 0x2305},    // .02 is 25 kHz: on to 50
    {key::Com1FractionDown, sim::Com1Frequency, 0x2310, 0x2307},  // 100 down to 75
    {key::Com1StandbyFractionDown, sim::Com1StandbyFrequency, 0x2300, 0x2397},
    {key::Com1StandbyWholeUp, sim::Com1StandbyFrequency, 0x3650, 0x1850},
    {key::TransponderTensUp, sim::TransponderCode, 0x1270, 0x1200},  // octal: 7 wraps to 0
    {key::TransponderHundredsUp, sim::TransponderCode, 0x1600, 0x1700},
    {key::AdfHundredsUp, sim::AdfFrequency, 0x950, 0x050, sim::AdfExtendedFrequency, 0x003, 0x103},  // 950.3 to 1050.3
    {key::AdfHundredsUp, sim::AdfFrequency, 0x050, 0x150, sim::AdfExtendedFrequency, 0x000, 0x000},  // below the band
};

TEST(RadioModel, TuningEventsStepOnePartOfThePackedDigits) {
    const auto model = SimModel::aircraft();
    for (const auto& t : tunings) {
        SimState sim;
        sim.setDigits(t.id, t.before);
        if (t.id2) sim.setDigits(t.id2, t.before2);
        EXPECT_TRUE(model.key(sim, t.event, 0));
        EXPECT_EQ(sim.digits(t.id), t.after) << std::hex << "event 0x" << t.event << " from 0x" << t.before;
        if (t.id2) {
            EXPECT_EQ(sim.digits(t.id2), t.after2) << std::hex << "event 0x" << t.event;
        }
    }
}

TEST(RadioModel, CourseStepsStartFromTheWholeDegreeAndSetsTakeTheirValueModulo360) {
    const struct {
        std::uint32_t event, value, course;
        double before, after;
    } cases[] = {
        {key::Nav1CourseDecrease, 0, sim::Nav1Course, 90.4, 89},
        {key::Nav2CourseIncrease, 0, sim::Nav2Course, 359.6, 1},
        {key::Nav2CourseSet, 360, sim::Nav2Course, 10, 0},
    };
    const auto model = SimModel::aircraft();
    for (const auto& c : cases) {
        SimState sim;
        sim.set(c.course, c.before);
        model.key(sim, c.event, c.value);
        EXPECT_EQ(sim.get(c.course), c.after) << std::hex << c.event << std::dec << " from " << c.before;
    }
}

}  // namespace
}  // namespace tj20::host
