// Fuel flow, pounds per hour on a dial from 0 to 16000, with the fuel-used counter: the fuel
// on board at the first draw less the fuel on board now, in whole pounds. Both engines'
// counters read the same fuel on board, so they show the same total; fuel taken on after the
// first draw makes the counter negative, and it shows the minus sign.
#pragma once

#include <cstdint>

#include "engine_gauge.h"

namespace tj20::engine_instruments {

struct FuelFlow {
    SimVar flow;          // the engine's fuel flow, carried by the needle
    abi::u32 textWeight;  // the counter's font weight
};

template <FuelFlow Engine>
struct FuelFlowGauge {
    struct State {
        std::int32_t reference = 0;  // fuel on board at the first draw, whole pounds
        std::int32_t used = 0;       // the counter
    };
    static inline State st;

    static inline constinit SimTable<1> simvars{sim::FuelTotalQuantity};
    static inline constinit NeedleTable<9> dial = scale<9>(DialArc, 0, 2000);

    static inline constinit Chain<4> elements{
        face(),
        text({100, 146}, {204, 55}, readout(Engine.textWeight), "%05.0f", [] { return st.used; }).alwaysLit(),
        pointer(DialNeedle, DialCentre, NeedleCentre, dial,
                [](const Element& self) { return clamp(self.carried(), 0, 16000); })
            .carries(Engine.flow),
        lettering(),
    };

    static void update() { st.used = saturate<std::int32_t>(st.reference - simvars[sim::FuelTotalQuantity]); }
    static void reset() { st = {.reference = saturate<std::int32_t>(simvars[sim::FuelTotalQuantity]), .used = 0}; }

    static constexpr GaugeDefinition definition() {
        return {.sim = simvars, .elements = elements, .update = update, .reset = reset};
    }
};

}  // namespace tj20::engine_instruments
