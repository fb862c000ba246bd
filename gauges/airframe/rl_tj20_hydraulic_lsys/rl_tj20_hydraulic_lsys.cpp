// Left hydraulic system pressure gauge: simulates the left system pressure from the pump
// switches and the engine speeds, shows it on its needle and publishes it with its two
// pressure levels (above 2900 psi normal, above 1400 psi low-pressure flag clear).
//
// The pressure moves by 100 psi per update. An engine pump delivers while its engine's N2 is
// above 24 %: on LOW it holds the system at 1500 psi, on HIGH at 3000 psi. The right engine
// pump reaches this system only through the transfer pump, and so does the auxiliary pump,
// which brings it to 2900 psi, or to 3000 psi while an engine pump switch is on LOW. The
// system bleeds down by 100 psi per update while nothing holds it; it also bleeds while
// engine 1's fan (N1) is below 24 %, so a pump turning on a core that has not yet spun the
// fan up only holds the pressure where it is.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(lsyshydpress);
TJ20_BOUND(hydxfrpump, hydlengpump, hydrengpump, hydauxpump, lhydactive, lhydlowactive, lhydpressure);

constexpr double PumpSpeed = 24;  // N2 percent above which an engine pump delivers
constexpr double FanSpeed = 24;   // N1 percent below which the system bleeds
constexpr u32 Step = 100;
constexpr u32 Low = 1500, High = 3000, ThroughTransfer = 2900;
constexpr u32 NormalAbove = 2900, LowFlagAbove = 1400;

constinit SimTable simvars{sim::Engine1N1, sim::Engine1N2, sim::Engine2N2};

constinit NeedleTable pressureScale{
    NeedlePoint{0, 115, 5},     NeedlePoint{1000, 220, 88}, NeedlePoint{2000, 160, 207},
    NeedlePoint{3000, 29, 178}, NeedlePoint{4000, 30, 45},
};

constinit Chain elements{
    image(0x100),
    needle(0x1100, {114, 114}, {23, 23}, pressureScale, lsyshydpress),
};

void raise() { lsyshydpress.set(lsyshydpress.get() + Step); }
void lower() { lsyshydpress.set(lsyshydpress.get() > Step ? lsyshydpress.get() - Step : 0); }

void update() {
    const u32 left = hydlengpump.get(), right = hydrengpump.get();
    const bool transfer = hydxfrpump.get() == 1, aux = hydauxpump.get() == 1;
    const bool leftTurning = simvars[sim::Engine1N2] > PumpSpeed;
    const bool rightTurning = simvars[sim::Engine2N2] > PumpSpeed;
    const auto pressure = [] { return lsyshydpress.get(); };

    if ((simvars[sim::Engine1N1] < FanSpeed || left == 0) && (!transfer || right == 0) && (!transfer || !aux) &&
        pressure() != 0)
        lower();
    const bool low = (left == 1 && leftTurning) || (right == 1 && rightTurning && transfer);
    if (low && pressure() < Low) raise();
    if (low && pressure() > Low) lower();
    const bool high = (left == 2 && leftTurning) || (right == 2 && rightTurning && transfer);
    if (high && pressure() < High) raise();
    if (high && pressure() > High) lower();
    if (aux && transfer && pressure() < ThroughTransfer) raise();
    if (aux && transfer && (right == 1 || left == 1) && pressure() < High) raise();
    // One pump on LOW and the other on HIGH, tied by the transfer pump, whatever the engines do.
    if (transfer && ((left == 1 && right == 2) || (left == 2 && right == 1)) && pressure() < High) raise();

    lhydactive.set(pressure() > NormalAbove ? 1 : 0);
    lhydlowactive.set(pressure() > LowFlagAbove ? 1 : 0);
    lhydpressure.set(pressure());
}

// Unpressurised, every pump off.
void reset() {
    lsyshydpress.set(0);
    setAll(0, hydxfrpump, hydlengpump, hydrengpump, hydauxpump, lhydactive, lhydlowactive, lhydpressure);
}
}  // namespace

TJ20_GAUGE(rl_tj20_hydraulic_lsys, .sim = simvars, .elements = elements, .update = update, .reset = reset)
