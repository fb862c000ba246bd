// Lights and legends: an annunciator's lens dark and lit, a window's legend per state, a
// warning flag, and plain shapes (pointers, markers) for sliders and small icons.
#include <cmath>

#include "kinds.h"

namespace tj20::art {

void sizeFromAreas(Piece& p, const Artwork& art, int fallbackW, int fallbackH);

namespace {

// What each image of a light shows: dark, lit, blank (the lens without its legend) or none
// (nothing: an overlay's image that leaves the light below it seen).
std::vector<std::string> lightStates(const Piece& p) {
    std::vector<std::string> s;
    if (const auto given = p.d->head.option("states")) {
        s = listOf(*given);
    } else {
        s.assign(p.states, "lit");
        if (p.states > 1) s[0] = "dark";
    }
    if (static_cast<int>(s.size()) != p.states)
        p.d->head.fail("states= lists one word per image (" + std::to_string(p.states) + ")");
    for (const auto& w : s)
        if (w != "dark" && w != "lit" && w != "blank" && w != "none")
            p.d->head.fail("a light's image is dark, lit, blank or none, not '" + w + "'");
    return s;
}

std::string legendFor(const Piece& p, int state) {
    const auto& q = p.d->head.quoted;
    if (q.empty()) return "";
    return q.size() == 1 ? q[0] : q[state];
}

Rgb mix(const Rgb& a, const Rgb& b, double f) {
    return {a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f};
}

void drawLightAs(cairo_t* cr, const Piece& piece, int state, double width, double height, const std::string& s);

void drawLight(Canvas& c) {
    const std::string s = lightStates(c.piece)[c.state];
    if (s != "none") drawLightAs(c.cr, c.piece, c.state, c.w(), c.h(), s);
}

// A light whose first image is lit (a light shown only while on) leaves its dark lens painted
// on the background, where it is seen while the light is hidden.
void lightUnderneath(cairo_t* cr, const Piece& p, const GaugeElement& e, const Rgb&, bool face) {
    if (!face || lightStates(p)[0] != "lit" || p.d->head.has("bare")) return;
    cairo_save(cr);
    cairo_translate(cr, e.at.x, e.at.y);
    drawLightAs(cr, p, 0, p.width, p.height, "dark");
    cairo_restore(cr);
}

void drawLightAs(cairo_t* cr, const Piece& piece, int state, double width, double height, const std::string& s) {
    struct {
        const Piece& piece;
        int state;
        double W, H;
        double w() const { return W; }
        double h() const { return H; }
    } c{piece, state, width, height};
    const Words& w = c.piece.d->head;
    const Rgb colour = colourNamed(w, w.option("colour").value_or("amber"));
    const std::string shape = w.option("style").value_or("lens");
    Font f;
    f.size = w.number("textsize",
                      std::min(9.0, c.h() * (legendFor(c.piece, c.state).find('|') != std::string::npos ? 0.36 : 0.5)));
    if (shape == "dot") {
        const double r = std::min(c.w(), c.h()) / 2 - 0.5;
        cairo_arc(cr, c.w() / 2, c.h() / 2, r, 0, 2 * M_PI);
        setColour(cr, {0.1, 0.1, 0.1});
        cairo_fill(cr);
        cairo_arc(cr, c.w() / 2, c.h() / 2, r * 0.78, 0, 2 * M_PI);
        if (s == "lit") {
            cairo_pattern_t* glow =
                cairo_pattern_create_radial(c.w() / 2 - r * 0.2, c.h() / 2 - r * 0.2, 0, c.w() / 2, c.h() / 2, r);
            cairo_pattern_add_color_stop_rgb(glow, 0, 1, 1, 0.95);
            cairo_pattern_add_color_stop_rgb(glow, 0.6, colour.r, colour.g, colour.b);
            cairo_set_source(cr, glow);
            cairo_fill(cr);
            cairo_pattern_destroy(glow);
        } else {
            setColour(cr, s == "dark" ? mix(style::Glass, colour, 0.18) : style::Glass);
            cairo_fill(cr);
        }
        return;
    }
    if (shape == "text") {
        // A legend that glows on a dark ground.
        cairo_rectangle(cr, 0, 0, c.w(), c.h());
        setColour(cr, {0.02, 0.02, 0.02});
        cairo_fill(cr);
        if (s == "blank") return;
        setColour(cr, s == "lit" ? colour : mix({0.02, 0.02, 0.02}, colour, 0.22));
        legend(cr, c.w() / 2, c.h() / 2, legendFor(c.piece, c.state), f);
        return;
    }
    // A rectangular lens in a thin frame: lit, the lens glows in its colour with a dark legend.
    cairo_rectangle(cr, 0, 0, c.w(), c.h());
    setColour(cr, {0.06, 0.06, 0.065});
    cairo_fill(cr);
    const double inset = c.w() > 12 && c.h() > 8 ? 1.5 : 0.5;
    if (s == "lit") {
        cairo_pattern_t* glow = cairo_pattern_create_linear(0, 0, 0, c.h());
        const Rgb hi = mix(colour, {1, 1, 1}, 0.25);
        cairo_pattern_add_color_stop_rgb(glow, 0, hi.r, hi.g, hi.b);
        cairo_pattern_add_color_stop_rgb(glow, 1, colour.r * 0.85, colour.g * 0.85, colour.b * 0.85);
        cairo_rectangle(cr, inset, inset, c.w() - 2 * inset, c.h() - 2 * inset);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
        setColour(cr, {0.06, 0.05, 0.03});
    } else {
        cairo_rectangle(cr, inset, inset, c.w() - 2 * inset, c.h() - 2 * inset);
        setColour(cr, s == "dark" ? mix(style::Glass, colour, 0.08) : style::Glass);
        cairo_fill(cr);
        setColour(cr, style::DarkLegend);
    }
    if (s != "blank") legend(cr, c.w() / 2, c.h() / 2, legendFor(c.piece, c.state), f);
}

// A window's legend, one per image ("" for a blank window).
void drawLegend(Canvas& c) {
    cairo_t* cr = c.cr;
    const Words& w = c.piece.d->head;
    if (w.option("ground").value_or("face") != "none") {
        cairo_rectangle(cr, 0, 0, c.w(), c.h());
        setColour(cr, colourNamed(w, w.option("ground").value_or("face")));
        cairo_fill(cr);
    }
    Font f;
    f.size = w.number("textsize", std::min(11.0, c.h() * 0.62));
    f.mono = w.has("mono");
    setColour(cr, colourNamed(w, w.option("colour").value_or("white")));
    legend(cr, c.w() / 2, c.h() / 2, legendFor(c.piece, c.state), f);
}

// A warning flag: red and white stripes with a legend.
void drawFlag(Canvas& c) {
    cairo_t* cr = c.cr;
    const Words& w = c.piece.d->head;
    const Rgb colour = colourNamed(w, w.option("colour").value_or("red"));
    cairo_rectangle(cr, 0, 0, c.w(), c.h());
    setColour(cr, colour);
    cairo_fill(cr);
    if (w.has("striped")) {
        cairo_save(cr);
        cairo_rectangle(cr, 0, 0, c.w(), c.h());
        cairo_clip(cr);
        cairo_set_line_width(cr, 3);
        for (double x = -c.h(); x < c.w(); x += 9) {
            cairo_move_to(cr, x, c.h());
            cairo_line_to(cr, x + c.h(), 0);
        }
        setColour(cr, {0.96, 0.96, 0.94});
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    Font f;
    f.size = w.number("textsize", std::min(9.0, std::max(c.w(), c.h()) * 0.4));
    setColour(cr, colourNamed(w, w.option("ink").value_or("white")));
    const std::string text = legendFor(c.piece, c.state);
    if (c.h() > c.w() * 1.6 && text.find('|') == std::string::npos) {
        // Upright flags carry their letters one above the other.
        std::string stacked;
        for (char ch : text) {
            if (!stacked.empty()) stacked += '|';
            stacked += ch;
        }
        legend(cr, c.w() / 2, c.h() / 2, stacked, f);
    } else {
        legend(cr, c.w() / 2, c.h() / 2, text, f);
    }
}

// A plain shape: rectangle, round, triangle pointing a way, or diamond, with a legend.
void drawShape(Canvas& c) {
    cairo_t* cr = c.cr;
    const Words& w = c.piece.d->head;
    const std::string shape = w.option("shape").value_or("rect");
    const double W = c.w(), H = c.h();
    if (shape == "rect")
        cairo_rectangle(cr, 0, 0, W, H);
    else if (shape == "round")
        cairo_arc(cr, W / 2, H / 2, std::min(W, H) / 2, 0, 2 * M_PI);
    else if (shape == "up")
        cairo_move_to(cr, W / 2, 0), cairo_line_to(cr, W, H), cairo_line_to(cr, 0, H);
    else if (shape == "down")
        cairo_move_to(cr, 0, 0), cairo_line_to(cr, W, 0), cairo_line_to(cr, W / 2, H);
    else if (shape == "left")
        cairo_move_to(cr, 0, H / 2), cairo_line_to(cr, W, 0), cairo_line_to(cr, W, H);
    else if (shape == "right")
        cairo_move_to(cr, 0, 0), cairo_line_to(cr, W, H / 2), cairo_line_to(cr, 0, H);
    else if (shape == "diamond")
        cairo_move_to(cr, W / 2, 0), cairo_line_to(cr, W, H / 2), cairo_line_to(cr, W / 2, H),
            cairo_line_to(cr, 0, H / 2);
    else if (shape == "aircraft") {
        // The fixed aircraft symbol: two wings either side of a centre dot.
        const double t = std::max(3.0, H * 0.22);
        cairo_rectangle(cr, 0, H / 2 - t / 2, W * 0.36, t);
        cairo_rectangle(cr, W * 0.36 - t, H / 2 - t / 2, t, H / 2);
        cairo_rectangle(cr, W * 0.64, H / 2 - t / 2, W * 0.36, t);
        cairo_rectangle(cr, W * 0.64, H / 2 - t / 2, t, H / 2);
        cairo_rectangle(cr, W / 2 - t / 2, H / 2 - t / 2, t, t);
    } else if (shape != "none")
        w.fail("a shape is rect, round, up, down, left, right, diamond, aircraft or none, not '" + shape + "'");
    cairo_close_path(cr);
    if (shape != "none") {
        setColour(cr, colourNamed(w, w.option("fill").value_or("white")));
        cairo_fill_preserve(cr);
        if (const auto edge = w.option("edge")) {
            setColour(cr, colourNamed(w, *edge));
            cairo_set_line_width(cr, 1);
            cairo_stroke_preserve(cr);
        }
    }
    cairo_new_path(cr);
    const std::string text = legendFor(c.piece, c.state);
    if (!text.empty()) {
        Font f;
        f.size = w.number("textsize", std::min(9.0, H * 0.6));
        setColour(cr, colourNamed(w, w.option("ink").value_or("black")));
        legend(cr, W / 2, H / 2, text, f);
    }
}

void checkLegends(const Piece& p) {
    const auto n = p.d->head.quoted.size();
    if (n > 1 && static_cast<int>(n) != p.states)
        p.d->head.fail("give one legend, or one per image (" + std::to_string(p.states) + "), not " +
                       std::to_string(n));
}

}  // namespace

void registerLightKinds() {
    using E = host::ElementState;
    // Lights and window legends are few colours: 8 bits with a palette of their own.
    addKind({.name = "light",
             .drawnBy = {E::Icon},
             .depth = 8,
             .size = [](Piece& p, const Artwork& a) { sizeFromAreas(p, a, 60, 20); },
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "states", "colour", "style", "textsize", "absent"}, {"bare"});
                     checkLegends(p);
                     lightStates(p);
                 },
             .draw = drawLight,
             .labels = lightUnderneath});
    addKind({.name = "legend",
             .drawnBy = {E::Icon},
             .depth = 8,
             .size = [](Piece& p, const Artwork& a) { sizeFromAreas(p, a, 60, 16); },
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "colour", "ground", "textsize", "absent"}, {"mono"});
                     checkLegends(p);
                 },
             .draw = drawLegend});
    addKind({.name = "flag",
             .drawnBy = {E::Icon, E::Slider, E::StaticImage},
             .size = [](Piece& p, const Artwork& a) { sizeFromAreas(p, a, 30, 14); },
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "colour", "ink", "textsize", "absent"}, {"striped"});
                     checkLegends(p);
                 },
             .draw = drawFlag});
    addKind({.name = "shape",
             .drawnBy = {E::Icon, E::Slider, E::StaticImage, E::Sprite},
             .size = [](Piece& p, const Artwork& a) { sizeFromAreas(p, a, 12, 12); },
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "shape", "fill", "edge", "ink", "textsize", "absent"});
                     checkLegends(p);
                 },
             .draw = drawShape});
}

}  // namespace tj20::art
