// The element callbacks the host calls when it draws: each reads the element's source,
// applies its lighting and visibility, and returns the value.
#include "tj20/elements.h"

#include <bit>

#include "tj20/helpers.h"

namespace tj20::detail {

constinit abi::FailureRecord noFailures[1] = {{0, 0}};

namespace {
Element& element(abi::ElementHeader* h) { return *reinterpret_cast<Element*>(h); }

void formatOnChange(Element& e, double value) {
    auto& t = e.fields.text;
    const auto bits = std::bit_cast<std::uint64_t>(value);  // -0 and 0 print apart; a NaN is itself
    if (e.formatted.buffer == t.string && e.formatted.value == bits) return;
    formatText(t.string, t.max_string_length, e.format, value);
    e.formatted = {t.string, bits};
}

void applyFlags(Element& e) {
    auto& flags = e.header.image_flags;
    if (e.lit.set()) flags = e.lit.holds() ? (flags | abi::ImageLit) : (flags & ~abi::ImageLit);
    if (e.visible.set()) flags = e.visible.holds() ? (flags & ~abi::ImageHidden) : (flags | abi::ImageHidden);
}
}  // namespace

double TJ20_CALL valueCallback(abi::ElementHeader* h) {
    Element& e = element(h);
    applyFlags(e);
    return e.value.read(e);
}

double TJ20_CALL yCallback(abi::ElementHeader* h) {
    const Element& e = element(h);
    return e.y.read(e);
}

double TJ20_CALL angleCallback(abi::ElementHeader* h) {
    const Element& e = element(h);
    return e.angle.read(e);
}

double TJ20_CALL textCallback(abi::ElementHeader* h) {
    Element& e = element(h);
    applyFlags(e);
    auto& t = e.fields.text;
    if (!t.string || t.max_string_length == 0) return 0.0;
    if (e.render)
        e.render(t.string, t.max_string_length);
    else if (e.format)
        formatOnChange(e, e.value.read(e));
    return 0.0;
}

void forgetFormattedTexts(abi::ElementHeader* const* root) {
    for (abi::ElementHeader* h = root ? *root : nullptr; h; h = h->next_element ? h->next_element[0] : nullptr)
        element(h).formatted = {};
}

}  // namespace tj20::detail
