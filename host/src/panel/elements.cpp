// Element evaluation: after the draws the host walks each gauge's element chain from the
// root, refreshes each element's embedded simulator variables, calls its callbacks and
// records what a pilot would see. One function per element kind.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "panel_impl.h"
#include "platform/os.h"

namespace tj20::host {

const char* describe(ElementState::Kind kind) {
    switch (kind) {
        case ElementState::StaticImage:
            return "a static image";
        case ElementState::Needle:
            return "a needle";
        case ElementState::Text:
            return "a text";
        case ElementState::Slider:
            return "a slider";
        case ElementState::Icon:
            return "an icon";
        case ElementState::MovingImage:
            return "a moving image";
        case ElementState::Sprite:
            return "a sprite";
    }
    return "an element of an unknown kind";
}

namespace {
constexpr std::size_t TextCapacity = 64;  // the host's text buffer: 63 characters and the terminator
constexpr int LongestChain = 256;         // a chain longer than this is taken to loop

double call(abi::ElementCallback cb, abi::ElementHeader* e) { return cb ? cb(e) : 0.0; }

// The angle for a value: interpolated between the two entries that bracket it. A needle on a
// full-circle dial (one that declares the value of a full turn) carries on from its last entry
// round to its first, one turn on, so a compass card or a 1000-ft pointer passes the seam
// smoothly; any other needle is clamped at the first and the last entry.
double interpolateAngle(const abi::NeedleEntry* table, std::uint32_t n, double value, double period) {
    if (n == 0) return 0;
    const abi::NeedleEntry& first = table[0];
    const abi::NeedleEntry& last = table[n - 1];
    if (period > 0 && std::isfinite(value)) {
        // The same point of the dial within the turn that starts at the first entry.
        value = first.value + std::fmod(value - first.value, period);
        if (value < first.value) value += period;
        if (value > last.value) {
            // From the last entry on to the first, one turn further in the table's direction.
            const double turn = last.angle >= first.angle ? 2 * std::numbers::pi : -2 * std::numbers::pi;
            const double span = first.value + period - last.value;
            const double f = span > 0 ? (value - last.value) / span : 0.0;
            return last.angle + f * (first.angle + turn - last.angle);
        }
    }
    if (value <= first.value) return first.angle;
    for (std::uint32_t i = 1; i < n; ++i) {
        if (value <= table[i].value) {
            const double span = table[i].value - table[i - 1].value;
            const double f = span > 0 ? (value - table[i - 1].value) / span : 1.0;
            return table[i - 1].angle + f * (table[i].angle - table[i - 1].angle);
        }
    }
    return last.angle;
}

// Fills the table's angles: the direction from the needle's pivot to each entry's point,
// clockwise from straight up, unwrapped so that consecutive entries never jump a full turn.
void fillAngles(abi::NeedleEntry* table, std::uint32_t n, abi::PixPoint pivot) {
    double previous = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        double a = std::atan2(double(table[i].point.x - pivot.x), double(pivot.y - table[i].point.y));
        if (i > 0) {
            while (a - previous > std::numbers::pi) a -= 2 * std::numbers::pi;
            while (previous - a > std::numbers::pi) a += 2 * std::numbers::pi;
        }
        table[i].angle = a;
        previous = a;
    }
}
}  // namespace

// The evaluation of one element of each kind; `s` arrives with the common fields filled.
struct ElementEvaluator {
    Panel::Impl& panel;
    LoadedGauge& gauge;

    void icon(abi::ElementHeader* e, ElementState& s) {
        auto& icon = reinterpret_cast<abi::ElementIcon*>(e)->icon;
        panel.lookup(icon.source_var);
        s.images = icon.picture_count;
        s.value = call(icon.update_cb, e);
        // Truncated and clamped to the declared images: a state at or beyond the count shows
        // the last image, a negative one the first.
        const double last = icon.picture_count ? double(icon.picture_count - 1) : 0.0;
        s.state = int(std::clamp(std::isnan(s.value) ? 0.0 : std::trunc(s.value), 0.0, last));
    }

    void needle(abi::ElementHeader* e, ElementState& s) {
        auto& needle = reinterpret_cast<abi::ElementNeedle*>(e)->needle;
        panel.lookup(needle.source_var);
        if (needle.table && panel.filledTables.insert(needle.table).second)
            fillAngles(needle.table, needle.table_size, e->position);
        s.value = call(needle.update_cb, e);
        s.angle = interpolateAngle(needle.table, needle.table_size, s.value, e->needle_period);
    }

    void text(abi::ElementHeader* e, ElementState& s) {
        auto& text = reinterpret_cast<abi::ElementText*>(e)->text;
        for (auto& v : text.source_var) panel.lookup(v);
        auto& buffer = gauge.textBuffers[e];
        if (buffer.empty()) {
            buffer.assign(TextCapacity, '\0');
            text.string = buffer.data();
            text.max_string_length = TextCapacity;
        }
        s.value = call(text.update_cb, e);
        s.text = std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
        s.boxWidth = text.size.x;
        s.boxHeight = text.size.y;
        s.textColour = text.fg_color;
        s.backgroundColour = text.bg_color;
        s.font = text.font_name ? text.font_name : "";
        s.fontWeight = text.font_weight;
    }

    // Sliders and moving images: the offset on each axis is the axis callback × its scale.
    void slider(abi::ElementHeader* e, ElementState& s) {
        auto& f = reinterpret_cast<abi::ElementSlider*>(e)->slider;
        panel.lookup(f.x.source_var);
        panel.lookup(f.y.source_var);
        s.value = call(f.x.update_cb, e);
        s.offsetX = s.value * f.x.scale;
        s.offsetY = call(f.y.update_cb, e) * f.y.scale;
        s.scaleX = f.x.scale;
        s.scaleY = f.y.scale;
    }

    // Sprites move as sliders do and also turn by the angle callback × its scale.
    void sprite(abi::ElementHeader* e, ElementState& s) {
        auto& f = reinterpret_cast<abi::ElementSprite*>(e)->sprite;
        panel.lookup(f.x.source_var);
        panel.lookup(f.y.source_var);
        panel.lookup(f.angle.source_var);
        s.value = call(f.x.update_cb, e);
        s.offsetX = s.value * f.x.scale;
        s.offsetY = call(f.y.update_cb, e) * f.y.scale;
        s.rotation = call(f.angle.update_cb, e) * f.angle.scale;
    }

    ElementState evaluate(abi::ElementHeader* e) {
        ElementState s;
        s.kind = static_cast<ElementState::Kind>(e->element_type);
        s.bitmap = e->resource_id;
        s.x = e->position.x;
        s.y = e->position.y;
        s.pivotX = e->offset.x;
        s.pivotY = e->offset.y;
        for (const auto& b : gauge.bitmaps)
            if (b.id == e->resource_id) s.width = int(b.width), s.height = int(b.height);
        switch (s.kind) {
            case ElementState::Icon:
                icon(e, s);
                break;
            case ElementState::Needle:
                needle(e, s);
                break;
            case ElementState::Text:
                text(e, s);
                break;
            case ElementState::Slider:
            case ElementState::MovingImage:
                slider(e, s);
                break;
            case ElementState::Sprite:
                sprite(e, s);
                break;
            case ElementState::StaticImage:
                break;
        }
        s.flags = e->image_flags;
        s.visible = (e->image_flags & abi::ImageHidden) == 0;
        s.lit = (e->image_flags & abi::ImageLit) != 0;
        return s;
    }
};

void Panel::Impl::evaluate(LoadedGauge& g) {
    current = &g;
    std::vector<ElementState> before;
    before.swap(g.elements);
    ElementEvaluator evaluator{*this, g};
    abi::ElementHeader* e = g.header->elements_list ? *g.header->elements_list : nullptr;
    os::enterModule(g.module.c_str(), "element callback");
    for (int guard = 0; e && guard < LongestChain; ++guard) {
        g.elements.push_back(evaluator.evaluate(e));
        e = e->next_element ? e->next_element[0] : nullptr;
    }
    os::leaveModule();
    current = nullptr;
    journalIconChanges(g, before);
    drainSounds();
}

// Journals each icon whose image or visibility changed since the gauge's last draw.
void Panel::Impl::journalIconChanges(const LoadedGauge& g, const std::vector<ElementState>& before) {
    if (before.size() != g.elements.size()) return;  // the first draw: nothing to compare with
    for (std::size_t i = 0; i < g.elements.size(); ++i) {
        const ElementState& now = g.elements[i];
        const ElementState& was = before[i];
        if (now.kind != ElementState::Icon || (now.state == was.state && now.visible == was.visible)) continue;
        int sharing = 0;
        for (std::size_t j = 0; j < i; ++j)
            if (g.elements[j].x == now.x && g.elements[j].y == now.y) ++sharing;
        Event e = event(Event::Kind::Element, g.module);
        // Built by appending: GCC 12 wrongly warns (-Wrestrict) on "literal" + std::string temporaries.
        e.element = std::to_string(now.x);
        e.element += ',';
        e.element += std::to_string(now.y);
        if (sharing) {
            e.element += '[';
            e.element += std::to_string(sharing);
            e.element += ']';
        }
        e.before = std::uint64_t(was.state);
        e.after = std::uint64_t(now.state);
        e.wasVisible = was.visible;
        e.visible = now.visible;
        journal.add(std::move(e));
    }
}

}  // namespace tj20::host
