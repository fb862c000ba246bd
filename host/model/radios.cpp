// Radios: the simulator tunes the radio heads' frequencies, code and courses.
//
// Frequencies and the transponder code are kept as the simulator keeps them, packed decimal
// digits of four bits each (SimState::setDigits); every tuning event steps one part of the
// value and wraps within its range without carrying into the next part, as the heads' knobs
// do. Digits above the four a head shows (a scenario may write NAV1 as 0x11030) are kept.
//
// - NAV1 (Nav1Frequency) and NAV2 (Nav2Frequency): the four digits after the leading 1. The
//   whole-megahertz events step 108 to 117, 117 up wraps to 108 and 108 down to 117; the
//   fraction events step .00 to .95 by .05, .95 up wraps to .00 and .00 down to .95. A value
//   outside the band steps to its first (up) or last (down) megahertz; a fraction off the
//   .05 raster steps to the next raster value above or below.
// - COM1 active (Com1Frequency) and standby (Com1StandbyFrequency): whole megahertz 118 to
//   136; the fraction on the 25 kHz raster, shown in two digits with the last figure dropped
//   (.00 .02 .05 .07 .10 ... .97), .97 up wraps to .00 and .00 down to .97.
// - NAV courses (Nav1Course, Nav2Course), degrees 0 to 359: the decrease and increase events
//   step one degree from the course rounded to the whole degree, wrapping through north; the
//   set events set the value they carry (taken modulo 360).
// - Transponder (TransponderCode): four octal digits; each event steps its digit up, 7 to 0,
//   leaving the others.
// - ADF: AdfFrequency holds the hundreds, tens and units of kilohertz, AdfExtendedFrequency
//   the thousands (bits 8 to 11) and the tenths (bits 0 to 3). The hundreds event steps the
//   hundreds together with the thousands through 1 to 17 (100 to 1799 kHz), 17 up wraps to 1;
//   the tens and units events step their digit 0 to 9, 9 wraps to 0.
#include <cmath>
#include <cstdint>

#include "tj20/ids.h"
#include "tj20host/model.h"

namespace tj20::host {

namespace {
using u32 = std::uint32_t;

u32 nibble(u32 packed, int k) { return (packed >> (4 * k)) & 0xFu; }
u32 withNibble(u32 packed, int k, u32 value) { return (packed & ~(0xFu << (4 * k))) | ((value & 0xFu) << (4 * k)); }

// `value` stepped by one (`up`) within lo..hi, wrapping; from outside the range, to its end.
u32 wrapStep(u32 value, bool up, u32 lo, u32 hi) {
    if (value < lo || value > hi) return up ? lo : hi;
    if (up) return value == hi ? lo : value + 1;
    return value == lo ? hi : value - 1;
}

// A band: whole megahertz from `low` to `high`, the fraction on a raster of `raster` kHz.
struct Band {
    u32 low, high, raster;
};
constexpr Band Nav{108, 117, 50}, Com{118, 136, 25};

// The whole megahertz of a NAV or COM frequency: 100 plus its two upper digits.
void stepWhole(SimState& s, u32 id, const Band& band, bool up) {
    const u32 v = s.digits(id);
    const u32 mhz = wrapStep(100 + nibble(v, 3) * 10 + nibble(v, 2), up, band.low, band.high) - 100;
    s.setDigits(id, withNibble(withNibble(v, 3, mhz / 10), 2, mhz % 10));
}

// A fraction in kHz stepped along a raster within 0 to 999.
u32 rasterStep(u32 khz, bool up, u32 raster) {
    constexpr u32 Span = 1000;
    if (up) return (khz / raster + 1) * raster % Span;
    const u32 below = (khz + raster - 1) / raster;  // raster values strictly below khz
    return below == 0 ? Span - raster : (below - 1) * raster;
}

// The fraction's two digits are tens of kHz; on the 25 kHz raster the dropped last figure is
// 5 after a 2 or a 7 (.12 is 125 kHz).
void stepFraction(SimState& s, u32 id, const Band& band, bool up) {
    const u32 v = s.digits(id);
    const u32 shown = nibble(v, 1) * 10 + nibble(v, 0);
    const u32 khz = shown * 10 + (band.raster == 25 && shown % 5 == 2 ? 5 : 0);
    const u32 next = rasterStep(khz, up, band.raster);
    s.setDigits(id, withNibble(withNibble(v, 1, next / 100), 0, next / 10 % 10));
}

void addTuner(SimModel& m, u32 frequency, Band band, KeyEvent wholeDown, KeyEvent wholeUp, KeyEvent fractionDown,
              KeyEvent fractionUp) {
    m.onKey(wholeDown, [=](SimState& s, u32) { stepWhole(s, frequency, band, false); });
    m.onKey(wholeUp, [=](SimState& s, u32) { stepWhole(s, frequency, band, true); });
    m.onKey(fractionDown, [=](SimState& s, u32) { stepFraction(s, frequency, band, false); });
    m.onKey(fractionUp, [=](SimState& s, u32) { stepFraction(s, frequency, band, true); });
}

// Course in whole degrees 0 to 359.
u32 wholeCourse(double degrees) {
    double c = std::fmod(std::nearbyint(degrees), 360.0);
    if (c < 0) c += 360.0;
    return static_cast<u32>(c);
}
void stepCourse(SimState& s, u32 id, bool up) { s.set(id, wrapStep(wholeCourse(s.get(id)), up, 0, 359)); }

void stepDigit(SimState& s, u32 id, int k, u32 last) {
    const u32 v = s.digits(id);
    s.setDigits(id, withNibble(v, k, nibble(v, k) >= last ? 0 : nibble(v, k) + 1));
}

void stepAdfHundreds(SimState& s) {
    const u32 v = s.digits(sim::AdfFrequency), ext = s.digits(sim::AdfExtendedFrequency);
    const u32 hundreds = wrapStep(nibble(ext, 2) * 10 + nibble(v, 2), true, 1, 17);
    s.setDigits(sim::AdfFrequency, withNibble(v, 2, hundreds % 10));
    s.setDigits(sim::AdfExtendedFrequency, withNibble(ext, 2, hundreds / 10));
}
}  // namespace

void addRadioModel(SimModel& m) {
    addTuner(m, sim::Nav1Frequency, Nav, key::Nav1WholeDown, key::Nav1WholeUp, key::Nav1FractionDown,
             key::Nav1FractionUp);
    addTuner(m, sim::Nav2Frequency, Nav, key::Nav2WholeDown, key::Nav2WholeUp, key::Nav2FractionDown,
             key::Nav2FractionUp);
    addTuner(m, sim::Com1Frequency, Com, key::Com1WholeDown, key::Com1WholeUp, key::Com1FractionDown,
             key::Com1FractionUp);
    addTuner(m, sim::Com1StandbyFrequency, Com, key::Com1StandbyWholeDown, key::Com1StandbyWholeUp,
             key::Com1StandbyFractionDown, key::Com1StandbyFractionUp);

    m.onKey(key::Nav1CourseDecrease, [](SimState& s, u32) { stepCourse(s, sim::Nav1Course, false); });
    m.onKey(key::Nav2CourseDecrease, [](SimState& s, u32) { stepCourse(s, sim::Nav2Course, false); });
    m.onKey(key::Nav2CourseIncrease, [](SimState& s, u32) { stepCourse(s, sim::Nav2Course, true); });
    m.onKey(key::Nav1CourseSet, [](SimState& s, u32 degrees) { s.set(sim::Nav1Course, degrees % 360); });
    m.onKey(key::Nav2CourseSet, [](SimState& s, u32 degrees) { s.set(sim::Nav2Course, degrees % 360); });

    const KeyEvent transponderDigits[] = {key::TransponderUnitsUp, key::TransponderTensUp, key::TransponderHundredsUp,
                                          key::TransponderThousandsUp};
    for (int k = 0; k < 4; ++k)
        m.onKey(transponderDigits[k], [k](SimState& s, u32) { stepDigit(s, sim::TransponderCode, k, 7); });

    m.onKey(key::AdfHundredsUp, [](SimState& s, u32) { stepAdfHundreds(s); });
    m.onKey(key::AdfTensUp, [](SimState& s, u32) { stepDigit(s, sim::AdfFrequency, 1, 9); });
    m.onKey(key::AdfUnitsUp, [](SimState& s, u32) { stepDigit(s, sim::AdfFrequency, 0, 9); });
}

}  // namespace tj20::host
