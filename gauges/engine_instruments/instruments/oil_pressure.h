// Oil pressure, pounds per square inch on a dial from 0 to 100, from the simulator's pounds
// per square foot. The needle is not held to the dial: past 100 psi the host rests it on the
// last mark.
#pragma once

#include "engine_gauge.h"

namespace tj20::engine_instruments {

inline constexpr double SquareInchesPerSquareFoot = 144;

template <SimVar Pressure, SimVar... Table>
struct OilPressureGauge {
    static inline constinit SimTable<sizeof...(Table)> simvars{Table...};
    static inline constinit NeedleTable<6> dial = scale<6>(DialArc, 0, 20);

    static inline constinit Chain<3> elements{
        face(),
        pointer(DialNeedle, DialCentre, NeedleCentre, dial,
                [] { return simvars[Pressure] / SquareInchesPerSquareFoot; }),
        lettering(),
    };

    static constexpr GaugeDefinition definition() { return {.sim = simvars, .elements = elements}; }
};

}  // namespace tj20::engine_instruments
