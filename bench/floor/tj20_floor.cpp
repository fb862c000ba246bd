// The floor gauge: TJ20_FLOOR_ELEMENTS static images and nothing else. No update, no reset,
// no variables, no callbacks: a panel of these costs only what the host spends on each
// gauge and element, the measure the real panel's cycle is compared with.
#include <cstddef>
#include <utility>

#include "tj20/gauge.h"

#ifndef TJ20_FLOOR_ELEMENTS
#error "TJ20_FLOOR_ELEMENTS: the number of elements of this floor gauge"
#endif

namespace {
using namespace tj20;

template <std::size_t... I>
constexpr Chain<sizeof...(I)> images(std::index_sequence<I...>) {
    return Chain<sizeof...(I)>{image(0x100, {static_cast<abi::i32>(I), 0})...};
}

constinit auto elements = images(std::make_index_sequence<TJ20_FLOOR_ELEMENTS>{});
}  // namespace

TJ20_GAUGE(tj20_floor, .elements = elements)
