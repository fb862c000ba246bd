// What moves: needles (pointing from their pivot towards the farthest edge of their bitmap,
// as the host turns them), bars, compass cards, the attitude sphere, and the strips that
// scroll behind a window (digit drums and tapes).
#include <algorithm>
#include <cmath>

#include "dial.h"
#include "kinds.h"
#include "tj20host/needle_bitmap.h"

namespace tj20::art {

void sizeFromAreas(Piece& p, const Artwork& art, int fallbackW, int fallbackH);

namespace {

// ---- needles

// The farthest table point from the pivot: how long the needle is unless told.
double reach(const GaugeElement& e) {
    double r = 0;
    for (const auto& m : e.scale) r = std::max(r, std::hypot(m.point.x - e.at.x, m.point.y - e.at.y));
    return r;
}

void sizeNeedle(Piece& p, const Artwork&) {
    const GaugeElement& e = p.first();
    const Words& w = p.d->head;
    const int px = e.pivot.x, py = e.pivot.y;
    if (w.option("style").value_or("") == "card") {
        // A card turns about its centre and reads as drawn at the angle of a needle pointing right.
        p.width = 2 * px;
        p.height = 2 * py;
        return;
    }
    const double length = w.number("length", std::max(8.0, reach(e) - 1));
    if (!w.has("right") && py >= px && py >= length * 0.9) {
        // Up from the pivot: never as far right as up, the hub below.
        p.width = std::min(2 * px, px + py - 1);
        const double tail = w.number("tail", std::min<double>(std::max(px, 3), py * 0.2));
        p.height = py + static_cast<int>(std::min<double>(tail, py - 1));
    } else {
        p.width = px + static_cast<int>(std::max(length, std::max(px, py) + 1.0));
        p.height = 2 * py;
    }
}

void drawCardFace(cairo_t* cr, double cx, double cy, double r, const Words& w);

void drawNeedle(Canvas& c) {
    cairo_t* cr = c.cr;
    const Words& w = c.piece.d->head;
    const GaugeElement& e = c.piece.first();
    const std::string style = w.option("style").value_or("pointer");
    const Rgb colour = colourNamed(w, w.option("colour").value_or("white"));
    if (style == "card") {
        drawCardFace(cr, e.pivot.x, e.pivot.y, std::min(c.w(), c.h()) / 2 - 1, w);
        return;
    }
    // Lay the needle out pointing up from the origin, whichever way the bitmap points.
    cairo_translate(cr, e.pivot.x, e.pivot.y);
    double length = e.pivot.y, across = e.pivot.x, tail = c.h() - e.pivot.y;
    // The host turns the bitmap by the way it points (tj20host/needle_bitmap.h).
    const double points = host::needleBitmapAngle(c.piece.width, c.piece.height, e.pivot.x, e.pivot.y);
    if (points != 0 && points != M_PI / 2) w.fail("a needle drawn here points up or right from its pivot");
    if (points != 0) {
        cairo_rotate(cr, M_PI / 2);
        length = c.w() - e.pivot.x, across = e.pivot.y, tail = e.pivot.x;
    }
    const double half = std::min(across, w.number("width", 2 * across) / 2);
    // A hub no larger than a few pixels unless asked: the pivot of a big bitmap is no hub size.
    const double hub = std::min({across, tail > 0 ? tail : across, w.number("hub", 6)});
    if (style == "pointer" || style == "arrow") {
        const double base = std::max(1.2, std::min(half, 3.5));
        cairo_move_to(cr, -base, -hub * 0.2);
        cairo_line_to(cr, -0.8, -length + 1);
        cairo_line_to(cr, 0.8, -length + 1);
        cairo_line_to(cr, base, -hub * 0.2);
        cairo_close_path(cr);
        setColour(cr, colour);
        cairo_fill(cr);
        if (style == "arrow") {
            const double head = std::min(half, 7.0);
            cairo_move_to(cr, 0, -length);
            cairo_line_to(cr, head, -length + head * 2.2);
            cairo_line_to(cr, -head, -length + head * 2.2);
            cairo_close_path(cr);
            cairo_fill(cr);
        }
    } else if (style == "line") {
        cairo_rectangle(cr, -half, -length, 2 * half, length + tail * 0.5);
        setColour(cr, colour);
        cairo_fill(cr);
    } else if (style == "bug") {
        // A marker on the dial's rim: a notched block at the far end only.
        const double size = w.number("mark", 10);
        cairo_rectangle(cr, -half, -length, 2 * half, size);
        setColour(cr, colour);
        cairo_fill(cr);
        cairo_rectangle(cr, -half * 0.3, -length, half * 0.6, size * 0.6);
        setColour(cr, {0.05, 0.05, 0.05});
        cairo_fill(cr);
        return;
    } else if (style == "ball") {
        // The inclinometer's ball at the far end only.
        const double r = std::min(across, w.number("mark", across * 2) / 2);
        cairo_arc(cr, 0, -length + r, r - 0.5, 0, 2 * M_PI);
        setColour(cr, colour);
        cairo_fill(cr);
        return;
    } else if (style == "to" || style == "from") {
        // An arrowhead part of the way out, pointing out (to) or in (from).
        const double at = length * w.number("at", 0.62), head = std::min(across, 8.0);
        const double tip = style == "to" ? -at - head : -at + head;
        cairo_move_to(cr, 0, tip);
        cairo_line_to(cr, head, style == "to" ? -at + head * 0.4 : -at - head * 0.4);
        cairo_line_to(cr, -head, style == "to" ? -at + head * 0.4 : -at - head * 0.4);
        cairo_close_path(cr);
        setColour(cr, colour);
        cairo_fill(cr);
        return;
    } else if (style == "hollow") {
        // The second pointer of an RMI: two rails to a head.
        cairo_set_line_width(cr, 1.6);
        setColour(cr, colour);
        cairo_move_to(cr, -half * 0.6, -hub);
        cairo_line_to(cr, -half * 0.6, -length + half * 2.2);
        cairo_move_to(cr, half * 0.6, -hub);
        cairo_line_to(cr, half * 0.6, -length + half * 2.2);
        cairo_stroke(cr);
        cairo_move_to(cr, 0, -length);
        cairo_line_to(cr, half, -length + half * 2.2);
        cairo_line_to(cr, -half, -length + half * 2.2);
        cairo_close_path(cr);
        cairo_fill(cr);
    } else {
        w.fail("a needle's style is pointer, arrow, line, bug, ball, to, from, hollow or card, not '" + style + "'");
    }
    if (!w.has("nohub") && hub >= 2) {
        cairo_arc(cr, 0, 0, hub - 0.5, 0, 2 * M_PI);
        setColour(cr, {0.16, 0.16, 0.17});
        cairo_fill_preserve(cr);
        setColour(cr, {0.45, 0.45, 0.46});
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

// ---- compass cards (sprites and full-circle needles)

// A compass card: headings clockwise round it, or counter-clockwise (`ccw`) for a card that
// the host turns clockwise as the heading grows.
void drawCardFace(cairo_t* cr, double cx, double cy, double r, const Words& w) {
    const double north = w.number("north", 0) * M_PI / 180;
    const double sense = w.has("ccw") ? -1 : 1;
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    setColour(cr, {0.09, 0.09, 0.095});
    cairo_fill(cr);
    setColour(cr, style::Lettering);
    for (int deg = 0; deg < 360; deg += 5) {
        const double a = north + sense * deg * M_PI / 180, len = deg % 10 == 0 ? r * 0.09 : r * 0.05;
        cairo_move_to(cr, cx + std::sin(a) * r * 0.97, cy - std::cos(a) * r * 0.97);
        cairo_line_to(cr, cx + std::sin(a) * (r * 0.97 - len), cy - std::cos(a) * (r * 0.97 - len));
        cairo_set_line_width(cr, deg % 10 == 0 ? 1.6 : 1.0);
        cairo_stroke(cr);
    }
    static const char* const names[] = {"N", "3", "6", "E", "12", "15", "S", "21", "24", "W", "30", "33"};
    Font f;
    f.size = std::max(9.0, r * 0.11);
    for (int i = 0; i < 12; ++i) {
        const double a = north + sense * i * 30 * M_PI / 180, rr = r * 0.97 - r * 0.09 - f.size * 0.8;
        cairo_save(cr);
        cairo_translate(cr, cx + std::sin(a) * rr, cy - std::cos(a) * rr);
        cairo_rotate(cr, a);
        legend(cr, 0, 0, names[i], f);
        cairo_restore(cr);
    }
}

void drawCard(Canvas& c) {
    const GaugeElement& e = c.piece.first();
    drawCardFace(c.cr, e.pivot.x, e.pivot.y, std::min(c.w(), c.h()) / 2 - 1, c.piece.d->head);
}

// ---- the attitude sphere: sky over ground, the pitch ladder every 5 degrees

void drawSphere(Canvas& c) {
    cairo_t* cr = c.cr;
    const Words& w = c.piece.d->head;
    const GaugeElement& e = c.piece.first();
    const double perDegree = w.number("pitch", 3);
    const double cx = e.pivot.x, cy = e.pivot.y;
    cairo_rectangle(cr, 0, 0, c.w(), cy);
    setColour(cr, {0.20, 0.50, 0.80});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, cy, c.w(), c.h() - cy);
    setColour(cr, {0.45, 0.29, 0.14});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, cy - 1, c.w(), 2);
    setColour(cr, {0.97, 0.97, 0.95});
    cairo_fill(cr);
    Font f;
    f.size = 8;
    for (int deg = -90; deg <= 90; deg += 5) {
        if (deg == 0) continue;
        const double y = cy - deg * perDegree;
        if (y < 4 || y > c.h() - 4) continue;
        const double half = deg % 10 == 0 ? 28 : 12;
        cairo_move_to(cr, cx - half, y);
        cairo_line_to(cr, cx + half, y);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
        if (deg % 10 == 0) {
            const std::string n = std::to_string(std::abs(deg));
            legend(cr, cx - half - 9, y, n, f);
            legend(cr, cx + half + 9, y, n, f);
        }
    }
}

// ---- straight bars (director bars, deviation bars, slider pointers)

// A sprite turning about its pivot: the pivot is the bitmap's centre.
void sizeAroundPivot(Piece& p, const Artwork&) {
    p.width = 2 * p.first().pivot.x;
    p.height = 2 * p.first().pivot.y;
}

void sizeBar(Piece& p, const Artwork& a) {
    const GaugeElement& e = p.first();
    if (e.pivot.x > 0 || e.pivot.y > 0) {
        p.width = std::max(2, 2 * e.pivot.x);
        p.height = std::max(2, 2 * e.pivot.y);
    } else {
        sizeFromAreas(p, a, 6, 40);
    }
}

void drawBar(Canvas& c) {
    cairo_t* cr = c.cr;
    const Words& w = c.piece.d->head;
    const double t = w.number("thickness", std::min(c.w(), c.h()));
    setColour(cr, colourNamed(w, w.option("colour").value_or("magenta")));
    if (c.w() >= c.h())
        cairo_rectangle(cr, 0, (c.h() - t) / 2, c.w(), t);
    else
        cairo_rectangle(cr, (c.w() - t) / 2, 0, t, c.h());
    cairo_fill(cr);
}

// ---- strips behind a window: the window shows the strip from value × scale, counted from
// the strip's top (left) for a positive scale and from its bottom (right) for a negative one.

struct Strip {
    bool vertical = true;
    double scale = 0;  // pixels per unit along the strip
    int windowW = 0, windowH = 0;
};

Strip stripOf(const Piece& p, const Artwork& art) {
    const GaugeElement& e = p.first();
    Strip s;
    s.vertical = e.scaleY != 0;
    s.scale = s.vertical ? e.scaleY : e.scaleX;
    for (const auto* u : p.uses)
        if ((u->scaleY != 0 ? u->scaleY : u->scaleX) != s.scale)
            p.d->head.fail("the moving images sharing bitmap " + std::to_string(p.id()) + " move at different scales");
    const Piece* window = art.piece(p.id() + 1);
    if (!window || window->kind != "window") p.d->head.fail("a strip needs its window: the next identifier, 'window'");
    s.windowW = window->width;
    s.windowH = window->height;
    return s;
}

double stripTo(const Words& w) { return w.number("to", 10); }

void sizeStrip(Piece& p, const Artwork& art) {
    const Strip s = stripOf(p, art);
    const double travel = std::ceil(std::abs(s.scale) * stripTo(p.d->head));
    p.width = s.vertical ? s.windowW : s.windowW + static_cast<int>(travel);
    p.height = s.vertical ? s.windowH + static_cast<int>(travel) : s.windowH;
}

// Where the window's centre lies on the strip for a value.
double centreOf(const Strip& s, const Canvas& c, double value) {
    const double length = s.vertical ? c.h() : c.w();
    const double window = s.vertical ? s.windowH : s.windowW;
    const double offset = value * s.scale;
    return s.scale >= 0 ? offset + window / 2 : length + offset - window / 2;
}

void drawStrip(Canvas& c, bool tape) {
    cairo_t* cr = c.cr;
    const Words& w = c.piece.d->head;
    const Strip s = stripOf(c.piece, c.art);
    cairo_rectangle(cr, 0, 0, c.w(), c.h());
    setColour(cr, colourNamed(w, w.option("ground").value_or("face")));
    cairo_fill(cr);
    const double from = w.number("from", 0), to = stripTo(w), step = w.number("step", tape ? 10 : 1);
    const double label = w.number("label", step), wrap = w.number("wrap", tape ? 0 : 10);
    const std::string format = w.option("format").value_or("%g");
    const double divide = w.number("divide", 1);
    Font f;
    f.size = w.number("textsize", std::min(12.0, (s.vertical ? s.windowH : s.windowW * 0.5) * 0.8));
    f.mono = true;
    f.condense = 1;
    const Rgb ink = colourNamed(w, w.option("colour").value_or("white"));
    setColour(cr, ink);
    for (double v = from; v <= to + 1e-9; v += step) {
        const double at = centreOf(s, c, v);
        const bool labelled = std::fmod(std::abs(v - from) + 1e-9, label) < 1e-6;
        if (tape) {
            const double across = s.vertical ? c.w() : c.h();
            const double len = labelled ? across * 0.3 : across * 0.15;
            if (s.vertical)
                cairo_rectangle(cr, 0, at - 0.75, len, 1.5);
            else
                cairo_rectangle(cr, at - 0.75, across - len, 1.5, len);
            cairo_fill(cr);
        }
        if (!labelled) continue;
        double shown = v;
        if (wrap > 0) shown = std::fmod(v, wrap);
        char text[32];
        std::snprintf(text, sizeof text, format.c_str(), shown / divide);
        if (tape && s.vertical)
            legend(cr, c.w() * 0.62, at, text, f);
        else if (tape)
            legend(cr, at, c.h() * 0.38, text, f);
        else
            legend(cr, s.vertical ? c.w() / 2 : at, s.vertical ? at : c.h() / 2, text, f);
    }
}

}  // namespace

void registerMovingKinds() {
    using E = host::ElementState;
    addKind({.name = "needle",
             .drawnBy = {E::Needle},
             .size = sizeNeedle,
             .check =
                 [](const Piece& p) {
                     p.d->head.allow(
                         {"size", "depth", "length", "width", "tail", "hub", "colour", "style", "north", "at", "mark"},
                         {"nohub", "right", "ccw"});
                 },
             .draw = drawNeedle});
    addKind({.name = "bar",
             .drawnBy = {E::Sprite, E::Slider, E::Icon},
             .size = sizeBar,
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "colour", "thickness", "absent"});
                 },
             .draw = drawBar});
    addKind({.name = "card",
             .drawnBy = {E::Sprite},
             .size = sizeAroundPivot,
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "north"}, {"ccw"});
                 },
             .draw = drawCard});
    addKind({.name = "sphere",
             .drawnBy = {E::Sprite},
             .size = sizeAroundPivot,
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "pitch"});
                 },
             .draw = drawSphere});
    for (const bool tape : {false, true})
        addKind({.name = tape ? "tape" : "drum",
                 .drawnBy = {E::MovingImage},
                 .size = sizeStrip,
                 .check =
                     [](const Piece& p) {
                         p.d->head.allow({"depth", "from", "to", "step", "label", "wrap", "format", "divide",
                                          "textsize", "colour", "ground"});
                     },
                 .draw = [tape](Canvas& c) { drawStrip(c, tape); }});
}

}  // namespace tj20::art
