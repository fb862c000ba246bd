// The ice protection panel: the probe heat meter and the probe heat commands.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Pt ProbeUp{270, 90}, ProbeDown{230, 90};

struct IcePanel : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_iceprotect"}}};
};

TEST_F(IcePanel, MeterMovesTwoPerUpdateTowardTheSelectedProbe) {
    using V = std::vector<std::uint32_t>;
    struct Case {
        std::uint32_t selector, from;
        V meter;  // after each update
    };
    for (const auto& c :
         {Case{4, 10, V{12, 14, 14, 14}}, Case{9, 10, V{8, 6, 4, 2, 0, 0}}, Case{1, 0, V{2, 4, 6, 8, 10, 10}},
          Case{7, 12, V{10, 8, 8}}, Case{5, 14, V{12, 12}}, Case{0, 1, V{0, 0}}}) {
        bed.set("metersel", c.selector);
        bed.set("meter", c.from);
        V meter;
        for (std::size_t i = 0; i < c.meter.size(); ++i) {
            bed.run(1);
            meter.push_back(*bed.shared("meter"));
        }
        EXPECT_EQ(meter, c.meter) << "selector " << c.selector << " from " << c.from;
    }
}

TEST_F(IcePanel, ProbeHeatIsCommandedOnEveryClickEvenAtTheEndStops) {
    bed.click(ProbeDown);
    bed.clicks(ProbeUp, 10);
    EXPECT_EQ(bed.shared("metersel"), 9u);
    bed.clicks(ProbeDown, 9);
    std::vector<std::uint32_t> expected(12, key::PitotHeatOn);
    expected.front() = expected.back() = key::PitotHeatOff;  // only the down click that reaches 0
    EXPECT_EQ(bed.sent(), expected);
}

}  // namespace
}  // namespace tj20::test
