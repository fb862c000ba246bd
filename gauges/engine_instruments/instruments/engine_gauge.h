// What every engine instrument has in common: the 302 by 302 dial face, the needles turning
// over it, the lettering overlay that is always shown lit, the white readouts, and the scales
// laid round a dial. Each instrument (epr.h, spool_speed.h, egt.h, fuel_flow.h,
// oil_pressure.h) is written once over these and instantiated per engine by its two modules.
#pragma once

#include <cstddef>
#include <utility>

#include "tj20/gauge.h"

namespace tj20::engine_instruments {

inline constexpr Point DialCentre{151, 151};
inline constexpr Point NeedleCentre{6, 112};  // the point of the dial needle's bitmap on the pivot
inline constexpr Point SmallNeedleCentre{4, 34};

// Bitmaps: the face, the dial needle, a second needle where the instrument has one, and the
// lettering overlay (image 1 is the lettering; image 0, never shown, the bare face).
inline constexpr abi::u32 Face = 0x100, DialNeedle = 0x1100, SecondNeedle = 0x1200, Lettering = 0x1300;

// An arc of marks round a pivot: `fromDegrees` is the first mark's direction, clockwise from
// straight up, and the marks are spread evenly over `sweepDegrees`.
struct Arc {
    Point pivot;
    double radius;
    double fromDegrees;
    double sweepDegrees;
};
inline constexpr Arc DialArc{DialCentre, 110, -135, 270};

namespace detail {
inline constexpr double Pi = 3.14159265358979323846;

// Sine by its series, for laying out scales at compile time; |x| is at most π here.
constexpr double sine(double x) {
    double term = x, sum = x;
    for (int n = 1; n < 12; ++n) {
        term *= -x * x / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}
constexpr double wrapped(double radians) {
    while (radians > Pi) radians -= 2 * Pi;
    while (radians < -Pi) radians += 2 * Pi;
    return radians;
}
constexpr abi::i32 nearest(double v) { return static_cast<abi::i32>(v < 0 ? v - 0.5 : v + 0.5); }

constexpr NeedlePoint mark(const Arc& arc, std::size_t index, std::size_t marks, double value) {
    const double degrees =
        arc.fromDegrees + arc.sweepDegrees * static_cast<double>(index) / static_cast<double>(marks - 1);
    const double a = degrees * Pi / 180.0;
    return {value, nearest(arc.pivot.x + arc.radius * sine(wrapped(a))),
            nearest(arc.pivot.y - arc.radius * sine(wrapped(a + Pi / 2)))};
}
template <std::size_t... I>
constexpr NeedleTable<sizeof...(I)> scale(const Arc& arc, double first, double step, std::index_sequence<I...>) {
    return NeedleTable<sizeof...(I)>{mark(arc, I, sizeof...(I), first + step * static_cast<double>(I))...};
}
}  // namespace detail

// The needle table of a scale of `Marks` values from `first` in steps of `step`, laid round `arc`.
template <std::size_t Marks>
constexpr NeedleTable<Marks> scale(const Arc& arc, double first, double step) {
    return detail::scale(arc, first, step, std::make_index_sequence<Marks>{});
}

constexpr double clamp(double value, double lo, double hi) { return value < lo ? lo : (value > hi ? hi : value); }

constexpr Element face() { return image(Face); }

// The lettering overlay: always its lettered image, always lit.
constexpr Element lettering() {
    return icon(Lettering, {}, 2, [] { return 1; }).alwaysLit();
}

// A needle of the instrument, drawn lit whatever the panel lighting.
template <std::size_t N>
constexpr Element pointer(abi::u32 bitmap, Point pivot, Point centre, NeedleTable<N>& table, Source value) {
    return needle(bitmap, pivot, centre, table, value).alwaysLit();
}

// The readouts: white on black, "Courier New".
constexpr TextStyle readout(abi::u32 weight) { return {White, 0x000000, 0x000000, "Courier New", weight}; }

}  // namespace tj20::engine_instruments
