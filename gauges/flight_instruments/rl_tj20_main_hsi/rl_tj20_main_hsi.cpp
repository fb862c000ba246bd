// Horizontal situation indicator: the compass card turning with the heading, the selected
// heading marker, the course pointer with its TO and FROM arrows (or the no-signal marker),
// the course deviation bar, the glide-slope pointers behind shutters that open while a glide
// slope is received, and the two DME distance drums. Heading, course and bearing needles
// sit on full-circle dials. A pure display: everything happens in the element callbacks.
#include <cmath>
#include <numbers>

#include "tj20/gauge.h"

namespace {
using namespace tj20;

constexpr double Radians = std::numbers::pi / 180;
constexpr double DeviationPixels = 0.4330709;   // along the bar's axis, per lateral needle unit
constexpr double GlideSlopePixels = 0.5166667;  // per glide-slope needle unit
constexpr double DrumPixels = 9.9;              // per digit
constexpr abi::u32 FullCircle = 360;

constinit SimTable simvars{
    sim::Heading,           sim::SelectedHeading,      sim::Nav1IndicatedCourse,    sim::Nav1ToFrom,
    sim::Nav1LateralNeedle, sim::Nav1GlideSlopeNeedle, sim::Nav1GlideSlopeReceived, sim::Dme1Distance,
    sim::Dme2Distance};

// Where a direction lies on the card, clockwise from the lubber line.
double relativeBearing(double direction) {
    double r = direction + 360 - simvars[sim::Heading];
    if (r > 359) r -= 360;
    return r;
}
double course() { return relativeBearing(simvars[sim::Nav1IndicatedCourse]); }

// The deviation bar lies across the course pointer.
double deviationBarTurn() {
    double r = course() + 90;
    if (r > 359) r -= 360;
    return -r * Radians;
}

// Distance drums: hundreds, tens and units of a distance, each turning with the one below.
double hundreds(double v) { return std::fmod((v - std::fmod(v, 100)) / 100, 10); }
double tens(double v) { return std::fmod((v - std::fmod(v, 10)) / 10, 10); }
double units(double v) { return std::fmod(v, 10); }

template <SimVar Distance, double (*Digit)(double)>
constexpr Element drum(abi::u32 bitmap, Point at) {
    return movingImage(
        bitmap, at, 0.0, [] { return 0; }, DrumPixels, [] { return Digit(simvars[Distance]); });
}

constinit NeedleTable headingScale{NeedlePoint{0, 152, 51}, NeedlePoint{90, 279, 181}, NeedlePoint{180, 153, 311},
                                   NeedlePoint{270, 25, 182}};
constinit NeedleTable courseScale{NeedlePoint{0, 152, 52}, NeedlePoint{90, 283, 180}, NeedlePoint{180, 153, 316},
                                  NeedlePoint{270, 22, 183}};
constinit NeedleTable toScale{NeedlePoint{0, 152, 53}, NeedlePoint{90, 279, 181}, NeedlePoint{180, 153, 309},
                              NeedlePoint{270, 25, 182}};
constinit NeedleTable fromScale{NeedlePoint{0, 152, 54}, NeedlePoint{90, 278, 181}, NeedlePoint{180, 153, 308},
                                NeedlePoint{270, 24, 183}};
constinit NeedleTable noSignalScale{NeedlePoint{0, 152, 55}, NeedlePoint{90, 279, 181}, NeedlePoint{180, 153, 309},
                                    NeedlePoint{270, 26, 182}};

constexpr Point Centre{152, 182};

constinit Chain elements{
    image(0x100),
    sprite(
        0x1100, Centre, {150, 150}, [] { return 0; }, [] { return 0; },
        [] { return simvars[sim::Heading] * Radians; }),  // compass card
    sprite(
        0x1200, Centre, {3, 45}, [] { return simvars[sim::Nav1LateralNeedle] * DeviationPixels; }, [] { return 0; },
        [] { return deviationBarTurn(); }),
    needle(0x1300, Centre, {6, 130}, courseScale, [] { return course(); }).period(FullCircle),
    needle(0x1400, Centre, {6, 128}, toScale, [] { return course(); }).period(FullCircle).visibleWhen([] {
        return simvars[sim::Nav1ToFrom] == 1.0;
    }),
    needle(0x1500, Centre, {6, 128}, fromScale, [] { return course(); }).period(FullCircle).visibleWhen([] {
        return simvars[sim::Nav1ToFrom] == -1.0;
    }),
    needle(0x1600, Centre, {6, 128}, noSignalScale, [] { return course(); }).period(FullCircle).visibleWhen([] {
        return simvars[sim::Nav1ToFrom] == 0.0;
    }),
    needle(0x1700, Centre, {8, 131}, headingScale, [] { return relativeBearing(simvars[sim::SelectedHeading]); })
        .period(FullCircle),
    slider(
        0x1800, {0, 165}, 0.0, [] { return 0; }, GlideSlopePixels, [] { return simvars[sim::Nav1GlideSlopeNeedle]; }),
    slider(
        0x1800, {293, 165}, 0.0, [] { return 0; }, GlideSlopePixels, [] { return simvars[sim::Nav1GlideSlopeNeedle]; }),
    icon(0x1900, {0, 87}, 1, [] { return 0; }).visibleWhen([] { return simvars[sim::Nav1GlideSlopeReceived] != 1.0; }),
    icon(0x1900, {287, 87}, 1, [] { return 0; }).visibleWhen([] {
        return simvars[sim::Nav1GlideSlopeReceived] != 1.0;
    }),
    drum<sim::Dme1Distance, hundreds>(0x1a00, {12, 17}),
    drum<sim::Dme1Distance, tens>(0x1a00, {45, 17}),
    drum<sim::Dme1Distance, units>(0x1a00, {79, 8}),
    drum<sim::Dme2Distance, hundreds>(0x1a00, {197, 17}),
    drum<sim::Dme2Distance, tens>(0x1a00, {230, 17}),
    drum<sim::Dme2Distance, units>(0x1a00, {265, 8}),
    icon(0x1b00, {0, 0}, 1, [] { return 0; }),  // MILES labels, lubber line, scale dots
};
}  // namespace

TJ20_GAUGE(rl_tj20_main_hsi, .sim = simvars, .elements = elements)
