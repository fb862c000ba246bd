// Cabin pressure indicators: cabin altitude, cabin differential and cabin climb, with the air
// conditioning shutoff, ram air and lights test switches.
//
// While either engine turns (N2 above 25 %) the cabin altitude is scheduled from the
// aircraft altitude A (feet = metres x 3.28) as A / k, k by 4000 ft band:
//
//   below 10000  9.09     18000-22000  6.66     30000-34000  5.0
//   10000-14000  8.23     22000-26000  6.06     34000-38000  4.7
//   14000-18000  7.2      26000-30000  5.55
//
// At a band edge itself, above 38000 ft, or with both engines stopped the cabin altitude
// stays where it is. The differential is A minus the cabin altitude on every update. Both
// are whole feet and never negative: an airfield below sea level, or a descent below the
// cabin altitude held with the engines stopped, reads 0. The climb needle shows the
// aircraft's vertical speed scaled to the cabin rate (1/8).
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(aircondshutoff, ramair, lightstestsw, diffpress, cabinalt, cabclimb);
TJ20_BOUND(ohpanel);

constexpr double RunningN2 = 25;  // percent: above it an engine pressurises the cabin
constexpr double FeetPerMetre = 3.28;
constexpr double CabinRateScale = 60 * 0.125;  // feet per second to the needle's feet per minute

// Upper edge of each schedule band, feet, and its divisor; the first band has no lower edge.
struct Band {
    double top;
    double k;
};
constexpr Band schedule[] = {{10000, 9.09}, {14000, 8.23}, {18000, 7.2}, {22000, 6.66},
                             {26000, 6.06}, {30000, 5.55}, {34000, 5.0}, {38000, 4.7}};

struct State {
    PanelLighting lighting{ohpanel};
};
State st;

constinit SimTable simvars{sim::Engine1N2, sim::Engine2N2, sim::AltitudeMetres, sim::VerticalSpeed};

constinit NeedleTable cabinAltitudeScale{
    NeedlePoint{0, 83, 28},     NeedlePoint{8000, 131, 164}, NeedlePoint{10000, 97, 179}, NeedlePoint{15000, 13, 141},
    NeedlePoint{20000, 2, 120}, NeedlePoint{25000, 2, 101},  NeedlePoint{30000, 0, 86},
};
constinit NeedleTable differentialScale{
    NeedlePoint{0, 82, 34},      NeedlePoint{1800, 115, 54},   NeedlePoint{4050, 139, 80},  NeedlePoint{6400, 146, 113},
    NeedlePoint{8900, 137, 140}, NeedlePoint{11900, 104, 159}, NeedlePoint{15600, 68, 161}, NeedlePoint{19500, 34, 144},
    NeedlePoint{26000, 28, 123}, NeedlePoint{29000, 19, 118},
};
constinit NeedleTable climbScale{
    NeedlePoint{-1500, 108, 259}, NeedlePoint{-1000, 92, 288}, NeedlePoint{-500, 54, 300},  NeedlePoint{0, 14, 253},
    NeedlePoint{500, 52, 210},    NeedlePoint{1000, 93, 219},  NeedlePoint{1500, 107, 245},
};

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x1700),
    needle(0x1400, {82, 102}, {65, 69}, cabinAltitudeScale,
           [] { return cabinalt.get() < 30000 ? cabinalt.get() : 30000u; })
        .litWhen(st.lighting.lit()),
    needle(0x1500, {82, 103}, {69, 70}, differentialScale, diffpress).litWhen(st.lighting.lit()),
    needle(0x1600, {61, 254}, {40, 40}, climbScale, [] { return simvars[sim::VerticalSpeed] * CabinRateScale; })
        .litWhen(st.lighting.lit()),
    icon(0x1100, {173, 59}, 2, aircondshutoff),
    icon(0x1200, {173, 134}, 2, ramair),
    icon(0x1300, {116, 218}, 2, lightstestsw),
};

constinit Areas areas{
    toggleArea<aircondshutoff>({173, 77, 34, 34}),
    toggleArea<ramair>({172, 152, 36, 34}),
    toggleArea<lightstestsw>({118, 218, 37, 33}),
};

// The divisor of the band strictly holding the altitude (compared in metres, as the
// simulator gives it); none at a band edge or above the last band.
const Band* bandOf(double metres) {
    double bottom = 0;
    for (const Band& b : schedule) {
        const double top = b.top / FeetPerMetre;
        if ((&b == schedule || metres > bottom) && metres < top) return &b;
        bottom = top;
    }
    return nullptr;
}

void update() {
    const double metres = simvars[sim::AltitudeMetres];
    const double feet = metres * FeetPerMetre;
    if (simvars[sim::Engine1N2] > RunningN2 || simvars[sim::Engine2N2] > RunningN2) {
        if (const Band* b = bandOf(metres)) cabinalt.set(saturate<u32>(feet / b->k));
    }
    diffpress.set(saturate<u32>(feet - cabinalt.get()));
    st.lighting.follow();
}

void reset() {
    st = {};
    setAll(0, aircondshutoff, ramair, lightstestsw, diffpress, cabinalt, cabclimb, ohpanel);
}
}  // namespace

TJ20_GAUGE(rl_tj20_cabinpress, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
