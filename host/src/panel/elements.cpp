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
constexpr std::size_t TextCapacity = 64;   // the host's text buffer: 63 characters and the terminator
constexpr std::size_t LongestChain = 256;  // a chain longer than this is taken to loop

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

// The evaluation of one element of each kind into its state, in place: a state that held the
// same element at the last draw keeps what does not change between draws (its bitmap's size,
// its text buffer, its needle table's angles), so a steady cycle allocates nothing. Local to
// this file, so that the compiler folds it into the walk of the chain.
namespace {
struct ElementEvaluator {
    Panel::Impl& panel;
    LoadedGauge& gauge;

    void icon(abi::ElementHeader* e, ElementState& s) {
        auto& icon = reinterpret_cast<abi::ElementIcon*>(e)->icon;
        panel.lookup(icon.source_var);
        s.images = icon.picture_count;
        s.value = call(icon.update_cb, e);
        // Truncated and clamped to the declared images: a state at or beyond the count shows
        // the last image, a negative one (or not a number) the first.
        const double last = icon.picture_count ? double(icon.picture_count - 1) : 0.0;
        s.state = s.value >= last ? int(last) : s.value >= 1.0 ? int(s.value) : 0;
    }

    void needle(abi::ElementHeader* e, ElementState& s, ElementSlot& slot) {
        auto& needle = reinterpret_cast<abi::ElementNeedle*>(e)->needle;
        panel.lookup(needle.source_var);
        if (needle.table && slot.filledTable != needle.table) {
            if (panel.filledTables.insert(needle.table).second)
                fillAngles(needle.table, needle.table_size, e->position);
            slot.filledTable = needle.table;
        }
        s.value = call(needle.update_cb, e);
        s.angle = interpolateAngle(needle.table, needle.table_size, s.value, e->needle_period);
    }

    // The text itself stays in the host's buffer until something reads it (Panel::Impl::texts).
    void text(abi::ElementHeader* e, ElementState& s, ElementSlot& slot) {
        auto& text = reinterpret_cast<abi::ElementText*>(e)->text;
        for (auto& v : text.source_var) panel.lookup(v);
        if (!slot.text) {
            auto& buffer = gauge.textBuffers[e];
            if (buffer.empty()) {
                buffer.assign(TextCapacity, '\0');
                text.string = buffer.data();
                text.max_string_length = TextCapacity;
            }
            slot.text = buffer.data();
        }
        s.value = call(text.update_cb, e);
        s.boxWidth = text.size.x;
        s.boxHeight = text.size.y;
        s.textColour = text.fg_color;
        s.backgroundColour = text.bg_color;
        if (text.font_name != slot.font) {  // the name is copied only when the module names another
            s.font = text.font_name ? text.font_name : "";
            slot.font = text.font_name;
        }
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

    void evaluate(abi::ElementHeader* e, ElementState& s, ElementSlot& slot) {
        const auto kind = static_cast<ElementState::Kind>(e->element_type);
        if (slot.header != e || s.kind != kind) {  // another element than at the last draw: start afresh
            s = ElementState{};
            slot = ElementSlot{e};
            s.kind = kind;
            s.bitmap = ~e->resource_id;  // looked up below
        }
        if (s.bitmap != e->resource_id) {
            s.bitmap = e->resource_id;
            s.width = s.height = 0;
            for (const auto& b : gauge.bitmaps)
                if (b.id == e->resource_id) s.width = int(b.width), s.height = int(b.height);
        }
        s.x = e->position.x;
        s.y = e->position.y;
        s.pivotX = e->offset.x;
        s.pivotY = e->offset.y;
        switch (s.kind) {
            case ElementState::Icon:
                icon(e, s);
                break;
            case ElementState::Needle:
                needle(e, s, slot);
                break;
            case ElementState::Text:
                text(e, s, slot);
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
    }
};
}  // namespace

void Panel::Impl::evaluate(LoadedGauge& g) {
    current = &g;
    const std::size_t before = g.elements.size();
    iconChanges.clear();
    ElementEvaluator evaluator{*this, g};
    abi::ElementHeader* e = g.header->elements_list ? *g.header->elements_list : nullptr;
    std::size_t n = 0;
    os::enterModule(g.module.c_str(), "element callback");
    // The states and slots are reached through local pointers, which the callbacks cannot
    // change, so the walk does not read the vectors again after every call into the module.
    ElementState* states = g.elements.data();
    ElementSlot* slots = g.slots.data();
    for (; e && n < LongestChain; ++n) {
        if (n >= before) {  // a chain longer than at the last draw
            g.elements.emplace_back();
            g.slots.emplace_back();
            states = g.elements.data();
            slots = g.slots.data();
        }
        ElementState& s = states[n];
        const int wasState = s.state;
        const bool wasVisible = s.visible;
        evaluator.evaluate(e, s, slots[n]);
        if (n < before && s.kind == ElementState::Icon && (s.state != wasState || s.visible != wasVisible))
            iconChanges.push_back({n, wasState, wasVisible});
        e = e->next_element ? e->next_element[0] : nullptr;
    }
    os::leaveModule();
    g.elements.resize(n);
    g.slots.resize(n);
    current = nullptr;
    // Not on the first draw, nor for a chain that changed: nothing to compare with.
    if (n == before && !iconChanges.empty()) journalIconChanges(g);
    drainSounds();
}

std::vector<ElementState> Panel::Impl::texts(const LoadedGauge& g) const {
    std::vector<ElementState> out = g.elements;
    for (std::size_t i = 0; i < out.size(); ++i)
        if (const char* text = g.slots[i].text) out[i].text.assign(text, strnlen(text, TextCapacity));
    return out;
}

// Journals each icon whose image or visibility changed since the gauge's last draw.
void Panel::Impl::journalIconChanges(const LoadedGauge& g) {
    for (const auto& change : iconChanges) {
        const std::size_t i = change.element;
        const ElementState& now = g.elements[i];
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
        e.before = std::uint64_t(change.state);
        e.after = std::uint64_t(now.state);
        e.wasVisible = change.visible;
        e.visible = now.visible;
        journal.add(std::move(e));
    }
}

}  // namespace tj20::host
