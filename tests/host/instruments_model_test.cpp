// The flight instruments' part of the simulator model on its own: the barometric setting
// steps and the flight director's command bars.
#include <gtest/gtest.h>

#include "tj20/ids.h"
#include "tj20host/model.h"

namespace tj20::host {
namespace {

// One millibar a step from the standard setting when none was set, within 946 to 1050 mb,
// the inches always recomputed from the millibars.
TEST(InstrumentsModel, BarometricSettingStepsKeepMillibarsAndInchesTogether) {
    const auto model = SimModel::aircraft();
    struct Case {
        double start;
        int steps;  // positive: increase events, negative: decrease events
        double millibars;
    } cases[] = {{0, 1, 1014.25}, {0, -2, 1011.25}, {1000, 3, 1003}, {1049.5, 2, 1050}, {947, -5, 946}};
    for (const auto& c : cases) {
        SimState sim;
        sim.set(sim::BarometricSettingMillibars, c.start);
        sim.set(sim::BarometricSettingInches, 99);  // out of step until the first event
        for (int i = 0; i < std::abs(c.steps); ++i)
            EXPECT_TRUE(
                model.key(sim, c.steps > 0 ? key::BarometricSettingIncrease : key::BarometricSettingDecrease, 0));
        EXPECT_DOUBLE_EQ(sim.get(sim::BarometricSettingMillibars), c.millibars) << c.start << " " << c.steps;
        EXPECT_DOUBLE_EQ(sim.get(sim::BarometricSettingInches), c.millibars / 33.8639) << c.start << " " << c.steps;
    }
}

// Bank: the heading error the short way round, a degree per degree, within 25°. Pitch: the
// present pitch plus a degree per 100 ft of altitude error, the correction within 5°. Only
// while the flight director is on; off, the commands keep what they had.
TEST(InstrumentsModel, FlightDirectorCommandsFollowHeadingAndAltitudeErrors) {
    const auto model = SimModel::aircraft();
    struct Case {
        double director, heading, selectedHeading, pitch, altitude, selectedAltitude;
        double bank, pitchCommand;
    } cases[] = {
        {1, 350, 10, 2, 5000, 5300, 20, 5}, {1, 10, 350, 2, 5000, 4900, -20, 1},
        {1, 0, 90, 0, 5000, 9000, 25, 5},   {1, 0, 200, -1, 5000, 1000, -25, -6},
        {1, 90, 90, 3, 5000, 5000, 0, 3},   {0, 0, 90, 0, 5000, 9000, 7, 8},  // off: left as they were
    };
    for (const auto& c : cases) {
        SimState sim;
        sim.set(sim::FlightDirectorBank, 7);
        sim.set(sim::FlightDirectorPitch, 8);
        for (const auto& [id, v] : {std::pair{sim::FlightDirector, c.director},
                                    {sim::Heading, c.heading},
                                    {sim::SelectedHeading, c.selectedHeading},
                                    {sim::Pitch, c.pitch},
                                    {sim::Altitude, c.altitude},
                                    {sim::SelectedAltitude, c.selectedAltitude}})
            sim.set(id, v);
        model.advance(sim, 1);
        EXPECT_DOUBLE_EQ(sim.get(sim::FlightDirectorBank), c.bank) << c.heading << " to " << c.selectedHeading;
        EXPECT_DOUBLE_EQ(sim.get(sim::FlightDirectorPitch), c.pitchCommand)
            << c.altitude << " to " << c.selectedAltitude;
    }
}

}  // namespace
}  // namespace tj20::host
