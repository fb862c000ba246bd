// Attitude director indicator: the attitude sphere and bank pointer, the flight director's
// command bars (shown while the flight director is on), the glide-slope and localizer
// pointers, the fast/slow pointer against the autopilot's speed target, the inclinometer
// ball, and the DH light, lit while the radio height is at or below the decision height.
// A pure display: everything happens in the element callbacks.
#include <numbers>

#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_BOUND(dh);

constexpr double FeetPerMetre = 3.28084;
constexpr double Radians = std::numbers::pi / 180;
constexpr double SpherePixelsPerDegree = 3.1181102;
constexpr double BankLimit = 60;                                             // the bank pointer's scale ends
constexpr double BankBarLimit = 30, BankBarPixels = 1.9333333;               // degrees of bank error, px per degree
constexpr double PitchBarLimit = 10, PitchBarPixels = -2.7;                  // degrees of pitch error, px per degree
constexpr double GlideSlopePixels = 0.3458333, LocalizerPixels = 0.2834646;  // per needle unit
constexpr double SpeedPixels = -1.425, SpeedBand = 20;  // px per knot; shown strictly inside ±20 kt

constinit SimTable simvars{sim::Pitch,
                           sim::Bank,
                           sim::FlightDirectorPitch,
                           sim::FlightDirectorBank,
                           sim::FlightDirector,
                           sim::IndicatedAirspeed,
                           sim::SelectedAirspeed,
                           sim::Nav1LateralNeedle,
                           sim::Nav1GlideSlopeNeedle,
                           sim::SlipBall,
                           sim::RadioHeight};

constexpr double limit(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }
double speedError() { return simvars[sim::IndicatedAirspeed] - simvars[sim::SelectedAirspeed]; }

constinit NeedleTable bankScale{
    NeedlePoint{-60, 68, 81},  NeedlePoint{-45, 91, 66}, NeedlePoint{-30, 106, 42}, NeedlePoint{-20, 123, 35},
    NeedlePoint{-10, 141, 31}, NeedlePoint{0, 161, 30},  NeedlePoint{10, 179, 34},  NeedlePoint{20, 197, 37},
    NeedlePoint{30, 215, 44},  NeedlePoint{45, 235, 63}, NeedlePoint{60, 261, 82},
};
constinit NeedleTable ballScale{NeedlePoint{-127, 265, 147}, NeedlePoint{0, 265, 174}, NeedlePoint{127, 265, 201}};

constexpr Cond directorOn{[] { return simvars[sim::FlightDirector] != 0.0; }};
constexpr auto none = [] { return 0.0; };

constinit Chain elements{
    image(0x100),
    sprite(
        0x1100, {160, 139}, {160, 160}, none, [] { return simvars[sim::Pitch] * SpherePixelsPerDegree; },
        [] { return -simvars[sim::Bank] * Radians; }),
    icon(0x1200, {0, 0}, 1, none),  // face mask over the sphere
    needle(0x1300, {160, 139}, {5, 110}, bankScale, [] { return limit(simvars[sim::Bank], -BankLimit, BankLimit); }),
    icon(0x1400, {97, 127}, 1, none),  // aircraft symbol
    sprite(
        0x1500, {160, 139}, {3, 60},
        [] {
            return limit(simvars[sim::FlightDirectorBank] - simvars[sim::Bank], -BankBarLimit, BankBarLimit) *
                   BankBarPixels;
        },
        none, none)
        .visibleWhen(directorOn),
    sprite(
        0x1600, {160, 139}, {60, 3}, none,
        [] {
            return limit(simvars[sim::FlightDirectorPitch] - simvars[sim::Pitch], -PitchBarLimit, PitchBarLimit) *
                   PitchBarPixels;
        },
        none)
        .visibleWhen(directorOn),
    slider(0x1700, {259, 129}, 0.0, none, GlideSlopePixels, [] { return simvars[sim::Nav1GlideSlopeNeedle]; }),
    slider(
        0x1800, {154, 220}, LocalizerPixels, [] { return simvars[sim::Nav1LateralNeedle]; }, 0.0, none),
    slider(0x1900, {34, 129}, 0.0, none, SpeedPixels, [] { return speedError(); }).visibleWhen([] {
        return -SpeedBand < speedError() && speedError() < SpeedBand;
    }),
    needle(0x1a00, {151, 174}, {6, 6}, ballScale, [] { return -simvars[sim::SlipBall]; }),
    icon(0x1b00, {264, 34}, 2, [] { return 1; }).visibleWhen([] {
        return simvars[sim::RadioHeight] * FeetPerMetre <= static_cast<double>(dh.get());
    }),
};

void reset() { dh.set(0); }
}  // namespace

TJ20_GAUGE(rl_tj20_main_adi, .sim = simvars, .elements = elements, .reset = reset)
