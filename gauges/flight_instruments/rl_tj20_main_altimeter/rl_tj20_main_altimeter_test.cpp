// The altimeter through the host: altitude capture, the alert sound and light, the reference
// marker and the drums.
#include <algorithm>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

struct Altimeter : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_altimeter"}}};
    bool alerting() {
        const auto& playing = bed.panel().journal().playing();
        return std::any_of(playing.begin(), playing.end(), [](const auto& s) {
            return s.alias == "TJ20_ALTITUDE.wav" && s.path == "sound\\TJ20_ALTITUDE.wav";
        });
    }
};

// Target 10000 ft. Capture strictly inside ±300 ft; once captured the alert sounds outside
// ±300 ft while altitude hold is on; the light shows strictly between 300 and 900 ft off.
TEST_F(Altimeter, CaptureAlertAndLight) {
    const struct {
        double altitude;
        int hold, clear;  // clear: the guidance panel's new target clears the latch first
        std::uint32_t lock;
        bool alert, light;
    } steps[] = {
        {9100, 1, 0, 0, false, false},   {9101, 1, 0, 0, false, true},   {9700, 1, 0, 0, false, false},
        {9700.5, 1, 0, 1, false, false}, {10300, 1, 0, 1, false, false}, {10300.5, 1, 0, 1, true, true},
        {10899, 1, 0, 1, true, true},    {10900, 1, 0, 1, true, false},  {12000, 0, 0, 1, false, false},
        {12000, 1, 0, 1, true, false},   {10100, 1, 0, 1, false, false}, {9600, 1, 0, 1, true, true},
        {9600, 1, 1, 0, false, true},    {9300, 1, 0, 0, false, true},
    };
    bed.sim(sim::SelectedAltitude, 10000);
    for (const auto& s : steps) {
        if (s.clear) bed.set("altlock", 0);
        bed.sim(sim::Altitude, s.altitude);
        bed.sim(sim::AltitudeHold, s.hold);
        bed.run(1);
        EXPECT_EQ(bed.shared("altlock"), s.lock) << s.altitude;
        EXPECT_EQ(alerting(), s.alert) << s.altitude << " hold " << s.hold;
        EXPECT_EQ(bed.element("16,19").state, s.light ? 1 : 0) << s.altitude;
        EXPECT_EQ(bed.element("16,19").lit, s.light) << s.altitude;
    }
}

TEST_F(Altimeter, KnobsDrumsAndReadouts) {
    const Mark m = bed.mark();
    bed.hold({20, 240}, 1);  // BARO down: pressed and held one cycle
    EXPECT_EQ(bed.keyIds(m),
              (std::vector<std::uint32_t>{key::BarometricSettingDecrease, key::BarometricSettingDecrease}));
    bed.clicks({250, 240}, 3);  // reference up, 10 ft a press
    bed.clicks({225, 240}, 5);  // and down, without a limit
    bed.sim(sim::Altitude, 12345.6);
    bed.sim(sim::BarometricSettingInches, 29.92);
    bed.sim(sim::BarometricSettingMillibars, 1013.25);
    bed.run(1);
    EXPECT_EQ(bed.element("132,135").value, -20.0);
    EXPECT_EQ(bed.element("132,135[1]").value, 12345.6);
    const std::pair<At, double> drums[] = {
        {"59,79", 1 * 8.9}, {"90,79", 2 * 9.9}, {"130,79", 3 * 9.9}, {"161,79", 45.6 * 0.99}};
    for (const auto& [drum, offset] : drums) EXPECT_NEAR(bed.element(drum).offsetY, offset, 1e-9) << drum;
    EXPECT_EQ(bed.element("133,172").text, "29.92");
    EXPECT_EQ(bed.element("54,173").text, "1013");
}

}  // namespace
}  // namespace tj20::test
