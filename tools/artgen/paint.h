// The house style of the artwork and the few drawing steps every kind shares: colours,
// legends, bevelled boxes, screws. One style for every panel, so the modules look alike.
#pragma once

#include <cairo.h>

#include <string>

#include "art_file.h"

namespace tj20::art {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

namespace style {
inline constexpr Rgb Panel{0.290, 0.318, 0.337};         // the panels' grey
inline constexpr Rgb PanelDark{0.200, 0.220, 0.235};     // recesses and bevel shadow
inline constexpr Rgb PanelLight{0.420, 0.450, 0.470};    // bevel light
inline constexpr Rgb Face{0.075, 0.075, 0.080};          // instrument faces and windows
inline constexpr Rgb Lettering{0.930, 0.930, 0.910};     // painted legends and marks
inline constexpr Rgb LitLettering{1.000, 0.965, 0.860};  // legends lit by the panel lighting
inline constexpr Rgb Metal{0.780, 0.790, 0.800};         // switch levers and nuts
inline constexpr Rgb Knob{0.110, 0.110, 0.115};
inline constexpr Rgb Glass{0.140, 0.145, 0.150};       // an unlit light's lens
inline constexpr Rgb DarkLegend{0.400, 0.405, 0.410};  // an unlit light's legend
inline constexpr double LegendSize = 9;                // pixels
inline constexpr double TitleSize = 11;
}  // namespace style

// Named colours of the descriptions (white, amber, green, blue, red, cyan, black, panel,
// face, grey, yellow, magenta, metal) or #rrggbb.
Rgb colourNamed(const Words& w, const std::string& name);
// The colour a light of that name shows when lit, and its legend's colour on it.
Rgb litLens(const Rgb& c);

void setColour(cairo_t* cr, const Rgb& c, double alpha = 1.0);

enum class Align { Centre, Left, Right };

struct Font {
    double size = style::LegendSize;
    bool bold = true;
    bool mono = false;
    double condense = 0.88;  // horizontal scale: legends are set narrow, as panel lettering is
};

// Draws a legend centred (or aligned) on x and vertically centred on y; '|' breaks lines.
void legend(cairo_t* cr, double x, double y, const std::string& text, const Font& font, Align align = Align::Centre);
// The width of the widest line of a legend.
double legendWidth(cairo_t* cr, const std::string& text, const Font& font);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// A raised or sunken box: fill plus a one-pixel light and shadow edge.
void bevelBox(cairo_t* cr, double x, double y, double w, double h, const Rgb& fill, bool sunken, double radius = 2);
void screw(cairo_t* cr, double x, double y, double r);

}  // namespace tj20::art
