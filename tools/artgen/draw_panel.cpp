// Backgrounds, covers and lettering overlays: a face with its legends, marks, windows and
// the scales of its needles. What the description leaves out, the gauge supplies: a readout
// window behind every text, a scale under every needle, the position legends of every switch
// and knob.
#include <algorithm>
#include <cmath>
#include <set>

#include "dial.h"
#include "kinds.h"

namespace tj20::art {

namespace {

enum class Mode {
    Face,       // the whole background
    Lettering,  // only what the panel lighting lights: legends, lines and scales
};

Font fontOf(const Words& w, double size) {
    Font f;
    f.size = w.number("size", size);
    f.bold = !w.has("plain");
    f.mono = w.has("mono");
    return f;
}

Align alignOf(const Words& w) { return w.has("left") ? Align::Left : w.has("right") ? Align::Right : Align::Centre; }

Pt pointArg(const Words& w, std::size_t index, const char* what) {
    if (w.bare.size() <= index) w.fail("'" + w.verb + "' needs " + what);
    const XY p = parsePair(w, w.bare[index], ',');
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

XY sizeArg(const Words& w, std::size_t index) {
    if (w.bare.size() <= index) w.fail("'" + w.verb + "' needs a size WxH");
    return parsePair(w, w.bare[index], 'x');
}

const GaugeElement& needleNamed(const Canvas& c, const Words& w) {
    if (w.bare.empty()) w.fail("'" + w.verb + "' names a needle's bitmap");
    const std::uint32_t id = parseId(w, w.bare[0]);
    for (const auto& e : c.art.gauge.elements)
        if (e.kind == host::ElementState::Needle && e.bitmap == id) return e;
    w.fail("no needle of the gauge draws bitmap " + w.bare[0]);
}

std::string formatValue(double v, const std::string& format) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format.c_str(), v);
    return buf;
}

struct DialStyle {
    double tick = 7;       // tick length, pixels
    double labelGap = 8;   // from the tick's inner end to the label's centre
    double size = 9;       // label size
    bool outside = false;  // ticks and labels beyond the needle's reach
};

void tickAt(cairo_t* cr, const Dial& dial, double value, const DialStyle& s, double length, double width) {
    const DialPoint p = dial.at(value);
    const double dx = std::sin(p.angle), dy = -std::cos(p.angle);
    const double r0 = s.outside ? p.radius + 1 : p.radius - length;
    const double r1 = s.outside ? p.radius + 1 + length : p.radius;
    cairo_move_to(cr, dial.pivot().x + dx * r0, dial.pivot().y + dy * r0);
    cairo_line_to(cr, dial.pivot().x + dx * r1, dial.pivot().y + dy * r1);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void labelAt(cairo_t* cr, const Dial& dial, double value, const DialStyle& s, const std::string& text) {
    const DialPoint p = dial.at(value);
    const double r = s.outside ? p.radius + s.tick + s.labelGap : p.radius - s.tick - s.labelGap;
    Font f;
    f.size = s.size;
    legend(cr, dial.pivot().x + std::sin(p.angle) * r, dial.pivot().y - std::cos(p.angle) * r, text, f);
}

// The scale of one needle: ticks at the table's values (or every `step`), legends at the
// table's values (or every `label`, or the listed `labels`).
void drawDial(cairo_t* cr, const GaugeElement& needle, const Words* w, const Rgb& ink) {
    const Dial dial(needle);
    DialStyle s;
    std::string format = "%g";
    double divide = 1, step = 0, every = 0;
    bool labels = true;
    std::vector<double> listed;
    if (w) {
        w->allow({"step", "label", "labels", "format", "divide", "tick", "size", "gap", "colour", "minor"},
                 {"outside", "nolabels"});
        s.tick = w->number("tick", s.tick);
        s.size = w->number("size", s.size);
        s.labelGap = w->number("gap", s.labelGap);
        s.outside = w->has("outside");
        step = w->number("step", 0);
        every = w->number("label", 0);
        divide = w->number("divide", 1);
        if (divide == 0) w->fail("divide=0 would divide by zero");
        format = w->option("format").value_or(format);
        labels = !w->has("nolabels");
        if (const auto l = w->option("labels")) {
            std::size_t start = 0;
            while (start <= l->size()) {
                const auto comma = l->find(',', start);
                listed.push_back(
                    parseNumber(*w, l->substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
        }
    }
    setColour(cr, ink);
    const double lo = dial.first(), hi = dial.last();
    if (step > 0) {
        const double minor = w ? w->number("minor", 0) : 0;
        if (minor > 0)
            for (double v = lo; v <= hi + 1e-9; v += minor) tickAt(cr, dial, v, s, s.tick * 0.55, 1.0);
        for (double v = lo; v <= hi + 1e-9; v += step) tickAt(cr, dial, v, s, s.tick, 1.6);
    } else {
        for (double v : dial.values()) tickAt(cr, dial, v, s, s.tick, 1.6);
    }
    if (!labels) return;
    std::vector<double> at = listed;
    if (at.empty() && every > 0)
        for (double v = lo; v <= hi + 1e-9; v += every) at.push_back(v);
    if (at.empty()) at = dial.values();
    std::set<long long> done;
    for (double v : at) {
        // A full-circle dial's last entry may sit on its first: one legend there.
        const DialPoint p = dial.at(v);
        const long long key = std::llround(p.x) * 100000 + std::llround(p.y);
        if (!done.insert(key).second) continue;
        labelAt(cr, dial, v, s, formatValue(v / divide, format));
    }
}

// A coloured band along a needle's scale between two values.
void drawBand(cairo_t* cr, const Canvas& c, const Words& w) {
    w.allow({"from", "to", "colour", "width", "inset"});
    const GaugeElement& needle = needleNamed(c, w);
    const Dial dial(needle);
    const double from = w.number("from", dial.first()), to = w.number("to", dial.last());
    const double width = w.number("width", 3), inset = w.number("inset", 1.5);
    setColour(cr, colourNamed(w, w.option("colour").value_or("green")));
    cairo_set_line_width(cr, width);
    const int steps = 48;
    for (int i = 0; i <= steps; ++i) {
        const double v = from + (to - from) * i / steps;
        const DialPoint p = dial.at(v);
        const double r = p.radius - inset;
        const double x = needle.at.x + std::sin(p.angle) * r, y = needle.at.y - std::cos(p.angle) * r;
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_stroke(cr);
}

// One indented line of a background or cover.
void drawItem(cairo_t* cr, const Canvas& c, const Words& w, Mode mode, const Rgb& ink) {
    const bool face = mode == Mode::Face;
    if (w.verb == "text") {
        w.allow({"size", "colour"}, {"plain", "left", "right", "mono", "unlit"});
        if (w.quoted.size() != 1) w.fail("'text' draws one legend");
        if (!face && w.has("unlit")) return;
        const Pt at = pointArg(w, 0, "a position x,y");
        setColour(cr, face && w.option("colour") ? colourNamed(w, *w.option("colour")) : ink);
        legend(cr, at.x, at.y, w.quoted[0], fontOf(w, style::LegendSize), alignOf(w));
    } else if (w.verb == "line") {
        w.allow({"width", "colour"}, {"unlit"});
        if (!face && w.has("unlit")) return;
        const Pt a = pointArg(w, 0, "two points"), b = pointArg(w, 1, "two points");
        setColour(cr, face && w.option("colour") ? colourNamed(w, *w.option("colour")) : ink);
        cairo_set_line_width(cr, w.number("width", 1.5));
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
        cairo_stroke(cr);
    } else if (w.verb == "box") {
        // An outlined group (lettering) or a filled plate (face only).
        w.allow({"fill", "radius", "width", "colour"}, {"sunken", "raised", "unlit"});
        const Pt at = pointArg(w, 0, "a position x,y");
        const XY size = sizeArg(w, 1);
        const double radius = w.number("radius", 3);
        if (const auto fill = w.option("fill")) {
            if (face) bevelBox(cr, at.x, at.y, size.x, size.y, colourNamed(w, *fill), w.has("sunken"), radius);
        } else if (face || !w.has("unlit")) {
            roundedRect(cr, at.x + 0.5, at.y + 0.5, size.x - 1, size.y - 1, radius);
            setColour(cr, face && w.option("colour") ? colourNamed(w, *w.option("colour")) : ink);
            cairo_set_line_width(cr, w.number("width", 1.2));
            cairo_stroke(cr);
        }
    } else if (w.verb == "window") {
        w.allow({"fill"});
        if (!face) return;
        const Pt at = pointArg(w, 0, "a position x,y");
        const XY size = sizeArg(w, 1);
        bevelBox(cr, at.x - 1, at.y - 1, size.x + 2, size.y + 2, colourNamed(w, w.option("fill").value_or("face")),
                 true, 1.5);
    } else if (w.verb == "disc") {
        // A round instrument face with its bezel.
        w.allow({"fill", "bezel"});
        if (!face) return;
        const Pt at = pointArg(w, 0, "a centre x,y");
        if (w.bare.size() < 2) w.fail("'disc' needs a radius");
        const double r = parseNumber(w, w.bare[1]), bezel = w.number("bezel", 4);
        cairo_arc(cr, at.x, at.y, r, 0, 2 * M_PI);
        setColour(cr, {0.13, 0.135, 0.14});
        cairo_fill(cr);
        cairo_arc(cr, at.x, at.y, r - bezel, 0, 2 * M_PI);
        setColour(cr, colourNamed(w, w.option("fill").value_or("face")));
        cairo_fill(cr);
    } else if (w.verb == "circle") {
        w.allow({"fill", "width", "colour"}, {"unlit"});
        const Pt at = pointArg(w, 0, "a centre x,y");
        if (w.bare.size() < 2) w.fail("'circle' needs a radius");
        cairo_arc(cr, at.x, at.y, parseNumber(w, w.bare[1]), 0, 2 * M_PI);
        if (const auto fill = w.option("fill")) {
            if (!face) return cairo_new_path(cr);
            setColour(cr, colourNamed(w, *fill));
            cairo_fill(cr);
        } else {
            if (!face && w.has("unlit")) return cairo_new_path(cr);
            setColour(cr, face && w.option("colour") ? colourNamed(w, *w.option("colour")) : ink);
            cairo_set_line_width(cr, w.number("width", 1.2));
            cairo_stroke(cr);
        }
    } else if (w.verb == "dial") {
        drawDial(cr, needleNamed(c, w), &w, w.option("colour") ? colourNamed(w, *w.option("colour")) : ink);
    } else if (w.verb == "band") {
        if (face) drawBand(cr, c, w);
    } else if (w.verb == "screw") {
        w.allow({});
        if (face) {
            const Pt at = pointArg(w, 0, "a position x,y");
            screw(cr, at.x, at.y, 3.5);
        }
    } else if (w.verb == "key") {
        // A push button painted on the face: its bezel and cap, its legend lit with the panel.
        w.allow({"size"});
        if (w.quoted.size() != 1) w.fail("'key' carries one legend");
        const Pt at = pointArg(w, 0, "a position x,y");
        const XY size = sizeArg(w, 1);
        if (face) {
            bevelBox(cr, at.x, at.y, size.x, size.y, {0.12, 0.12, 0.13}, true, 3);
            bevelBox(cr, at.x + 2, at.y + 2, size.x - 4, size.y - 4, style::Glass, false, 2);
        }
        Font f;
        f.size = w.number("size", std::min(8.0, size.y / 3.2));
        setColour(cr, ink);
        legend(cr, at.x + size.x / 2, at.y + size.y / 2, w.quoted[0], f);
    } else if (w.verb == "mask") {
        // The face round a window: everything but the circle (or box) through which what lies
        // below is seen.
        w.allow({"fill"});
        if (!face) return;
        const Pt at = pointArg(w, 0, "a centre x,y");
        if (w.bare.size() < 2) w.fail("'mask' needs a radius or a size WxH");
        cairo_rectangle(cr, 0, 0, c.w(), c.h());
        if (w.bare[1].find('x') != std::string::npos) {
            const XY size = sizeArg(w, 1);
            cairo_rectangle(cr, at.x, at.y + size.y, size.x, -size.y);
        } else {
            cairo_new_sub_path(cr);
            cairo_arc_negative(cr, at.x, at.y, parseNumber(w, w.bare[1]), 2 * M_PI, 0);
        }
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        setColour(cr, colourNamed(w, w.option("fill").value_or("face")));
        cairo_fill(cr);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    } else if (w.verb == "nodial") {
        w.allow({});
    } else {
        w.fail(
            "a background draws text, line, box, window, disc, circle, key, mask, dial, nodial, band or screw, not '" +
            w.verb + "'");
    }
}

bool listed(const Piece& p, const char* verb, std::uint32_t id) {
    for (const auto& w : p.d->items)
        if (w.verb == verb && !w.bare.empty() && parseId(w, w.bare[0]) == id) return true;
    return false;
}

// The background: face, title, the described items, then what the gauge supplies.
void drawFace(Canvas& c, Mode mode, const Piece& from) {
    cairo_t* cr = c.cr;
    const Words& head = from.d->head;
    const Rgb ink = mode == Mode::Face ? style::Lettering : style::LitLettering;
    if (mode == Mode::Face) {
        const Rgb fill = colourNamed(head, head.option("face").value_or("panel"));
        if (head.has("flat")) {
            cairo_rectangle(cr, 0, 0, c.w(), c.h());
            setColour(cr, fill);
            cairo_fill(cr);
        } else {
            bevelBox(cr, 0, 0, c.w(), c.h(), fill, false, 0);
        }
        if (head.has("screws") && c.w() > 40 && c.h() > 40)
            for (double x : {6.0, c.w() - 6})
                for (double y : {6.0, c.h() - 6}) screw(cr, x, y, 3);
        // A readout window behind every text.
        if (!head.has("nowindows"))
            for (const auto& e : c.art.gauge.elements)
                if (e.kind == host::ElementState::Text)
                    bevelBox(cr, e.at.x - 1, e.at.y - 1, e.box.x + 2, e.box.y + 2, {0.01, 0.01, 0.01}, true, 1.5);
    }
    if (!head.quoted.empty()) {
        XY at{c.w() / 2, 9};
        if (const auto t = head.option("title")) at = parsePair(head, *t, ',');
        Font f;
        f.size = head.number("titlesize", style::TitleSize);
        setColour(cr, ink);
        legend(cr, at.x, at.y, head.quoted[0], f);
    }
    for (const auto& w : from.d->items) drawItem(cr, c, w, mode, ink);
    // Scales under the needles the description leaves to the gauge, one per table.
    if (!head.has("nodials")) {
        std::set<std::vector<std::pair<int, int>>> drawn;
        for (const auto& e : c.art.gauge.elements) {
            if (e.kind != host::ElementState::Needle) continue;
            std::vector<std::pair<int, int>> points;
            for (const auto& m : e.scale) points.emplace_back(m.point.x, m.point.y);
            if (listed(from, "dial", e.bitmap) || listed(from, "nodial", e.bitmap)) {
                drawn.insert(points);
                continue;
            }
            if (drawn.insert(points).second) drawDial(cr, e, nullptr, ink);
        }
    }
    // Position legends beside the switches and knobs.
    for (const auto& e : c.art.gauge.elements) {
        if (e.kind != host::ElementState::Icon) continue;
        const Piece* p = c.art.piece(e.bitmap);
        const Kind* k = p ? findKind(p->kind) : nullptr;
        if (k && k->labels && p->d->head.option("labels").value_or("") != "none")
            k->labels(cr, *p, e, ink, mode == Mode::Face);
    }
}

// The pieces drawn over the whole face: the same lettering, and covers with their own items.
void drawCover(Canvas& c) {
    for (const auto& w : c.piece.d->items) drawItem(c.cr, c, w, Mode::Face, style::Lettering);
}

// The drawing words a background or cover knows, checked before anything is drawn.
void checkItems(const Piece& p) {
    static const char* const verbs[] = {"text", "line", "box",  "window", "disc", "circle",
                                        "key",  "mask", "dial", "nodial", "band", "screw"};
    for (const auto& w : p.d->items)
        if (std::none_of(std::begin(verbs), std::end(verbs), [&](const char* v) { return w.verb == v; }))
            w.fail(
                "a background draws text, line, box, window, disc, circle, key, mask, dial, nodial, band or "
                "screw, not '" +
                w.verb + "'");
}

void sizeOfWindow(Piece& p, const Artwork&) {
    if (!p.width) p.d->head.fail("a window needs its size: size=WxH");
}

}  // namespace

void registerPanelKinds() {
    using E = host::ElementState;
    addKind({.name = "panel",
             .drawnBy = {E::StaticImage},
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "face", "title", "titlesize"},
                                     {"screws", "nowindows", "nodials", "flat"});
                     checkItems(p);
                 },
             .draw = [](Canvas& c) { drawFace(c, Mode::Face, c.piece); }});
    // The lettering overlay: the background's legends, lines and scales lit, nothing else;
    // its first image (panel lighting off) shows nothing and is left out.
    addKind({.name = "overlay",
             .drawnBy = {E::Icon},
             .depth = 32,
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"depth", "absent"});
                     checkItems(p);
                 },
             .draw =
                 [](Canvas& c) {
                     drawFace(c, Mode::Lettering, c.art.root());
                     // Lettering of its own, lit with the rest (a face whose numbers are all lit).
                     for (const auto& w : c.piece.d->items) drawItem(c.cr, c, w, Mode::Lettering, style::LitLettering);
                 },
             .stateZeroAbsent = true});
    // A drawing over the face (a glass with its marks, a mask with windows).
    addKind({.name = "cover",
             .drawnBy = {E::StaticImage, E::Icon},
             .depth = 24,
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "absent"});
                     checkItems(p);
                 },
             .draw = drawCover});
    addKind({.name = "window",
             .drawnBy = {},
             .size = sizeOfWindow,
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth"});
                 },
             .draw =
                 [](Canvas& c) {
                     cairo_rectangle(c.cr, 0, 0, c.w(), c.h());
                     setColour(c.cr, {1, 1, 1});
                     cairo_fill(c.cr);
                 }});
}

}  // namespace tj20::art
