// Transponder head: the code readout and the three local selectors.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

TEST(Transponder, ShowsTheCodeAsFourDigits) {
    Bed bed{{.modules = {"rl_tj20_comm_xpdr"}}};
    const std::pair<std::uint32_t, const char*> codes[] = {{0x7700, "7700"}, {0x0, "0000"}, {0x0021, "0021"}};
    for (const auto& [packed, shown] : codes) {
        bed.digits(sim::TransponderCode, packed);
        bed.run(1);
        EXPECT_EQ(bed.element("179,24").text, shown);
    }
}

// Each row: a selector's area, the position it shows after the clicks so far.
TEST(Transponder, SelectorsStayWithinTheirPositionsAndSendNothing) {
    Bed bed{{.modules = {"rl_tj20_comm_xpdr"}}};
    const Pt modeUp{110, 80}, modeDown{85, 80}, twoPosition{320, 90}, threeUp{355, 25}, threeDown{335, 25};
    const struct {
        Pt area;
        int clicks;
        Position element;
        int shown;
    } steps[] = {
        {modeDown, 1, "74,57", 0},     {modeUp, 4, "74,57", 3},       {modeDown, 1, "74,57", 2},
        {twoPosition, 1, "293,62", 1}, {twoPosition, 1, "293,62", 0}, {threeUp, 3, "330,13", 2},
        {threeDown, 1, "330,13", 1},   {threeDown, 2, "330,13", 0},
    };
    for (const auto& s : steps) {
        bed.clicks(s.area, s.clicks);
        bed.run(1);
        EXPECT_EQ(bed.element(s.element).state, s.shown) << s.area.x << ',' << s.area.y;
    }
    EXPECT_TRUE(bed.keyIds().empty());
}

}  // namespace
}  // namespace tj20::test
