// The radio control heads: the frequencies and the code the simulator tunes, and the tuning
// commands of the NAV, COM, transponder and ADF heads. The NAV frequencies and courses are
// in the guidance list, which reads them first.
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
inline constexpr SimVar AdfFrequency{0x10};           // ADF frequency: hundreds, tens and units of kHz, packed digits
inline constexpr SimVar AdfExtendedFrequency{0x12};   // ADF thousands of kHz (bits 8-11) and tenths (bits 0-3)
inline constexpr SimVar Com1Frequency{0x17};          // COM1 active frequency, packed digits after a leading 1
inline constexpr SimVar TransponderCode{0x26};        // transponder code, four packed octal digits
inline constexpr SimVar Com1StandbyFrequency{0x366};  // COM1 standby frequency, packed digits after a leading 1
}  // namespace tj20::sim

namespace tj20::key {
// COM1 active frequency: whole megahertz and fraction, each wrapping within the band
// without carrying into the other.
inline constexpr KeyEvent Com1WholeDown{0x10064};
inline constexpr KeyEvent Com1WholeUp{0x10065};
inline constexpr KeyEvent Com1FractionDown{0x10066};
inline constexpr KeyEvent Com1FractionUp{0x10067};
// NAV1 and NAV2 frequencies, likewise.
inline constexpr KeyEvent Nav1WholeDown{0x10068};
inline constexpr KeyEvent Nav1WholeUp{0x10069};
inline constexpr KeyEvent Nav1FractionDown{0x1006a};
inline constexpr KeyEvent Nav1FractionUp{0x1006b};
inline constexpr KeyEvent Nav2WholeDown{0x1006c};
inline constexpr KeyEvent Nav2WholeUp{0x1006d};
inline constexpr KeyEvent Nav2FractionDown{0x1006e};
inline constexpr KeyEvent Nav2FractionUp{0x1006f};
// ADF digits, each stepped up on its own.
inline constexpr KeyEvent AdfHundredsUp{0x10070};
inline constexpr KeyEvent AdfTensUp{0x10071};
inline constexpr KeyEvent AdfUnitsUp{0x10072};
// Transponder code digits, each stepped up through 0 to 7 on its own.
inline constexpr KeyEvent TransponderThousandsUp{0x10073};
inline constexpr KeyEvent TransponderHundredsUp{0x10074};
inline constexpr KeyEvent TransponderTensUp{0x10075};
inline constexpr KeyEvent TransponderUnitsUp{0x10076};
// NAV courses: one degree down or up, or set to the value in degrees.
inline constexpr KeyEvent Nav1CourseDecrease{0x1007e};
inline constexpr KeyEvent Nav2CourseDecrease{0x10080};
inline constexpr KeyEvent Nav2CourseIncrease{0x10081};
inline constexpr KeyEvent Nav1CourseSet{0x100b4};  // value: degrees
inline constexpr KeyEvent Nav2CourseSet{0x100b5};  // value: degrees
// COM1 standby frequency: whole megahertz and fraction.
inline constexpr KeyEvent Com1StandbyWholeDown{0x10384};
inline constexpr KeyEvent Com1StandbyWholeUp{0x10385};
inline constexpr KeyEvent Com1StandbyFractionDown{0x10386};
inline constexpr KeyEvent Com1StandbyFractionUp{0x10388};
}  // namespace tj20::key
