// The fonts the gauges name, mapped once onto the DejaVu families (Debian fonts-dejavu-core)
// that both the artwork generator and the host's renderer draw with.
//
//   "Quartz"       (segment-display readouts)  DejaVu Sans Mono, bold
//   "Courier New"  (fixed-pitch readouts)      DejaVu Sans Mono
//   "Arial"        (and any other face)        DejaVu Sans
//
// A weight of 600 or more draws bold; "Quartz" is bold at every weight, as segment digits are.
#pragma once

#include <string_view>

namespace tj20::host {

struct FontChoice {
    const char* family;
    bool bold;
};

inline FontChoice mapFont(std::string_view face, unsigned weight) {
    if (face == "Quartz") return {"DejaVu Sans Mono", true};
    if (face == "Courier New") return {"DejaVu Sans Mono", weight >= 600};
    return {"DejaVu Sans", weight >= 600};
}

}  // namespace tj20::host
