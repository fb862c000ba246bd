#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr double FeetPerMetre = 3.28;
double metres(double feet) { return feet / FeetPerMetre; }

struct CabinPressure : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", "rl_tj20_cabinpress"}}};
};

// Each band's divisor strictly inside it; nothing written at an edge, above 38000 ft or with
// both engines at or below 25 % N2; never a negative value.
TEST_F(CabinPressure, CabinAltitudeFollowsTheScheduleBands) {
    struct Case {
        const char* what;
        double n2Left, n2Right, altitude;  // metres
        std::uint32_t cabin, diff;         // expected, the cabin altitude being 777 before
    };
    const double edge10 = metres(10000), edge38 = metres(38000);
    const auto diff = [](double m, std::uint32_t cabin) { return std::uint32_t(m * FeetPerMetre - cabin); };
    const Case cases[] = {
        {"9000 m, 26000-30000 band", 30, 0, 9000, 5318, 24202},
        {"1000 m, lowest band", 0, 30, 1000, 360, 2920},
        {"on the ground", 30, 30, 0, 0, 0},
        {"exactly 10000 ft: kept", 30, 0, edge10, 777, diff(edge10, 777)},
        {"just above 10000 ft", 30, 0, edge10 + 0.01, 1215, diff(edge10 + 0.01, 1215)},
        {"just below 10000 ft", 30, 0, edge10 - 0.01, 1100, diff(edge10 - 0.01, 1100)},
        {"16000 ft", 30, 0, metres(16000), 2222, diff(metres(16000), 2222)},
        {"20000 ft", 30, 0, metres(20000), 3003, diff(metres(20000), 3003)},
        {"24000 ft", 30, 0, metres(24000), 3960, diff(metres(24000), 3960)},
        {"32123 ft", 30, 0, metres(32123), 6424, diff(metres(32123), 6424)},
        {"37000 ft", 30, 0, metres(37000), 7872, diff(metres(37000), 7872)},
        {"exactly 38000 ft: kept", 30, 0, edge38, 777, diff(edge38, 777)},
        {"above 38000 ft: kept", 30, 0, edge38 + 100, 777, diff(edge38 + 100, 777)},
        {"both engines at 25 %: kept", 25, 25, 9000, 777, 29520 - 777},
        {"right engine just above 25 %", 0, 25.01, 9000, 5318, 24202},
        {"field below sea level reads 0", 30, 0, -100, 0, 0},
        {"descent below the kept cabin altitude reads 0", 0, 0, 200, 777, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bed.set("cabinalt", 777);
        bed.sim(sim::Engine1N2, c.n2Left);
        bed.sim(sim::Engine2N2, c.n2Right);
        bed.sim(sim::AltitudeMetres, c.altitude);
        bed.run(1);
        EXPECT_EQ(bed.shared("cabinalt"), c.cabin);
        EXPECT_EQ(bed.shared("diffpress"), c.diff);
    }
}

TEST_F(CabinPressure, NeedlesShowCabinAltitudeUpTo30000DifferentialAndClimb) {
    bed.set("ohpanel", 1);
    bed.set("cabinalt", 45000);  // engines stopped: kept
    bed.sim(sim::AltitudeMetres, 16000);
    bed.sim(sim::VerticalSpeed, 10);  // feet per second
    bed.run(1);
    EXPECT_EQ(bed.element("82,102").value, 30000.0);
    EXPECT_EQ(bed.element("82,103").value, 7480.0);  // 52480 ft less the kept 45000
    EXPECT_EQ(bed.element("61,254").value, 75.0);
    for (const At needle : {"82,102", "82,103", "61,254"}) EXPECT_TRUE(bed.element(needle).lit) << needle;
}

}  // namespace
}  // namespace tj20::test
