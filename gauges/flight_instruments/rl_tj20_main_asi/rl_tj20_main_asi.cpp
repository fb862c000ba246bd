// Airspeed indicator: the airspeed needle, the maximum operating speed (barber pole) needle,
// the autopilot's speed target needle, a two-digit Mach window shown above Mach 0.40, and four
// speed markers the crew sets with their arrows. The markers keep their order with at least
// 3 knots between neighbours: raising one pushes those above it, lowering one pulls those
// below it along.
#include <cmath>
#include <cstdint>

#include "tj20/gauge.h"

namespace {
using namespace tj20;

using Knots = std::int32_t;

constexpr double MaxSpeedUnitsPerKnot = 128;
constexpr double MachPercentPerUnit = 3.2 / 65536 * 100;  // Mach × 100 per unit of the raw Mach number
constexpr double MachWindowAbove = 40;                    // Mach × 100
constexpr double DrumPixels = 9.9;

struct State {
    Knots marker[4] = {};  // markers 1 to 4
};
State st;

constinit SimTable simvars{sim::MachNumberRaw};

double machPercent() { return simvars[sim::MachNumberRaw] * MachPercentPerUnit; }
constexpr Cond machShown{[] { return machPercent() > MachWindowAbove; }};

// One dial for every needle.
constinit NeedleTable dial{
    NeedlePoint{0, 82, 17},    NeedlePoint{60, 93, 2},     NeedlePoint{80, 132, 26},   NeedlePoint{100, 162, 54},
    NeedlePoint{120, 171, 94}, NeedlePoint{140, 159, 135}, NeedlePoint{160, 128, 163}, NeedlePoint{180, 105, 170},
    NeedlePoint{200, 81, 170}, NeedlePoint{250, 32, 142},  NeedlePoint{300, 17, 111},  NeedlePoint{350, 19, 76},
    NeedlePoint{400, 34, 45},  NeedlePoint{450, 60, 23},
};

constexpr Point Pivot{92, 94};

template <int N>
constexpr Element markerNeedle(abi::u32 bitmap) {
    return needle(bitmap, Pivot, {4, 80}, dial, [] { return st.marker[N]; });
}

constinit Chain elements{
    image(0x100),
    movingImage(
        0x1100, {78, 48}, 0.0, [] { return 0; }, DrumPixels,
        [] { return std::fmod((machPercent() - std::fmod(machPercent(), 10)) / 10, 10); })
        .visibleWhen(machShown),
    movingImage(
        0x1100, {93, 50}, 0.0, [] { return 0; }, DrumPixels, [] { return std::fmod(machPercent(), 10); })
        .visibleWhen(machShown),
    markerNeedle<0>(0x1200),
    markerNeedle<1>(0x1200),
    markerNeedle<2>(0x1200),
    markerNeedle<3>(0x1200),
    needle(0x1300, Pivot, {6, 80}, dial, [](const Element& self) { return self.carried(); })
        .carries(sim::SelectedAirspeed),
    needle(0x1400, Pivot, {6, 80}, dial, [](const Element& self) { return self.carried() / MaxSpeedUnitsPerKnot; })
        .carries(sim::MaxOperatingSpeedRaw),
    needle(0x1500, Pivot, {6, 80}, dial, [](const Element& self) { return self.carried(); })
        .carries(sim::IndicatedAirspeed),
    icon(0x1600, {0, 0}, 1, [] { return 0; }),  // face overlay
};

// Raising marker n pushes each marker above it that comes within 2 knots up by one.
void raise(int n) {
    Knots* m = st.marker;
    ++m[n];
    for (int i = n; i < 3; ++i)
        if (m[i] == m[i + 1] - 2) ++m[i + 1];
}

// Lowering marker n first takes the marker below along when it sits exactly 3 knots below,
// then sets each lower marker that came within 2 knots to 3 knots below its neighbour.
void lower(int n) {
    Knots* m = st.marker;
    if (n > 0 && m[n - 1] == m[n] - 3) --m[n - 1];
    --m[n];
    for (int i = n - 1; i > 0; --i)
        if (m[i - 1] == m[i] - 2) m[i - 1] = m[i] - 3;
}

template <int N>
constexpr abi::MouseRect up(Box box) {
    return repeat<[] { raise(N); }>(box, Cursor::UpArrow);
}
template <int N>
constexpr abi::MouseRect down(Box box) {
    return repeat<[] { lower(N); }>(box, Cursor::DownArrow);
}

constinit Areas areas{
    up<0>({120, 11, 49, 27}), down<0>({23, 11, 57, 27}), up<1>({120, 43, 49, 30}),  down<1>({23, 43, 57, 30}),
    up<2>({120, 78, 49, 30}), down<2>({22, 78, 58, 30}), up<3>({120, 116, 49, 30}), down<3>({22, 116, 58, 30}),
};

void reset() {
    st = {};
    st.marker[0] = 60;
    st.marker[1] = 63;
    st.marker[2] = 66;
    st.marker[3] = 69;
}
}  // namespace

TJ20_GAUGE(rl_tj20_main_asi, .sim = simvars, .elements = elements, .areas = areas, .reset = reset)
