// Display elements: readable declarations that produce the host's element records and
// answer its element callbacks. A gauge lists its elements in one Chain, background first.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "tj20/host_abi.h"
#include "tj20/ids/types.h"
#include "tj20/shared_var.h"

namespace tj20 {

namespace detail {
extern abi::GaugeHeader gaugeHeader;  // the module's one gauge header, defined by TJ20_GAUGE
}  // namespace detail

struct Point {
    abi::i32 x = 0;
    abi::i32 y = 0;
};

struct Element;

// Where an element's value comes from: a function of the gauge's state, a function of the
// element being drawn (for an element that reads the simulator variable it carries), a
// shared variable, or a cell of the gauge's state.
class Source {
public:
    constexpr Source() = default;
    template <class F>
    requires(std::is_invocable_v<F>&& std::is_empty_v<F>) constexpr Source(F)
        : fn_(+[]() -> double { return static_cast<double>(F{}()); }) {}  // NOLINT
    template <class F>
    requires(std::is_invocable_v<F, const Element&>&& std::is_empty_v<F>) constexpr Source(F)  // NOLINT
        : ofElement_(+[](const Element& e) -> double { return static_cast<double>(F{}(e)); }) {}
    constexpr Source(const Owned& v) : owned_(&v) {}   // NOLINT
    constexpr Source(const Bound& v) : bound_(&v) {}   // NOLINT
    constexpr Source(const u32* cell) : cell_(cell) {}  // NOLINT
    double read(const Element& self) const {
        if (fn_) return fn_();
        if (ofElement_) return ofElement_(self);
        if (owned_) return owned_->get();
        if (bound_) return bound_->get();
        if (cell_) return *cell_;
        return 0.0;
    }

private:
    double (*fn_)() = nullptr;
    double (*ofElement_)(const Element&) = nullptr;
    const Owned* owned_ = nullptr;
    const Bound* bound_ = nullptr;
    const u32* cell_ = nullptr;
};

// A condition for visibility or lighting: always, a function of the gauge's state, or a
// cell of the gauge's state holding a given value.
class Cond {
public:
    enum class Kind : unsigned char { Unset, Always, Fn, CellEquals };
    constexpr Cond() = default;
    static constexpr Cond always() {
        Cond c;
        c.kind_ = Kind::Always;
        return c;
    }
    static constexpr Cond cellEquals(const u32* cell, u32 value) {
        Cond c;
        c.kind_ = Kind::CellEquals;
        c.cell_ = cell;
        c.value_ = value;
        return c;
    }
    template <class F>
    requires(std::is_invocable_r_v<bool, F>&& std::is_empty_v<F>) constexpr Cond(F)
        : kind_(Kind::Fn), fn_(+[]() -> bool { return static_cast<bool>(F{}()); }) {}  // NOLINT
    constexpr bool set() const { return kind_ != Kind::Unset; }
    bool holds() const {
        switch (kind_) {
            case Kind::Always:
                return true;
            case Kind::Fn:
                return fn_();
            case Kind::CellEquals:
                return *cell_ == value_;
            default:
                return false;
        }
    }

private:
    Kind kind_ = Kind::Unset;
    bool (*fn_)() = nullptr;
    const u32* cell_ = nullptr;
    u32 value_ = 0;
};

// Text rendering of a gauge's value into the host's buffer.
using TextRenderer = void (*)(char* buffer, std::size_t capacity);

struct TextStyle {
    abi::u32 fg = 0x00FF00;
    abi::u32 bg = 0x000000;
    abi::u32 hilite = 0x000000;
    const char* font = "Quartz";
    abi::u32 weight = 400;
};

inline constexpr abi::u32 Green = 0x00FF00;
inline constexpr abi::u32 White = 0xFFFFFF;
inline constexpr abi::u32 Amber = 0x1294F3;

// One element: the host's record first, then what the framework needs to answer for it.
struct Element {
    abi::ElementHeader header{};
    union Fields {
        abi::u32 none;
        abi::NeedleFields needle;
        abi::TextFields text;
        abi::SliderFields slider;
        abi::IconFields icon;
        abi::SpriteFields sprite;
    } fields{.none = 0};
    Source value;  // icon state, needle value, text value, x of sliders and sprites
    Source y;
    Source angle;
    Cond visible;  // unset: the callbacks never touch the hidden bit
    Cond lit;      // unset: never drawn lit
    const char* format = nullptr;
    TextRenderer render = nullptr;
    // What a formatted text last put into the host's buffer: the buffer and the value, bit for
    // bit. The same value into the same buffer gives the same text, so the callback formats
    // only when the value changes (formatting is most of what a draw costs).
    struct Formatted {
        char* buffer = nullptr;
        std::uint64_t value = 0;
    } formatted;

    // Drawn lit on every call.
    constexpr Element& alwaysLit() {
        lit = Cond::always();
        return *this;
    }
    constexpr Element& litWhen(Cond c) {
        lit = c;
        return *this;
    }
    // A conditional element: shown while the condition holds and hidden otherwise, and drawn
    // lit on every call (unless its lighting is given otherwise); the callback sets or clears
    // the hidden bit each call.
    constexpr Element& visibleWhen(Cond c) {
        visible = c;
        if (!lit.set()) lit = Cond::always();
        return *this;
    }
    // A needle on a full-circle dial: `valuePerTurn` is the value of one full turn (360 for
    // a compass card, 1000 for a 1000-ft pointer). Values beyond the table's last entry carry
    // on round the dial towards the first instead of stopping at the last.
    constexpr Element& period(abi::u32 valuePerTurn) {
        header.needle_period = valuePerTurn;
        return *this;
    }
    constexpr Element& flags(abi::u32 f) {
        header.image_flags = f;
        return *this;
    }
    // Carries simulator variable `id` in the element's own record (a text element's first),
    // which the host refreshes just before each call of the element's callback.
    constexpr Element& carries(SimVar id) {
        switch (header.element_type) {
            case abi::KindIcon:
                fields.icon.source_var.id = id.id;
                break;
            case abi::KindNeedle:
                fields.needle.source_var.id = id.id;
                break;
            case abi::KindText:
                fields.text.source_var[0].id = id.id;
                break;
            case abi::KindSlider:
            case abi::KindMovingImage:
                fields.slider.x.source_var.id = id.id;
                break;
            case abi::KindSprite:
                fields.sprite.x.source_var.id = id.id;
                break;
            default:
                break;
        }
        return *this;
    }
    // The carried variable as the host last refreshed it; 0 before the element is first drawn.
    double carried() const {
        switch (header.element_type) {
            case abi::KindIcon:
                return fields.icon.source_var.var_value.n;
            case abi::KindNeedle:
                return fields.needle.source_var.var_value.n;
            case abi::KindText:
                return fields.text.source_var[0].var_value.n;
            case abi::KindSlider:
            case abi::KindMovingImage:
                return fields.slider.x.source_var.var_value.n;
            case abi::KindSprite:
                return fields.sprite.x.source_var.var_value.n;
            default:
                return 0.0;
        }
    }
};

static_assert(offsetof(Element, fields) == offsetof(abi::ElementIcon, icon));
static_assert(offsetof(Element, fields) == offsetof(abi::ElementNeedle, needle));
static_assert(offsetof(Element, fields) == offsetof(abi::ElementText, text));
static_assert(offsetof(Element, fields) == offsetof(abi::ElementSprite, sprite));

namespace detail {
double TJ20_CALL valueCallback(abi::ElementHeader* e);
double TJ20_CALL yCallback(abi::ElementHeader* e);
double TJ20_CALL angleCallback(abi::ElementHeader* e);
double TJ20_CALL textCallback(abi::ElementHeader* e);
// Forgets what the chain's texts last formatted: a panel that loads the gauge gives them new buffers.
void forgetFormattedTexts(abi::ElementHeader* const* root);
extern abi::FailureRecord noFailures[1];

constexpr Element base(abi::u32 kind, abi::u32 bitmap, Point at, abi::u32 flags) {
    Element e;
    e.header.element_type = kind;
    e.header.resource_id = bitmap;
    e.header.position = {at.x, at.y};
    e.header.image_flags = flags;
    e.header.failure_systems = noFailures;
    e.header.gauge_header = &gaugeHeader;
    return e;
}
constexpr abi::AxisFields axis(double scale, abi::ElementCallback cb) {
    abi::AxisFields a{};
    a.scale = scale;
    a.update_cb = cb;
    return a;
}
}  // namespace detail

// Needle table: (value, x, y) entries in ascending value; the host fills the angles.
struct NeedlePoint {
    double value;
    abi::i32 x;
    abi::i32 y;
};

template <std::size_t N>
struct NeedleTable {
    abi::NeedleEntry entries[N];
    template <class... P>
    constexpr explicit NeedleTable(P... points) : entries{entry(points)...} {}
    static constexpr abi::NeedleEntry entry(NeedlePoint p) { return {{p.x, p.y}, p.value, 0.0}; }
};
template <class... P>
NeedleTable(P...) -> NeedleTable<sizeof...(P)>;

// A static image: the background (resource 256) or any bitmap that never changes.
constexpr Element image(abi::u32 bitmap, Point at = {}) {
    return detail::base(abi::KindStaticImage, bitmap, at, abi::ImageFlagsInitial);
}

// An icon of `images` states; state k shows bitmap + k.
constexpr Element icon(abi::u32 bitmap, Point at, abi::u32 images, Source state) {
    Element e = detail::base(abi::KindIcon, bitmap, at, abi::ImageFlagsInitial);
    e.fields.icon = abi::IconFields{};
    e.fields.icon.update_cb = detail::valueCallback;
    e.fields.icon.switch_mode = abi::IconSwitchMode;
    e.fields.icon.picture_count = images;
    e.value = state;
    return e;
}

// A needle turning about `pivot` on the face, its bitmap's `centre` on the pivot.
template <std::size_t N>
constexpr Element needle(abi::u32 bitmap, Point pivot, Point centre, NeedleTable<N>& table, Source value) {
    Element e = detail::base(abi::KindNeedle, bitmap, pivot, abi::ImageFlagsInitial);
    e.header.offset = {centre.x, centre.y};
    e.fields.needle = abi::NeedleFields{};
    e.fields.needle.update_cb = detail::valueCallback;
    e.fields.needle.table = table.entries;
    e.fields.needle.table_size = static_cast<abi::u32>(N);
    e.value = value;
    return e;
}

namespace detail {
constexpr Element textBase(Point at, Point box, TextStyle style) {
    Element e = base(abi::KindText, 0xFFFFFFFFu, at, abi::TextFlagsInitial);
    e.fields.text = abi::TextFields{};
    auto& t = e.fields.text;
    t.update_cb = textCallback;
    t.size = {box.x, box.y};
    t.fg_color = style.fg;
    t.bg_color = style.bg;
    t.hilite_color = style.hilite;
    t.font_name = style.font;
    t.font_weight = style.weight;
    t.char_set = abi::TextCharSet;
    t.draw_flags = abi::TextDrawFlags;
    return e;
}
}  // namespace detail

// A text box showing `value` through a printf format that takes one 64-bit float.
constexpr Element text(Point at, Point box, TextStyle style, const char* format, Source value) {
    Element e = detail::textBase(at, box, style);
    e.format = format;
    e.value = value;
    return e;
}

// A text box the gauge renders itself (digit formats of the radio heads).
constexpr Element text(Point at, Point box, TextStyle style, TextRenderer render) {
    Element e = detail::textBase(at, box, style);
    e.render = render;
    return e;
}

// A bitmap offset by x × scaleX and y × scaleY from its position.
constexpr Element slider(abi::u32 bitmap, Point at, double scaleX, Source x, double scaleY, Source y) {
    Element e = detail::base(abi::KindSlider, bitmap, at, abi::ImageFlagsInitial);
    e.fields.slider = {detail::axis(scaleX, detail::valueCallback), detail::axis(scaleY, detail::yCallback)};
    e.value = x;
    e.y = y;
    return e;
}

// A bitmap moved inside its mask by x × scaleX and y × scaleY.
constexpr Element movingImage(abi::u32 bitmap, Point at, double scaleX, Source x, double scaleY, Source y) {
    Element e = slider(bitmap, at, scaleX, x, scaleY, y);
    e.header.element_type = abi::KindMovingImage;
    return e;
}

// A bitmap moved by x and y and turned by angle (radians) about its pivot.
constexpr Element sprite(abi::u32 bitmap, Point at, Point centre, Source x, Source y, Source angle,
                         double scale = 1.0) {
    Element e = detail::base(abi::KindSprite, bitmap, at, abi::ImageFlagsInitial);
    e.header.offset = {centre.x, centre.y};
    e.fields.sprite = {detail::axis(scale, detail::valueCallback), detail::axis(scale, detail::yCallback),
                       detail::axis(scale, detail::angleCallback)};
    e.value = x;
    e.y = y;
    e.angle = angle;
    return e;
}

// The gauge's element chain: the first element is the root (the background), each one
// links to the next through a one-entry list.
template <std::size_t N>
struct Chain {
    Element items[N];
    abi::ElementHeader* links[N][2];
    abi::ElementHeader* root;

    template <class... E>
    constexpr explicit Chain(E... elements) : items{elements...}, links{}, root{&items[0].header} {
        for (std::size_t i = 0; i < N; ++i) {
            links[i][0] = i + 1 < N ? &items[i + 1].header : nullptr;
            links[i][1] = nullptr;
            items[i].header.next_element = links[i];
        }
    }
};
template <class... E>
Chain(E...) -> Chain<sizeof...(E)>;

// The root slot of any chain, as the gauge header holds it.
struct ElementList {
    abi::ElementHeader** root = nullptr;
    constexpr ElementList() = default;
    template <std::size_t N>
    constexpr ElementList(Chain<N>& c) : root(&c.root) {}  // NOLINT(google-explicit-constructor)
};

}  // namespace tj20
