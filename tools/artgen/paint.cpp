#include "paint.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <vector>

#include "tj20host/fonts.h"

namespace tj20::art {

Rgb colourNamed(const Words& w, const std::string& name) {
    static const std::map<std::string, Rgb> named = {
        {"white", {0.96, 0.96, 0.94}}, {"amber", {1.00, 0.69, 0.10}},  {"green", {0.20, 0.90, 0.35}},
        {"blue", {0.35, 0.65, 1.00}},  {"red", {0.95, 0.16, 0.12}},    {"cyan", {0.30, 0.90, 0.95}},
        {"black", {0.02, 0.02, 0.02}}, {"panel", style::Panel},        {"face", style::Face},
        {"grey", {0.55, 0.56, 0.57}},  {"yellow", {1.00, 0.90, 0.20}}, {"magenta", {0.95, 0.35, 0.90}},
        {"metal", style::Metal},       {"orange", {1.00, 0.50, 0.10}},
    };
    if (const auto it = named.find(name); it != named.end()) return it->second;
    if (name.size() == 7 && name[0] == '#') {
        unsigned v = 0;
        std::istringstream in(name.substr(1));
        in >> std::hex >> v;
        if (!in.fail()) return {((v >> 16) & 0xff) / 255.0, ((v >> 8) & 0xff) / 255.0, (v & 0xff) / 255.0};
    }
    w.fail("'" + name +
           "' is not a colour (white, amber, green, blue, red, cyan, yellow, black, grey, panel, face, "
           "metal, orange, magenta or #rrggbb)");
}

Rgb litLens(const Rgb& c) { return c; }

void setColour(cairo_t* cr, const Rgb& c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

namespace {
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const auto bar = text.find('|', start);
        lines.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return lines;
}

void selectFont(cairo_t* cr, const Font& font) {
    host::selectFace(cr, host::mapFont(font.mono ? "Courier New" : "Arial", font.bold ? 700 : 400));
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, font.size * font.condense, font.size);
    cairo_set_font_matrix(cr, &m);
}
}  // namespace

double legendWidth(cairo_t* cr, const std::string& text, const Font& font) {
    selectFont(cr, font);
    double widest = 0;
    for (const auto& line : linesOf(text)) {
        cairo_text_extents_t ext;
        cairo_text_extents(cr, line.c_str(), &ext);
        widest = std::max(widest, ext.x_advance);
    }
    return widest;
}

void legend(cairo_t* cr, double x, double y, const std::string& text, const Font& font, Align align) {
    selectFont(cr, font);
    const auto lines = linesOf(text);
    const double lineHeight = font.size * 1.08;
    // Cap height of the face is about 0.73 of its size: centre the block of capitals on y.
    double baseline = y - lineHeight * (static_cast<double>(lines.size()) - 1) / 2 + font.size * 0.365;
    for (const auto& line : lines) {
        cairo_text_extents_t ext;
        cairo_text_extents(cr, line.c_str(), &ext);
        double left = x - ext.x_advance / 2;
        if (align == Align::Left) left = x;
        if (align == Align::Right) left = x - ext.x_advance;
        cairo_move_to(cr, left, baseline);
        cairo_show_text(cr, line.c_str());
        baseline += lineHeight;
    }
    cairo_new_path(cr);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void bevelBox(cairo_t* cr, double x, double y, double w, double h, const Rgb& fill, bool sunken, double radius) {
    roundedRect(cr, x, y, w, h, radius);
    setColour(cr, fill);
    cairo_fill(cr);
    const Rgb light{std::min(1.0, fill.r + 0.14), std::min(1.0, fill.g + 0.14), std::min(1.0, fill.b + 0.14)};
    const Rgb dark{fill.r * 0.55, fill.g * 0.55, fill.b * 0.55};
    cairo_set_line_width(cr, 1);
    // Top and left edge.
    cairo_move_to(cr, x + 0.5, y + h - 0.5);
    cairo_line_to(cr, x + 0.5, y + 0.5);
    cairo_line_to(cr, x + w - 0.5, y + 0.5);
    setColour(cr, sunken ? dark : light);
    cairo_stroke(cr);
    // Bottom and right edge.
    cairo_move_to(cr, x + w - 0.5, y + 0.5);
    cairo_line_to(cr, x + w - 0.5, y + h - 0.5);
    cairo_line_to(cr, x + 0.5, y + h - 0.5);
    setColour(cr, sunken ? light : dark);
    cairo_stroke(cr);
}

void screw(cairo_t* cr, double x, double y, double r) {
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    setColour(cr, {0.55, 0.57, 0.58});
    cairo_fill_preserve(cr);
    setColour(cr, style::PanelDark);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_move_to(cr, x - r * 0.7, y + r * 0.3);
    cairo_line_to(cr, x + r * 0.7, y - r * 0.3);
    cairo_stroke(cr);
}

}  // namespace tj20::art
