// Switches, knobs, buttons, guards and handles: one image per position, drawn on a
// transparent ground (the panel shows round them), with the position legends on the
// gauge's background beside the icon.
#include <algorithm>
#include <cmath>

#include "kinds.h"

namespace tj20::art {

namespace {

// Per-state words of a `states=` option, or the defaults; one per image.
std::vector<std::string> stateWords(const Piece& p, std::vector<std::string> defaults) {
    if (const auto s = p.d->head.option("states")) defaults = listOf(*s);
    if (static_cast<int>(defaults.size()) != p.states)
        p.d->head.fail("the icon has " + std::to_string(p.states) + " images, so states= lists " +
                       std::to_string(p.states) + " words, not " + std::to_string(defaults.size()));
    return defaults;
}

void checkLegends(const Piece& p, bool perStateOrOne) {
    const auto n = p.d->head.quoted.size();
    if (perStateOrOne && n > 1 && static_cast<int>(n) != p.states)
        p.d->head.fail("the icon has " + std::to_string(p.states) + " images: give one legend, or one per image, not " +
                       std::to_string(n));
}

}  // namespace

// The icon's box on the gauge, from the mouse areas at its position: the areas whose corner
// lies near the icon's, grown by the areas stacked against them (the halves of a switch).
void sizeFromAreas(Piece& p, const Artwork& art, int fallbackW, int fallbackH) {
    const GaugeElement& e = p.first();
    std::vector<Rect> taken;
    for (const auto& a : art.gauge.areas)
        if (a.x >= e.at.x - 8 && a.x < e.at.x + 20 && a.y >= e.at.y - 8 && a.y < e.at.y + 20) taken.push_back(a);
    if (taken.empty()) {
        p.width = fallbackW;
        p.height = fallbackH;
        return;
    }
    Rect u = taken.front();
    auto unite = [&](const Rect& a) {
        const int r = std::max(u.right(), a.right()), b = std::max(u.bottom(), a.bottom());
        u.x = std::min(u.x, a.x), u.y = std::min(u.y, a.y);
        u.w = r - u.x, u.h = b - u.y;
    };
    for (const auto& a : taken) unite(a);
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& a : art.gauge.areas) {
            if (a.x >= u.x && a.right() <= u.right() && a.y >= u.y && a.bottom() <= u.bottom()) continue;
            const int overlapX = std::min(u.right(), a.right()) - std::max(u.x, a.x);
            const int overlapY = std::min(u.bottom(), a.bottom()) - std::max(u.y, a.y);
            const bool below = std::abs(a.y - u.bottom()) <= 3 && overlapX * 2 >= std::min(a.w, u.w);
            const bool beside = std::abs(a.x - u.right()) <= 3 && overlapY * 2 >= std::min(a.h, u.h);
            if (below || beside) unite(a), grew = true;
        }
    }
    p.width = std::max(8, u.right() - e.at.x);
    p.height = std::max(8, u.bottom() - e.at.y);
}

namespace {

// ---- toggle switches

struct Direction {
    double dx = 0, dy = 0;  // (0, 0): the centre position
};

Direction directionOf(const Words& w, const std::string& word) {
    if (word == "up") return {0, -1};
    if (word == "down") return {0, 1};
    if (word == "left") return {-1, 0};
    if (word == "right") return {1, 0};
    if (word == "mid") return {0, 0};
    w.fail("'" + word + "' is no switch position (up, down, left, right, mid)");
}

std::vector<std::string> switchPositions(const Piece& p) {
    const bool across = p.d->head.has("horizontal");
    std::vector<std::string> d;
    if (p.states == 2) d = across ? std::vector<std::string>{"left", "right"} : std::vector<std::string>{"down", "up"};
    if (p.states == 3)
        d = across ? std::vector<std::string>{"left", "mid", "right"} : std::vector<std::string>{"down", "mid", "up"};
    if (d.empty()) d.assign(p.states, "mid");
    return stateWords(p, d);
}

void drawToggle(cairo_t* cr, double cx, double cy, double u, Direction d, double reach) {
    // The nut.
    cairo_arc(cr, cx, cy, u * 0.34, 0, 2 * M_PI);
    setColour(cr, {0.16, 0.17, 0.18});
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, u * 0.26, 0, 2 * M_PI);
    cairo_pattern_t* nut = cairo_pattern_create_radial(cx - u * 0.08, cy - u * 0.08, 1, cx, cy, u * 0.26);
    cairo_pattern_add_color_stop_rgb(nut, 0, 0.85, 0.86, 0.87);
    cairo_pattern_add_color_stop_rgb(nut, 1, 0.45, 0.46, 0.47);
    cairo_set_source(cr, nut);
    cairo_fill(cr);
    cairo_pattern_destroy(nut);
    if (d.dx == 0 && d.dy == 0) {
        // Seen end on: the bat's tip over the nut.
        cairo_arc(cr, cx, cy, u * 0.2, 0, 2 * M_PI);
        setColour(cr, style::Metal);
        cairo_fill_preserve(cr);
        setColour(cr, {0.35, 0.36, 0.37});
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        return;
    }
    const double tipX = cx + d.dx * reach, tipY = cy + d.dy * reach;
    const double nx = -d.dy, ny = d.dx;  // across the bat
    cairo_move_to(cr, cx + nx * u * 0.09, cy + ny * u * 0.09);
    cairo_line_to(cr, tipX + nx * u * 0.16, tipY + ny * u * 0.16);
    cairo_line_to(cr, tipX - nx * u * 0.16, tipY - ny * u * 0.16);
    cairo_line_to(cr, cx - nx * u * 0.09, cy - ny * u * 0.09);
    cairo_close_path(cr);
    setColour(cr, style::Metal);
    cairo_fill_preserve(cr);
    setColour(cr, {0.35, 0.36, 0.37});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_arc(cr, tipX, tipY, u * 0.2, 0, 2 * M_PI);
    setColour(cr, {0.90, 0.91, 0.92});
    cairo_fill_preserve(cr);
    setColour(cr, {0.35, 0.36, 0.37});
    cairo_stroke(cr);
}

void drawSwitch(Canvas& c) {
    const auto positions = switchPositions(c.piece);
    const Direction d = directionOf(c.piece.d->head, positions[c.state]);
    const double u = std::min(c.w(), c.h()) * 0.9 > std::max(c.w(), c.h()) * 0.55 ? std::max(c.w(), c.h()) * 0.55
                                                                                  : std::min(c.w(), c.h()) * 0.9;
    const double along = d.dx != 0 ? c.w() : c.h();
    drawToggle(c.cr, c.w() / 2, c.h() / 2, u, d, std::min(along * 0.36, u * 0.95));
}

void switchLabels(cairo_t* cr, const Piece& p, const GaugeElement& e, const Rgb& ink, bool) {
    const auto positions = switchPositions(p);
    const auto& legends = p.d->head.quoted;
    Font f;
    f.size = p.d->head.number("labelsize", 8);
    setColour(cr, ink);
    const double x = e.at.x, y = e.at.y, w = p.width, h = p.height;
    for (std::size_t i = 0; i < positions.size() && i < legends.size(); ++i) {
        if (legends[i].empty()) continue;
        const Direction d = directionOf(p.d->head, positions[i]);
        if (d.dy < 0) legend(cr, x + w / 2, y - f.size * 0.7, legends[i], f);
        if (d.dy > 0) legend(cr, x + w / 2, y + h + f.size * 0.7, legends[i], f);
        if (d.dx < 0) legend(cr, x - 3, y + h / 2, legends[i], f, Align::Right);
        if (d.dx > 0) legend(cr, x + w + 3, y + h / 2, legends[i], f, Align::Left);
        if (d.dx == 0 && d.dy == 0) {
            if (p.d->head.has("horizontal"))
                legend(cr, x + w / 2, y + h + f.size * 0.7, legends[i], f);
            else
                legend(cr, x + w + 3, y + h / 2, legends[i], f, Align::Left);
        }
    }
    if (const auto name = p.d->head.option("name")) legend(cr, x + w / 2, y - f.size * 1.9, *name, f);
}

// ---- rotary knobs

std::vector<double> knobAngles(const Piece& p) {
    const Words& w = p.d->head;
    std::vector<double> angles;
    if (const auto list = w.option("angles")) {
        for (const auto& a : listOf(*list)) angles.push_back(parseNumber(w, a));
        if (static_cast<int>(angles.size()) != p.states)
            w.fail("angles= lists one angle per image (" + std::to_string(p.states) + ")");
        return angles;
    }
    const double sweep = w.number("sweep", std::min(270.0, 50.0 * (p.states - 1)));
    const double from = w.number("from", -sweep / 2);
    for (int s = 0; s < p.states; ++s) angles.push_back(p.states > 1 ? from + sweep * s / (p.states - 1) : from);
    return angles;
}

void drawKnob(Canvas& c) {
    cairo_t* cr = c.cr;
    const double cx = c.w() / 2, cy = c.h() / 2, r = std::min(c.w(), c.h()) / 2 - 1;
    const double a = knobAngles(c.piece)[c.state] * M_PI / 180;
    // The skirt.
    cairo_arc(cr, cx, cy, r * 0.86, 0, 2 * M_PI);
    setColour(cr, {0.20, 0.21, 0.22});
    cairo_fill_preserve(cr);
    setColour(cr, {0.05, 0.05, 0.05});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const std::string style = c.piece.d->head.option("style").value_or("bar");
    if (style == "ring") {
        // A selector ring round another knob: the rim and its pointer tab, open in the middle.
        cairo_set_line_width(cr, r * 0.16);
        cairo_arc(cr, cx, cy, r * 0.9, 0, 2 * M_PI);
        setColour(cr, {0.22, 0.23, 0.24});
        cairo_stroke(cr);
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, a);
        cairo_move_to(cr, 0, -r);
        cairo_line_to(cr, r * 0.14, -r * 0.72);
        cairo_line_to(cr, -r * 0.14, -r * 0.72);
        cairo_close_path(cr);
        setColour(cr, {0.97, 0.97, 0.95});
        cairo_fill(cr);
        cairo_restore(cr);
        return;
    }
    const bool bar = style == "bar";
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, a);
    if (bar) {
        roundedRect(cr, -r * 0.3, -r * 0.98, r * 0.6, r * 1.96, r * 0.25);
    } else {
        cairo_arc(cr, 0, 0, r * 0.62, 0, 2 * M_PI);
    }
    cairo_pattern_t* body = cairo_pattern_create_linear(-r, -r, r, r);
    cairo_pattern_add_color_stop_rgb(body, 0, 0.24, 0.24, 0.25);
    cairo_pattern_add_color_stop_rgb(body, 1, 0.04, 0.04, 0.04);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    setColour(cr, {0.01, 0.01, 0.01});
    cairo_stroke(cr);
    // The pointer line.
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 0, bar ? -r * 0.9 : -r * 0.82);
    setColour(cr, {0.97, 0.97, 0.95});
    cairo_set_line_width(cr, std::max(1.4, r * 0.1));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void knobLabels(cairo_t* cr, const Piece& p, const GaugeElement& e, const Rgb& ink, bool) {
    const auto angles = knobAngles(p);
    const auto& legends = p.d->head.quoted;
    Font f;
    f.size = p.d->head.number("labelsize", 8);
    setColour(cr, ink);
    const double cx = e.at.x + p.width / 2.0, cy = e.at.y + p.height / 2.0;
    const double r = std::min(p.width, p.height) / 2.0 + p.d->head.number("labelgap", 4);
    for (std::size_t i = 0; i < angles.size() && i < legends.size(); ++i) {
        if (legends[i].empty()) continue;
        const double a = angles[i] * M_PI / 180;
        const double half = legendWidth(cr, legends[i], f) / 2;
        const double x = cx + std::sin(a) * (r + half * std::abs(std::sin(a))),
                     y = cy - std::cos(a) * (r + f.size * 0.45);
        legend(cr, x, y, legends[i], f);
    }
    if (const auto name = p.d->head.option("name")) {
        f.size += 1;
        legend(cr, cx, e.at.y + p.height + f.size, *name, f);
    }
}

// ---- push buttons

bool inList(const std::optional<std::string>& list, int state) {
    if (!list) return false;
    for (const auto& s : listOf(*list))
        if (!s.empty() && std::atoi(s.c_str()) == state) return true;
    return false;
}

void drawButton(Canvas& c) {
    cairo_t* cr = c.cr;
    const Words& w = c.piece.d->head;
    const bool lit = w.option("lit") ? inList(w.option("lit"), c.state) : (c.piece.states > 1 && c.state > 0);
    const bool pressed = inList(w.option("pressed"), c.state);
    const Rgb colour = colourNamed(w, w.option("colour").value_or("white"));
    const double inset = pressed ? 3 : 2;
    // The bezel, then the cap.
    bevelBox(cr, 0, 0, c.w(), c.h(), {0.12, 0.12, 0.13}, true, 3);
    bevelBox(cr, inset, inset, c.w() - 2 * inset, c.h() - 2 * inset, lit ? Rgb{0.16, 0.16, 0.15} : style::Glass,
             pressed, 2);
    const auto& legends = w.quoted;
    const std::string text = legends.empty() ? "" : legends.size() == 1 ? legends[0] : legends[c.state];
    Font f;
    f.size = w.number("textsize", std::min(9.0, c.h() / 3.2));
    setColour(cr, lit ? colour : style::DarkLegend);
    legend(cr, c.w() / 2, c.h() / 2, text, f);
    if (lit && w.has("bar")) {
        cairo_rectangle(cr, inset + 3, c.h() - inset - 5, c.w() - 2 * inset - 6, 2.5);
        setColour(cr, colour);
        cairo_fill(cr);
    }
}

// ---- guarded switches: the guard closed over the switch, raised, and raised with the switch thrown

void drawGuard(Canvas& c) {
    cairo_t* cr = c.cr;
    const auto states = stateWords(c.piece, c.piece.states == 2   ? std::vector<std::string>{"closed", "open"}
                                            : c.piece.states == 3 ? std::vector<std::string>{"closed", "open", "on"}
                                                                  : std::vector<std::string>(c.piece.states, "closed"));
    const std::string& s = states[c.state];
    const double u = std::min(c.w(), c.h() * 0.6);
    const Rgb red{0.72, 0.10, 0.08};
    if (s == "closed") {
        drawToggle(cr, c.w() / 2, c.h() * 0.58, u * 0.8, {0, 0}, 0);
        roundedRect(cr, c.w() * 0.12, c.h() * 0.18, c.w() * 0.76, c.h() * 0.74, 3);
        setColour(cr, red, 0.92);
        cairo_fill(cr);
        cairo_set_line_width(cr, 3);
        for (double y = c.h() * 0.25; y < c.h() * 0.9; y += 8) {
            cairo_move_to(cr, c.w() * 0.16, y);
            cairo_line_to(cr, c.w() * 0.84, y + 4);
        }
        setColour(cr, {0.95, 0.95, 0.92}, 0.55);
        cairo_stroke(cr);
    } else {
        const bool thrown = s != "open";
        drawToggle(cr, c.w() / 2, c.h() * 0.6, u * 0.8, {0, thrown ? 1.0 : -1.0}, c.h() * 0.26);
        // The raised guard, seen edge on above the switch.
        roundedRect(cr, c.w() * 0.1, 1, c.w() * 0.8, c.h() * 0.16, 2);
        setColour(cr, red);
        cairo_fill(cr);
    }
}

void guardLabels(cairo_t* cr, const Piece& p, const GaugeElement& e, const Rgb& ink, bool) {
    if (p.d->head.quoted.empty()) return;
    Font f;
    f.size = p.d->head.number("labelsize", 8);
    setColour(cr, ink);
    legend(cr, e.at.x + p.width / 2.0, e.at.y + p.height + f.size * 0.8, p.d->head.quoted[0], f);
}

// ---- T-handles (fire handles): stowed, pulled, turned left or right, each lit or not

void drawHandle(Canvas& c) {
    cairo_t* cr = c.cr;
    const auto states = stateWords(c.piece, std::vector<std::string>(c.piece.states, "stowed"));
    std::string s = states[c.state];
    const bool lit = s.size() > 4 && s.substr(s.size() - 4) == ":lit";
    if (lit) s.resize(s.size() - 4);
    if (s == "none") return;
    const Words& w = c.piece.d->head;
    const double pulled = s == "stowed" ? 0 : c.h() * 0.12;
    const double turn = s == "left" ? -0.35 : s == "right" ? 0.35 : 0;
    const double cx = c.w() / 2, cy = c.h() * 0.45 + pulled;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, turn);
    const double hw = c.w() * 0.46, hh = c.h() * 0.3;
    roundedRect(cr, -hw, -hh, 2 * hw, 2 * hh, hh * 0.6);
    setColour(cr, lit ? Rgb{1.0, 0.22, 0.12} : Rgb{0.55, 0.08, 0.06});
    cairo_fill_preserve(cr);
    setColour(cr, {0.2, 0.02, 0.02});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    if (!w.quoted.empty()) {
        Font f;
        f.size = w.number("textsize", 9);
        setColour(cr, lit ? Rgb{1, 1, 0.9} : Rgb{0.95, 0.75, 0.7});
        legend(cr, 0, 0, w.quoted[0], f);
    }
    cairo_restore(cr);
    // The stem the handle is pulled along.
    if (pulled > 0) {
        cairo_rectangle(cr, cx - 3, cy + hh - 2, 6, c.h() - (cy + hh - 2));
        setColour(cr, style::Metal);
        cairo_fill(cr);
    }
}

// ---- thumbwheels: one digit or legend per image on a ribbed wheel

void drawWheel(Canvas& c) {
    cairo_t* cr = c.cr;
    const Words& w = c.piece.d->head;
    bevelBox(cr, 0, 0, c.w(), c.h(), {0.10, 0.10, 0.11}, true, 2);
    cairo_pattern_t* drum = cairo_pattern_create_linear(0, 0, 0, c.h());
    cairo_pattern_add_color_stop_rgb(drum, 0, 0.05, 0.05, 0.05);
    cairo_pattern_add_color_stop_rgb(drum, 0.5, 0.30, 0.30, 0.31);
    cairo_pattern_add_color_stop_rgb(drum, 1, 0.05, 0.05, 0.05);
    cairo_rectangle(cr, 2, 2, c.w() - 4, c.h() - 4);
    cairo_set_source(cr, drum);
    cairo_fill(cr);
    cairo_pattern_destroy(drum);
    if (w.has("ribs")) {
        // A ribbed wheel: its ribs a little further round in each image.
        const double pitch = w.number("pitch", 6), shift = pitch * c.state / std::max(1, c.piece.states);
        setColour(cr, {0.05, 0.05, 0.05});
        cairo_set_line_width(cr, 1.5);
        const bool across = c.w() > c.h();
        for (double t = shift; t < (across ? c.w() : c.h()); t += pitch) {
            if (across)
                cairo_move_to(cr, t, 3), cairo_line_to(cr, t, c.h() - 3);
            else
                cairo_move_to(cr, 3, t), cairo_line_to(cr, c.w() - 3, t);
        }
        cairo_stroke(cr);
        return;
    }
    const std::string text = w.quoted.empty()       ? std::to_string(c.state)
                             : w.quoted.size() == 1 ? w.quoted[0]
                                                    : w.quoted[c.state];
    Font f;
    f.size = w.number("textsize", std::min(c.w() * 0.9, c.h() * 0.45));
    setColour(cr, {0.97, 0.97, 0.95});
    legend(cr, c.w() / 2, c.h() / 2, text, f);
}

// ---- levers: a grip along a slot, one place per image (gear, flap and fuel levers, throttles)

std::vector<double> leverPlaces(const Piece& p) {
    std::vector<double> at;
    if (const auto given = p.d->head.option("at")) {
        for (const auto& a : listOf(*given)) at.push_back(parseNumber(p.d->head, a));
    } else {
        for (int s = 0; s < p.states; ++s) at.push_back(p.states > 1 ? static_cast<double>(s) / (p.states - 1) : 0.5);
    }
    if (static_cast<int>(at.size()) != p.states)
        p.d->head.fail("at= gives one place (0 top to 1 bottom) per image (" + std::to_string(p.states) + ")");
    return at;
}

void drawSlotLever(Canvas& c) {
    cairo_t* cr = c.cr;
    const Words& w = c.piece.d->head;
    const bool across = w.has("horizontal");
    const double length = across ? c.w() : c.h(), breadth = across ? c.h() : c.w();
    const std::string grip = w.option("grip").value_or("tee");
    const double gripLength = w.number("grip-size", grip == "tee" ? breadth * 0.28 : breadth);
    const double place = leverPlaces(c.piece)[c.state];
    const double at = gripLength / 2 + place * (length - gripLength);
    if (across) {
        cairo_translate(cr, 0, c.h());
        cairo_rotate(cr, -M_PI / 2);
    }
    // Along the image's length from here on: x across, y along.
    if (!w.has("noslot")) {
        roundedRect(cr, breadth / 2 - 3, 2, 6, length - 4, 3);
        setColour(cr, {0.04, 0.04, 0.04});
        cairo_fill(cr);
    }
    const Rgb colour = colourNamed(w, w.option("colour").value_or(grip == "knob" ? "red" : "metal"));
    // The shaft from the slot to the grip.
    cairo_rectangle(cr, breadth / 2 - 2, std::min(at, length / 2), 4, std::abs(at - length / 2));
    setColour(cr, {0.55, 0.56, 0.57});
    cairo_fill(cr);
    if (grip == "tee") {
        roundedRect(cr, 1, at - gripLength / 2, breadth - 2, gripLength, 3);
    } else if (grip == "wheel") {
        cairo_arc(cr, breadth / 2, at, std::min(breadth, gripLength) / 2 - 1, 0, 2 * M_PI);
    } else if (grip == "knob") {
        roundedRect(cr, breadth * 0.15, at - gripLength * 0.35, breadth * 0.7, gripLength * 0.7, breadth * 0.2);
    } else {
        w.fail("a lever's grip is tee, wheel or knob, not '" + grip + "'");
    }
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, 0, breadth, 0);
    cairo_pattern_add_color_stop_rgb(shade, 0, colour.r * 0.7, colour.g * 0.7, colour.b * 0.7);
    cairo_pattern_add_color_stop_rgb(shade, 0.4, std::min(1.0, colour.r * 1.1), std::min(1.0, colour.g * 1.1),
                                     std::min(1.0, colour.b * 1.1));
    cairo_pattern_add_color_stop_rgb(shade, 1, colour.r * 0.6, colour.g * 0.6, colour.b * 0.6);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    setColour(cr, {0.1, 0.1, 0.1});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (!w.quoted.empty()) {
        Font f;
        f.size = w.number("textsize", 8);
        setColour(cr, grip == "knob" ? Rgb{1, 1, 1} : Rgb{0.08, 0.08, 0.08});
        legend(cr, breadth / 2, at, w.quoted.size() == 1 ? w.quoted[0] : w.quoted[c.state], f);
    }
}

}  // namespace

void registerControlKinds() {
    using E = host::ElementState;
    addKind(
        {.name = "switch",
         .drawnBy = {E::Icon},
         .size = [](Piece& p, const Artwork& a) { sizeFromAreas(p, a, 28, 44); },
         .check =
             [](const Piece& p) {
                 p.d->head.allow({"size", "depth", "states", "labels", "labelsize", "name", "absent"}, {"horizontal"});
                 checkLegends(p, true);
                 if (p.d->head.quoted.size() > 1 && static_cast<int>(p.d->head.quoted.size()) != p.states)
                     p.d->head.fail("one legend per position");
                 for (const auto& s : switchPositions(p)) directionOf(p.d->head, s);
             },
         .draw = drawSwitch,
         .labels = switchLabels});
    addKind({.name = "knob",
             .drawnBy = {E::Icon},
             .size = [](Piece& p, const Artwork& a) { sizeFromAreas(p, a, 40, 40); },
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "angles", "sweep", "from", "style", "labels", "labelsize",
                                      "labelgap", "name", "absent"});
                     if (!p.d->head.quoted.empty() && static_cast<int>(p.d->head.quoted.size()) != p.states)
                         p.d->head.fail("one legend per position (" + std::to_string(p.states) +
                                        "); \"\" leaves one out");
                     knobAngles(p);
                 },
             .draw = drawKnob,
             .labels = knobLabels});
    addKind({.name = "button",
             .drawnBy = {E::Icon},
             .size = [](Piece& p, const Artwork& a) { sizeFromAreas(p, a, 30, 30); },
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "lit", "pressed", "colour", "textsize", "absent"}, {"bar"});
                     checkLegends(p, true);
                 },
             .draw = drawButton});
    addKind({.name = "guard",
             .drawnBy = {E::Icon},
             .size = [](Piece& p, const Artwork& a) { sizeFromAreas(p, a, 36, 56); },
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "states", "labels", "labelsize", "absent"});
                 },
             .draw = drawGuard,
             .labels = guardLabels});
    addKind({.name = "handle",
             .drawnBy = {E::Icon},
             .size = [](Piece& p, const Artwork& a) { sizeFromAreas(p, a, 90, 60); },
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "states", "textsize", "absent"});
                     stateWords(p, std::vector<std::string>(p.states, "stowed"));
                 },
             .draw = drawHandle});
    addKind({.name = "lever",
             .drawnBy = {E::Icon, E::Slider},
             .size = [](Piece& p, const Artwork& a) { sizeFromAreas(p, a, 40, 120); },
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "at", "grip", "grip-size", "colour", "textsize", "absent"},
                                     {"horizontal", "noslot"});
                     checkLegends(p, true);
                     leverPlaces(p);
                 },
             .draw = drawSlotLever});
    addKind({.name = "wheel",
             .drawnBy = {E::Icon},
             .size = [](Piece& p, const Artwork& a) { sizeFromAreas(p, a, 20, 30); },
             .check =
                 [](const Piece& p) {
                     p.d->head.allow({"size", "depth", "textsize", "absent", "pitch"}, {"ribs"});
                     checkLegends(p, true);
                 },
             .draw = drawWheel});
}

}  // namespace tj20::art
