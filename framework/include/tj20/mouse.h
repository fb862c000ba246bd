// Mouse areas: readable declarations that produce the host's mouse-area table.
// A gauge lists its areas in one Areas table; the frame (list start, list end, end of
// table) is added around them.
#pragma once

#include <cstddef>
#include <type_traits>

#include "tj20/host_abi.h"
#include "tj20/keys.h"
#include "tj20/shared_var.h"

namespace tj20 {

struct Box {
    abi::i32 x;
    abi::i32 y;
    abi::i32 width;
    abi::i32 height;
};

enum class Cursor : abi::i32 {
    Hand = abi::CursorHand,
    UpArrow = abi::CursorUpArrow,
    DownArrow = abi::CursorDownArrow,
};

namespace detail {
template <auto Action>
abi::u32 TJ20_CALL mouseTrampoline(abi::PixPoint* point, abi::u32) {
    if constexpr (std::is_invocable_v<decltype(Action), abi::i32, abi::i32>)
        Action(point ? point->x : 0, point ? point->y : 0);
    else
        Action();
    return 0;
}

constexpr abi::MouseRect frame(abi::u32 kind) {
    abi::MouseRect r{};
    r.rect_type = kind;
    r.cursor = abi::CursorNone;
    r.callback = nullptr;
    return r;
}

template <auto Action>
constexpr abi::MouseRect area(Box box, Cursor cursor, abi::u32 flags) {
    abi::MouseRect r{};
    r.rect_type = abi::MouseArea;
    r.box = {box.x, box.y, box.width, box.height};
    r.cursor = static_cast<abi::i32>(cursor);
    r.mouse_flags = flags;
    r.callback = &mouseTrampoline<Action>;
    return r;
}

extern const abi::u32 emptyArguments[1];
}  // namespace detail

// Acts once per left-button press.
template <auto Action>
constexpr abi::MouseRect press(Box box, Cursor cursor = Cursor::Hand) {
    return detail::area<Action>(box, cursor, abi::MouseLeftPress);
}

// Acts on the press and again at the host's repeat rate while the button is held.
template <auto Action>
constexpr abi::MouseRect repeat(Box box, Cursor cursor = Cursor::Hand) {
    return detail::area<Action>(box, cursor, abi::MouseLeftPressRepeat);
}

// Follows a left-button drag; the action receives the point relative to the area.
template <auto Action>
constexpr abi::MouseRect drag(Box box, Cursor cursor = Cursor::Hand) {
    return detail::area<Action>(box, cursor, abi::MouseLeftDrag);
}

// Acts on a right-button press.
template <auto Action>
constexpr abi::MouseRect rightPress(Box box, Cursor cursor = Cursor::Hand) {
    return detail::area<Action>(box, cursor, abi::MouseRightPress);
}

// A two-position switch held in a shared variable.
template <auto& Var>
constexpr abi::MouseRect toggleArea(Box box, Cursor cursor = Cursor::Hand) {
    return press<[] { toggle(Var); }>(box, cursor);
}

// A button that only sends a key event (value 0).
template <KeyEvent Event>
constexpr abi::MouseRect keyArea(Box box, Cursor cursor = Cursor::Hand) {
    return press<[] { send(Event); }>(box, cursor);
}

// A tooltip; never hit.
constexpr abi::MouseRect tooltip(const char* text) {
    abi::MouseRect r = detail::frame(abi::MouseTooltip);
    r.tooltip_text = text;
    r.api_data = detail::emptyArguments;
    return r;
}

template <std::size_t N>
struct Areas {
    abi::MouseRect records[N + 3];
    template <class... R>
    constexpr explicit Areas(R... areas)
        : records{detail::frame(abi::MouseListStart), areas..., detail::frame(abi::MouseListEnd),
                  detail::frame(abi::MouseEndOfTable)} {}
};
template <class... R>
Areas(R...) -> Areas<sizeof...(R)>;

struct AreaList {
    abi::MouseRect* records = nullptr;
    // Whether the gauge named a table: a flag rather than a null test of the address, which is
    // not a constant expression for a table with vague linkage (a template's static member).
    bool given = false;
    constexpr AreaList() = default;
    template <std::size_t N>
    constexpr AreaList(Areas<N>& a) : records(a.records), given(true) {}  // NOLINT(google-explicit-constructor)
};

}  // namespace tj20
