// Exhaust gas temperature, °C on a dial from 0 to 800, from the simulator's temperature in
// degrees Rankine: (v − offset − extraOffset) × factor. The two engines' gauges convert with
// constants of their own, so at the same simulator value they read a few degrees apart.
#pragma once

#include "engine_gauge.h"

namespace tj20::engine_instruments {

struct Egt {
    SimVar temperature;
    double offset;
    double extraOffset;
    double factor;
};

template <Egt Engine, SimVar... Table>
struct EgtGauge {
    static inline constinit SimTable<sizeof...(Table)> simvars{Table...};
    static inline constinit NeedleTable<9> dial = scale<9>(DialArc, 0, 100);

    static double celsius() {
        return (simvars[Engine.temperature] - Engine.offset - Engine.extraOffset) * Engine.factor;
    }

    static inline constinit Chain<3> elements{
        face(),
        pointer(DialNeedle, DialCentre, NeedleCentre, dial, [] { return celsius(); }),
        lettering(),
    };

    static constexpr GaugeDefinition definition() { return {.sim = simvars, .elements = elements}; }
};

}  // namespace tj20::engine_instruments
