// The fonts the gauges name, mapped once onto the DejaVu families (Debian fonts-dejavu-core)
// that both the artwork generator and the host's renderer draw with.
//
//   "Quartz"       (segment-display readouts)  DejaVu Sans Mono, bold
//   "Courier New"  (fixed-pitch readouts)      DejaVu Sans Mono
//   "Arial"        (and any other face)        DejaVu Sans
//
// A weight of 600 or more draws bold; "Quartz" is bold at every weight, as segment digits are.
#pragma once

#include <cairo.h>

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

// Selects the face on `cr`, drawn from unhinted outlines: the same legend or readout looks the
// same wherever and at whatever size it is drawn.
inline void selectFace(cairo_t* cr, FontChoice font) {
    cairo_select_font_face(cr, font.family, CAIRO_FONT_SLANT_NORMAL,
                           font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

}  // namespace tj20::host
