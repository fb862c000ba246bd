// The module skeleton. A gauge module declares its tables and rules, then names them once:
//
//   TJ20_GAUGE(rl_tj20_oh_lights, .bound = {&ohpanel, &ohflood}, .elements = elements,
//              .areas = areas, .update = update, .reset = reset)
//
// which defines the module's gauge header and its two exports, ImportTable (in the
// framework) and Linkage. The framework's service dispatch does the rest: install registers
// the owned variables in order; initialise binds the sound library and the bound variables;
// update re-binds the sound library, refreshes the simulator table and runs the rules;
// the first draw runs the reset once; kill stops all sounds, releases the library and
// unregisters in install order. Every other service code does nothing.
#pragma once

#include <cstddef>

#include "tj20/elements.h"
#include "tj20/helpers.h"
#include "tj20/host_abi.h"
#include "tj20/ids.h"
#include "tj20/keys.h"
#include "tj20/mouse.h"
#include "tj20/shared_var.h"
#include "tj20/sim_var.h"
#include "tj20/sound.h"

namespace tj20 {

inline constexpr std::size_t MaxOwned = 24;
inline constexpr std::size_t MaxBound = 96;

// What a gauge adds to the skeleton; lists end at their first null entry.
struct GaugeDefinition {
    Owned* owned[MaxOwned] = {};
    Bound* bound[MaxBound] = {};
    SimList sim = {};
    ElementList elements = {};
    AreaList areas = {};
    void (*update)() = nullptr;
    void (*reset)() = nullptr;
};

namespace detail {
extern const GaugeDefinition gaugeDefinition;  // defined by TJ20_GAUGE
extern Areas<0> frameOnlyAreas;                // the table of a gauge that cannot be clicked
void TJ20_CALL service(abi::GaugeHeader* gauge, abi::i32 code, abi::u32 extra);
void TJ20_CALL moduleNoop();

constexpr abi::GaugeHeader makeHeader(const char* name, const GaugeDefinition& gauge) {
    abi::GaugeHeader h{};
    h.gauge_header_version = abi::GaugeHeaderVersion;
    h.gauge_name = name;
    h.elements_list = gauge.elements.root;
    h.size_x = abi::GaugeDefaultWidth;
    h.mouse_rect = gauge.areas.records ? gauge.areas.records : frameOnlyAreas.records;
    h.gauge_callback = &service;
    return h;
}
}  // namespace detail

}  // namespace tj20

#define TJ20_GAUGE(module_name, ...)                                                                   \
    namespace tj20::detail {                                                                           \
    constexpr GaugeDefinition gaugeDefinition{__VA_ARGS__};                                            \
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
