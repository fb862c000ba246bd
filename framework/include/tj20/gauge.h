// The module skeleton. A gauge module declares its shared variables, tables and rules, then
// names them once:
//
//   TJ20_BOUND(ohpanel, ohflood);
//   ...
//   TJ20_GAUGE(rl_tj20_oh_lights, .elements = elements, .areas = areas, .update = update, .reset = reset)
//
// TJ20_OWNED and TJ20_BOUND declare the gauge's shared variables from the catalogue
// (tj20/shared.h) and are, in the order written, its registration and binding lists: a
// variable cannot be declared without being registered or bound. TJ20_GAUGE defines the
// module's gauge header and its two exports, ImportTable (in the framework) and Linkage. The
// framework's service dispatch does the rest: install registers the owned variables in order;
// initialise binds the sound library and the bound variables; update re-binds the sound
// library, refreshes the simulator table and runs the rules; the first draw runs the reset
// once; kill stops all sounds, releases the library and unregisters in install order. Every
// other service code does nothing.
#pragma once

#include <cstddef>

#include "tj20/elements.h"
#include "tj20/helpers.h"
#include "tj20/host_abi.h"
#include "tj20/idioms.h"
#include "tj20/ids.h"
#include "tj20/keys.h"
#include "tj20/mouse.h"
#include "tj20/shared.h"
#include "tj20/shared_var.h"
#include "tj20/sim_var.h"
#include "tj20/sound.h"

namespace tj20 {

inline constexpr std::size_t MaxOwned = 24;
inline constexpr std::size_t MaxBound = 96;

// A gauge's owned or bound variables in registration (binding) order; ends at the first null.
template <class V, std::size_t Max>
struct VarList {
    V* items[Max] = {};
};
using OwnedList = VarList<Owned, MaxOwned>;
using BoundList = VarList<Bound, MaxBound>;

// What a gauge adds to the skeleton besides its shared variables.
struct GaugeDefinition {
    SimList sim = {};
    ElementList elements = {};
    AreaList areas = {};
    void (*update)() = nullptr;
    void (*reset)() = nullptr;
};

namespace detail {
// Overload ranks: a gauge's own variable list (Declared) wins over the empty one.
struct NoneDeclared {};
struct Declared : NoneDeclared {};

extern const GaugeDefinition gaugeDefinition;  // defined by TJ20_GAUGE
extern const OwnedList gaugeOwned;
extern const BoundList gaugeBound;
extern Areas<0> frameOnlyAreas;  // the table of a gauge that cannot be clicked
void TJ20_CALL service(abi::GaugeHeader* gauge, abi::i32 code, abi::u32 extra);
void TJ20_CALL moduleNoop();

constexpr abi::GaugeHeader makeHeader(const char* name, const GaugeDefinition& gauge) {
    abi::GaugeHeader h{};
    h.gauge_header_version = abi::GaugeHeaderVersion;
    h.gauge_name = name;
    h.elements_list = gauge.elements.root;
    h.size_x = abi::GaugeDefaultWidth;
    h.mouse_rect = gauge.areas.given ? gauge.areas.records : frameOnlyAreas.records;
    h.gauge_callback = &service;
    return h;
}
}  // namespace detail

}  // namespace tj20

// The lists of a gauge that declares no owned or no bound variable.
constexpr tj20::OwnedList tj20GaugeOwned(tj20::detail::NoneDeclared) { return {}; }
constexpr tj20::BoundList tj20GaugeBound(tj20::detail::NoneDeclared) { return {}; }

// TJ20_FOR_EACH(m, a, b, ...) expands to m(a) m(b) ...
#define TJ20_PARENS ()
#define TJ20_EXPAND(...) TJ20_EXPAND3(TJ20_EXPAND3(TJ20_EXPAND3(TJ20_EXPAND3(__VA_ARGS__))))
#define TJ20_EXPAND3(...) TJ20_EXPAND2(TJ20_EXPAND2(TJ20_EXPAND2(TJ20_EXPAND2(__VA_ARGS__))))
#define TJ20_EXPAND2(...) TJ20_EXPAND1(TJ20_EXPAND1(TJ20_EXPAND1(TJ20_EXPAND1(__VA_ARGS__))))
#define TJ20_EXPAND1(...) __VA_ARGS__
#define TJ20_FOR_EACH(macro, ...) __VA_OPT__(TJ20_EXPAND(TJ20_FOR_EACH_STEP(macro, __VA_ARGS__)))
#define TJ20_FOR_EACH_STEP(macro, first, ...) \
    macro(first) __VA_OPT__(TJ20_FOR_EACH_AGAIN TJ20_PARENS(macro, __VA_ARGS__))
#define TJ20_FOR_EACH_AGAIN() TJ20_FOR_EACH_STEP

#define TJ20_DECLARE_OWNED(var) constinit ::tj20::Owned var{::tj20::shared::var::name};
#define TJ20_DECLARE_BOUND(var) constinit ::tj20::Bound var{::tj20::shared::var::name};
#define TJ20_ADDRESS_OF(var) &var,

// Declares a gauge's variables and the function that lists them for the service dispatch.
#define TJ20_VARIABLE_LIST(declare, List, listed, ...)          \
    TJ20_FOR_EACH(declare, __VA_ARGS__)                         \
    constexpr ::tj20::List listed(::tj20::detail::Declared) {   \
        return {{TJ20_FOR_EACH(TJ20_ADDRESS_OF, __VA_ARGS__)}}; \
    }                                                           \
    static_assert(true)

// The shared variables this gauge owns, in registration order, and those it binds, in
// binding order, by their catalogue names. Each is written once per gauge, inside its
// anonymous namespace.
#define TJ20_OWNED(...) TJ20_VARIABLE_LIST(TJ20_DECLARE_OWNED, OwnedList, tj20GaugeOwned, __VA_ARGS__)
#define TJ20_BOUND(...) TJ20_VARIABLE_LIST(TJ20_DECLARE_BOUND, BoundList, tj20GaugeBound, __VA_ARGS__)

#define TJ20_GAUGE(module_name, ...)                                                                   \
    namespace tj20::detail {                                                                           \
    constexpr GaugeDefinition gaugeDefinition{__VA_ARGS__};                                            \
    constexpr OwnedList gaugeOwned = tj20GaugeOwned(Declared{});                                       \
    constexpr BoundList gaugeBound = tj20GaugeBound(Declared{});                                       \
    constinit abi::GaugeHeader gaugeHeader = makeHeader(#module_name, gaugeDefinition);                \
    }                                                                                                  \
    extern "C" {                                                                                       \
    TJ20_EXPORT constinit ::tj20::abi::LinkageRecord Linkage{::tj20::abi::LinkageId,                   \
                                                             &::tj20::detail::moduleNoop,              \
                                                             &::tj20::detail::moduleNoop,              \
                                                             0,                                        \
                                                             0,                                        \
                                                             ::tj20::abi::LinkVersion,                 \
                                                             {&::tj20::detail::gaugeHeader, nullptr}}; \
    }
