// Engine 2 reverse thrust (REV) light.
#include "tj20/ids.h"

namespace {
constexpr tj20::SimVar Lever = tj20::sim::Throttle2Lever;
}  // namespace

#include "../reversers/reverser_thrust_light.h"

TJ20_GAUGE(rl_tj20_main_rengrevthr, .sim = simvars, .elements = elements, .reset = reset)
