// The radio heads' readouts. The simulator keeps frequencies and codes as packed decimal
// digits, four bits each, most significant first. A head writes the digits out as text, reads
// the text back as a number kept in single precision, and prints that number with the
// readout's format; so a frequency shows with its decimals as the format gives them, and a
// nibble above 9 prints as two figures and shifts the digits after it.
#pragma once

#include <cstdlib>

#include "tj20/gauge.h"

namespace tj20::radio_heads {

// Digit k of a packed value, 0 the least significant.
constexpr int digit(u32 packed, int k) { return static_cast<int>((packed >> (4 * k)) & 0xFu); }

// The packed digits of the simulator variable a text element carries.
inline u32 carriedDigits(const Element& self) { return self.fields.text.source_var[0].var_value.d; }

namespace detail {
inline double readBack(const char* text) { return static_cast<float>(std::atof(text)); }
}  // namespace detail

// A NAV or COM frequency: four digits after the leading 1 (0x1050 is 110.50).
inline double frequency(u32 packed) {
    char text[32];
    formatText(text, sizeof text, "1%d%d.%d%d", digit(packed, 3), digit(packed, 2), digit(packed, 1), digit(packed, 0));
    return detail::readBack(text);
}

// A transponder code: four digits.
inline double code(u32 packed) {
    char text[32];
    formatText(text, sizeof text, "%d%d%d%d", digit(packed, 3), digit(packed, 2), digit(packed, 1), digit(packed, 0));
    return detail::readBack(text);
}

// An ADF frequency in kHz: the thousands from the extended frequency's third digit, the
// hundreds, tens and units from the frequency, the tenths from the extended frequency's first.
inline double adfFrequency(u32 packed, u32 extended) {
    char text[32];
    formatText(text, sizeof text, "%d%d%d%d.%d", digit(extended, 2), digit(packed, 2), digit(packed, 1),
               digit(packed, 0), digit(extended, 0));
    return detail::readBack(text);
}

}  // namespace tj20::radio_heads
