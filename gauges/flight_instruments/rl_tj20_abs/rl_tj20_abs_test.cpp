// The autobrake panel: the simulator's setting brought to OFF at the first draw, the selector's
// steps (two between MED and MAX), and the arm switch, which cannot arm at OFF and commands
// nothing.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Pt Up{60, 110}, Down{30, 110}, Arm{25, 40};
constexpr std::uint32_t U = key::AutobrakeStepUp, D = key::AutobrakeStepDown;

TEST(Autobrake, SelectorStepsTheSimulatorSettingAndTheArmSwitchArmsOffOff) {
    Bed bed{{.modules = {"rl_tj20_abs"}}};
    EXPECT_EQ(bed.sent(), (std::vector<std::uint32_t>{D, D, D, D, D, U})) << "first draw";
    struct Step {
        Pt at;
        int position, armed;
        std::vector<std::uint32_t> sent;
    } steps[] = {{Arm, 1, 0, {}}, {Up, 2, 0, {U}},      {Up, 3, 0, {U}},   {Up, 4, 0, {U, U}}, {Up, 4, 0, {U, U}},
                 {Arm, 4, 1, {}}, {Down, 3, 1, {D, D}}, {Down, 2, 1, {D}}, {Down, 1, 1, {D}},  {Arm, 1, 0, {}},
                 {Arm, 1, 0, {}}, {Down, 0, 0, {D}},    {Down, 0, 0, {D}}, {Arm, 0, 1, {}},    {Up, 1, 1, {U}}};
    for (const auto& s : steps) {
        bed.click(s.at);
        bed.run(1);
        EXPECT_EQ(bed.sent(), s.sent) << "to " << s.position;
        EXPECT_EQ(bed.element("26,92").state, s.position);
        EXPECT_EQ(bed.element("14,24").state, s.armed);
    }
}

}  // namespace
}  // namespace tj20::test
