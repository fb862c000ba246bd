// Spool speed (N1 fan or N2 core), percent: the dial needle from 0 to 100 and a small needle
// on a sub-dial, both driven by the speed the needles carry. Past the sub-dial's last mark
// the small needle rests on it.
#pragma once

#include "engine_gauge.h"

namespace tj20::engine_instruments {

struct Spool {
    SimVar speed;            // the spool speed, percent
    double smallTop;         // the small needle follows the speed up to this, then holds
    std::size_t smallMarks;  // the sub-dial's marks, from 0 in steps of smallStep
    double smallStep;
};

inline constexpr Arc SubDialArc{{151, 222}, 30, -135, 270};

template <Spool Engine>
struct SpoolSpeedGauge {
    static inline constinit NeedleTable<11> dial = scale<11>(DialArc, 0, 10);
    static inline constinit NeedleTable<Engine.smallMarks> subDial =
        scale<Engine.smallMarks>(SubDialArc, 0, Engine.smallStep);

    static inline constinit Chain<4> elements{
        face(),
        pointer(SecondNeedle, SubDialArc.pivot, SmallNeedleCentre, subDial,
                [](const Element& self) { return clamp(self.carried(), 0, Engine.smallTop); })
            .carries(Engine.speed),
        pointer(DialNeedle, DialCentre, NeedleCentre, dial,
                [](const Element& self) { return clamp(self.carried(), 0, 100); })
            .carries(Engine.speed),
        lettering(),
    };

    static constexpr GaugeDefinition definition() { return {.elements = elements}; }
};

}  // namespace tj20::engine_instruments
