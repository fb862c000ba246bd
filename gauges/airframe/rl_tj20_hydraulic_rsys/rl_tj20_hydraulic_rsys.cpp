// Right hydraulic system pressure gauge: simulates the right system pressure from the pump
// switches and the engine speeds, shows it on its needle and publishes it with its two
// pressure levels (above 2900 psi normal, above 1400 psi low-pressure flag clear).
//
// The pressure moves by 100 psi per update. An engine pump delivers while its engine's N2 is
// above 24 %: on LOW it holds the system at 1500 psi, on HIGH at 3000 psi. The left engine
// pump reaches this system only through the transfer pump. The electric auxiliary pump sits
// on this system and brings it to 3000 psi by itself (200 psi per update while an engine
// pump switch is on LOW). Without any of them the system bleeds down by 100 psi per update.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(rsyshydpress);
TJ20_BOUND(hydxfrpump, hydlengpump, hydrengpump, hydauxpump, rhydactive, rhydlowactive, rhydpressure);

constexpr double PumpSpeed = 24;  // N2 percent above which an engine pump delivers
constexpr u32 Step = 100;
constexpr u32 Low = 1500, High = 3000;
constexpr u32 NormalAbove = 2900, LowFlagAbove = 1400;

constinit SimTable simvars{sim::Engine1N2, sim::Engine2N2};

constinit NeedleTable pressureScale{
    NeedlePoint{0, 115, 6},     NeedlePoint{1000, 219, 89}, NeedlePoint{2000, 160, 206},
    NeedlePoint{3000, 29, 178}, NeedlePoint{4000, 30, 44},
};

constinit Chain elements{
    image(0x1200),
    needle(0x1300, {114, 114}, {23, 23}, pressureScale, rsyshydpress),
};

void raise() { rsyshydpress.set(rsyshydpress.get() + Step); }
void lower() { rsyshydpress.set(rsyshydpress.get() > Step ? rsyshydpress.get() - Step : 0); }

void update() {
    const u32 left = hydlengpump.get(), right = hydrengpump.get();
    const bool transfer = hydxfrpump.get() == 1, aux = hydauxpump.get() == 1;
    const bool leftTurning = simvars[sim::Engine1N2] > PumpSpeed;
    const bool rightTurning = simvars[sim::Engine2N2] > PumpSpeed;
    const auto pressure = [] { return rsyshydpress.get(); };

    if ((simvars[sim::Engine2N2] < PumpSpeed || right == 0) && (!transfer || left == 0) && !aux && pressure() != 0)
        lower();
    const bool low = (left == 1 && leftTurning && transfer) || (right == 1 && rightTurning);
    if (low && pressure() < Low) raise();
    if (low && pressure() > Low) lower();
    const bool high = (left == 2 && leftTurning && transfer) || (right == 2 && rightTurning);
    if (high && pressure() < High) raise();
    if (high && pressure() > High) lower();
    if (aux) {
        if (pressure() < High) raise();
        if ((right == 1 || left == 1) && pressure() < High) raise();
    }
    // One pump on LOW and the other on HIGH, tied by the transfer pump, whatever the engines do.
    if (transfer && ((left == 1 && right == 2) || (left == 2 && right == 1)) && pressure() < High) raise();

    rhydactive.set(pressure() > NormalAbove ? 1 : 0);
    rhydlowactive.set(pressure() > LowFlagAbove ? 1 : 0);
    rhydpressure.set(pressure());
}

// Unpressurised, every pump off.
void reset() {
    rsyshydpress.set(0);
    setAll(0, hydxfrpump, hydlengpump, hydrengpump, hydauxpump, rhydactive, rhydlowactive, rhydpressure);
}
}  // namespace

TJ20_GAUGE(rl_tj20_hydraulic_rsys, .sim = simvars, .elements = elements, .update = update, .reset = reset)
