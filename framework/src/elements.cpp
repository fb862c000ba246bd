// The element callbacks the host calls when it draws: each reads the element's source,
// applies its lighting and visibility, and returns the value.
#include "tj20/elements.h"

#include "tj20/helpers.h"

namespace tj20::detail {

constinit abi::FailureRecord noFailures[1] = {{0, 0}};

namespace {
Element& element(abi::ElementHeader* h) { return *reinterpret_cast<Element*>(h); }

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
        formatText(t.string, t.max_string_length, e.format, e.value.read(e));
    return 0.0;
}

}  // namespace tj20::detail
