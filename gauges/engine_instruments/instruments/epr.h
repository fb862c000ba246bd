// Engine pressure ratio: the EPR the crew sets thrust by, worked out from the simulator's
// pressure ratio input corrected for the ram air temperature, on a dial from 0.8 to 2.4 and a
// readout, with the limit mark of the thrust rating panel's limit ("eprlimit", EPR × 100).
//
// Two straight segments make the displayed EPR: the high range above 1.49 and the low range
// below it, each shifted by the temperature; where the high-range value is exactly 1.49 the
// low range is shown, so the display steps between the two there. The limit mark walks one
// hundredth per update towards the rating's limit and rests on it; it never shows below
// 0.80 or above 2.40.
#pragma once

#include "engine_gauge.h"

namespace {
TJ20_BOUND(eprlimit);
}  // namespace

namespace tj20::engine_instruments {

struct Epr {
    SimVar input;      // the simulator's pressure ratio input of this engine
    float limitStart;  // where the limit mark starts at the first draw, hundredths
};

template <Epr Engine, SimVar... Table>
struct EprGauge {
    struct State {
        float t = 0;  // ram air temperature, °C
        float a = 0;  // high-range EPR
        float b = 0;  // low-range EPR
        float e = 0;  // displayed EPR
        float p = 0;  // limit mark, hundredths of EPR
    };
    static inline State st;

    static inline constinit SimTable<sizeof...(Table)> simvars{Table...};
    static inline constinit NeedleTable<9> dial = scale<9>(DialArc, 0.8, 0.2);
    static inline constinit NeedleTable<9> limitMarks = scale<9>(DialArc, 80, 20);

    static inline constinit Chain<5> elements{
        face(),
        text({101, 194}, {203, 70}, readout(100), "%1.2f", [] { return st.e; }).alwaysLit(),
        pointer(SecondNeedle, DialCentre, NeedleCentre, limitMarks, [] { return clamp(st.p, 80, 240); }),
        pointer(DialNeedle, DialCentre, NeedleCentre, dial, [] { return st.e; }),
        lettering(),
    };

    static void update() {
        const double n = simvars[Engine.input];
        st.t = static_cast<float>(256.0 * simvars[sim::RamAirTemperatureScaled]);
        st.a = static_cast<float>((n - ((st.t + 40.0) * 0.15 + 71.7)) * 0.0359 + 1.5);
        st.b = static_cast<float>((n - ((st.t + 40.0) * 0.1125 + 37.5)) * 0.01385 + 1.0);
        st.e = st.a > 1.49f ? st.a : st.b;
        const auto limit = static_cast<float>(eprlimit.get());
        if (limit > st.p) st.p += 1;
        if (st.p > limit) st.p -= 1;
    }

    static void reset() {
        st = {.t = 0, .a = 1, .b = 1, .e = 1, .p = Engine.limitStart};
        eprlimit.set(0);
    }

    static constexpr GaugeDefinition definition() {
        return {.sim = simvars, .elements = elements, .update = update, .reset = reset};
    }
};

}  // namespace tj20::engine_instruments
