// The annunciator's 41 lights from a quiet aircraft (every light out): each case sets a few
// values ("name=value": shared variables in lower case, simulator variables by their name),
// runs an update, optionally sets more and runs another, and names every light then shown,
// so a condition wired to the wrong light or a threshold off by one shows up. The host stands
// in for the gauges that publish the values.
#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>
#include <string>

#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr const char* Annunciator = "rl_tj20_annunpnl";

constexpr At LEngAi{150, 5}, REngAi{223, 5}, LFuelHeat{297, 5}, RFuelHeat{370, 6}, YawDamp{444, 6},
    RudderTravel{588, 6}, ElevatorPwr{734, 6}, Spoiler{806, 6}, RadioFan{5, 31}, WingAi{151, 31}, TailDeice{225, 31},
    EngSync{298, 30}, ParkBrake{735, 31}, RudderManual{807, 31}, ApuGenOff{5, 55}, PitotOff{224, 55},
    LStartValve{296, 55}, RStartValve{369, 55}, ApuStarter{588, 55}, SpeedBrake{661, 55}, LGenOff{5, 105},
    RGenOff{78, 105}, LOilLow{296, 104}, ROilLow{369, 104}, FireLoop{587, 105}, ApuOilLow{662, 105}, LHydLow{735, 105},
    RHydLow{808, 105}, LCsdOil{5, 129}, RCsdOil{78, 128}, LInletLow{296, 129}, RInletLow{368, 129}, CabinAlt{441, 129},
    LOutbdSkid{734, 130}, ROutbdSkid{807, 130}, EmerLight{5, 154}, AcEmerBus{443, 154}, DcEmerBus{516, 154},
    GpwsFail{661, 154}, LInbdSkid{734, 155}, RInbdSkid{807, 155};

// clang-format off
const std::map<std::string, std::uint32_t> simNames{
    {"Engine1AntiIce", sim::Engine1AntiIce}, {"Engine2AntiIce", sim::Engine2AntiIce}, {"YawDamper", sim::YawDamper},
    {"Airspeed", sim::IndicatedAirspeed}, {"Elevator", sim::ElevatorSurface}, {"Spoiler", sim::SpoilerSurface},
    {"ParkingBrake", sim::ParkingBrake}, {"PitotHeat", sim::PitotHeat}, {"SpeedBrake", sim::SpeedBrakeHandle},
    {"LeftFlap", sim::LeftFlap}, {"RightFlap", sim::RightFlap}, {"Gen1", sim::Engine1GeneratorSwitch},
    {"Gen2", sim::Engine2GeneratorSwitch}, {"N2a", sim::Engine1N2}, {"N2b", sim::Engine2N2}};
// clang-format on

// Generators on line, engines turning, yaw damper and probe heat on, fast, hydraulics up,
// anti-skid and emergency lights armed, one boost pump on each side.
constexpr const char* Quiet =
    "Gen1=1 Gen2=1 N2a=60 N2b=60 YawDamper=1 PitotHeat=1 Airspeed=250 antiskidsw=1 emerlts=1 lhydpressure=3000 "
    "rhydpressure=3000 lfwdfuelpumpsw=1 rfwdfuelpumpsw=1";
constexpr const char* NoPump = "lfwdfuelpumpsw=0 rfwdfuelpumpsw=0 ";
constexpr const char* NoGen = "Gen1=0 Gen2=0 ";

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

struct Case {
    std::string first, then;
    std::vector<At> shown;
};

struct AnnunciatorPanel : ::testing::Test {
    Bed bed{{.modules = {"rl_tj20_main_master_variables", Annunciator},
             .standIns = words("rpm apustartsw lstrtvlv rstrtvlv pneupress lengfire rengfire lfwdfuelpumpsw "
                               "laftfuelpumpsw cfwdfuelpumpsw caftfuelpumpsw rfwdfuelpumpsw raftfuelpumpsw startpump "
                               "lfuelheat rfuelheat cabinalt radiorack apulbuslt apurbuslt antiskidtest antiskidsw "
                               "lairfoil rairfoil taildeice extlbuslt extrbuslt emerpwrsw")}};

    void apply(const std::string& values) {
        for (const auto& item : words(values)) {
            const auto eq = item.find('=');
            const std::string name = item.substr(0, eq);
            const double value = std::stod(item.substr(eq + 1));
            if (std::islower(name[0]))
                bed.set(name, std::uint32_t(value));
            else
                bed.sim(simNames.at(name), value);
        }
    }
    void quiet() {
        bed.reload();
        apply(Quiet);
    }
    static std::string at(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    std::vector<std::string> shownNow() const {
        std::vector<std::string> out;
        const auto all = bed.elements(Annunciator);
        for (std::size_t i = 1; i < all.size(); ++i)
            if (all[i].visible) out.push_back(at(all[i].x, all[i].y));
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(AnnunciatorPanel, EachLightAtItsThresholds) {
    const std::string x = NoPump, g = NoGen;
    const Case cases[] = {
        {"", "", {}},
        {"Engine1AntiIce=1", "", {LEngAi}},
        {"Engine2AntiIce=1", "", {REngAi}},
        {"YawDamper=0", "", {YawDamp}},
        {"Airspeed=179.9", "", {RudderTravel}},
        {"Airspeed=180", "", {}},
        {"lhydactive=1 Elevator=-0.3015", "", {ElevatorPwr}},  // -301
        {"lhydactive=1 Elevator=-0.3", "", {}},
        {"Elevator=-0.3015", "", {}},
        {"lhydlowactive=1 Spoiler=0.281", "", {Spoiler}},
        {"rhydlowactive=1 Spoiler=-0.281", "", {Spoiler}},
        {"lhydlowactive=1 Spoiler=0.28", "", {}},
        {"Spoiler=0.281", "", {}},
        {"radiorack=1", "", {RadioFan}},
        {"lairfoil=1", "", {WingAi}},
        {"rairfoil=1 taildeice=1", "", {TailDeice}},
        {"taildeice=1", "", {}},
        {"engsync=2", "", {EngSync}},
        {"ParkingBrake=10000.5", "", {ParkBrake}},
        {"ParkingBrake=10000", "", {}},
        {"rhydpressure=949", "", {RudderManual}},
        {"rhydpressure=950", "", {}},
        {"rudhyd=1", "", {RudderManual}},
        {"rpm=190", "", {}},
        {"rpm=191", "", {ApuGenOff}},
        {"rpm=219", "", {ApuGenOff}},
        {"rpm=220", "", {}},
        {"rpm=200 apulbuslt=1", "", {}},
        {"rpm=200 apurbuslt=1", "", {}},
        {"PitotHeat=0", "", {PitotOff}},
        {"lstrtvlv=2 pneupress=21", "", {LStartValve}},
        {"rstrtvlv=2 pneupress=21", "", {RStartValve}},
        {"lstrtvlv=2 rstrtvlv=2 pneupress=20", "", {}},
        {"lstrtvlv=1 pneupress=40", "", {}},
        {"apustartsw=2 rpm=74", "", {ApuStarter}},
        {"apustartsw=2 rpm=75", "", {}},
        {"apustartsw=2 rpm=76", "apustartsw=1 rpm=74", {ApuStarter}},  // the latch holds to 76
        {"apustartsw=2 rpm=77", "apustartsw=1 rpm=74", {}},
        {"SpeedBrake=4801.5 RightFlap=410.5", "", {SpeedBrake}},
        {"SpeedBrake=4801.5 LeftFlap=410.5", "", {SpeedBrake}},
        {"SpeedBrake=4801 LeftFlap=500", "", {}},
        {"SpeedBrake=5000 LeftFlap=410 RightFlap=410", "", {}},
        {"Gen1=0", "", {LGenOff}},
        {"Gen2=0", "", {RGenOff}},
        {g, "", {LGenOff, RGenOff, AcEmerBus, DcEmerBus}},
        {g + "apurbuslt=1", "", {LGenOff, RGenOff}},
        {g + "extlbuslt=1", "", {LGenOff, RGenOff}},
        {g + "emerpwrsw=1", "", {LGenOff, RGenOff}},
        {"N2a=7.9", "", {LOilLow, LCsdOil}},
        {"N2b=7.9", "", {ROilLow, RCsdOil}},
        {"N2a=8 N2b=8", "", {}},
        {"lengfire=4", "", {FireLoop}},
        {"rengfire=7", "", {FireLoop}},
        {"lengfire=3 rengfire=3", "", {}},
        {"rpm=1", "", {}},
        {"rpm=2", "", {ApuOilLow}},
        {"rpm=69", "", {ApuOilLow}},
        {"rpm=70", "", {}},
        {"lhydpressure=1500", "lhydpressure=950", {}},
        {"lhydpressure=899", "", {LHydLow}},
        {"lhydpressure=899", "lhydpressure=1000", {LHydLow}},
        {"lhydpressure=899", "lhydpressure=1001", {}},
        {"rhydpressure=899", "rhydpressure=1000", {RHydLow}},
        {x + "startpump=1 fuelxfd=1", "", {}},  // the start pump reaches the left engine through the crossfeed
        {x + "startpump=1", "", {LInletLow}},
        {x, "", {LInletLow, RInletLow}},
        {x + "caftfuelpumpsw=1", "", {}},
        {x + "cfwdfuelpumpsw=1", "", {}},
        {x + "laftfuelpumpsw=1", "", {RInletLow}},
        {x + "laftfuelpumpsw=1 fuelxfd=1", "", {}},
        {x + "raftfuelpumpsw=1", "", {LInletLow}},
        {x + "rfwdfuelpumpsw=1 fuelxfd=1", "", {}},
        {"cabinalt=10001", "", {CabinAlt}},
        {"cabinalt=10000", "", {}},
        {"antiskidsw=0", "", {LOutbdSkid, ROutbdSkid, LInbdSkid, RInbdSkid}},
        {"antiskidtest=1", "", {LOutbdSkid, ROutbdSkid, LInbdSkid, RInbdSkid}},
        {"emerlts=0", "", {EmerLight}},
        {"gpwstest=1", "", {GpwsFail}},
        {"gpwstest=2", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first + " / " + c.then);
        quiet();
        apply(c.first);
        bed.run(1);
        apply(c.then);
        bed.run(1);
        std::vector<std::string> expected;
        for (const At& a : c.shown) expected.push_back(at(a.x, a.y));
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(shownNow(), expected);
    }
}

TEST_F(AnnunciatorPanel, LightsTestShowsEveryLightButTheFuelHeatLights) {
    quiet();
    bed.set("lightstestsw", 1);
    bed.run(1);
    EXPECT_EQ(shownNow().size(), 39u);
    EXPECT_FALSE(bed.element(LFuelHeat).visible || bed.element(RFuelHeat).visible);
}

// Switched on for 10 ticks, a fuel heat light stays on until 1080 ticks after the switch-on,
// also when the tick counter steps over that tick; the other switch held on keeps its light.
TEST_F(AnnunciatorPanel, FuelHeatLightsStayOnAMinuteAfterSwitchOn) {
    for (double step : {1.0, 7.0}) {
        SCOPED_TRACE(::testing::Message() << "tick step " << step);
        quiet();
        apply("lfuelheat=1 rfuelheat=1");
        bed.run(1, step);
        const double on = bed.tick();
        bed.run(int(10 / step) + 1, step);
        bed.set("lfuelheat", 0);
        while (bed.tick() + step < on + 1080) {
            bed.run(1, step);
            ASSERT_TRUE(bed.element(Annunciator, LFuelHeat).visible) << "tick " << bed.tick();
        }
        bed.run(1, step);
        EXPECT_FALSE(bed.element(Annunciator, LFuelHeat).visible) << "tick " << bed.tick();
        EXPECT_TRUE(bed.element(Annunciator, RFuelHeat).visible);
    }
}

}  // namespace
}  // namespace tj20::test
