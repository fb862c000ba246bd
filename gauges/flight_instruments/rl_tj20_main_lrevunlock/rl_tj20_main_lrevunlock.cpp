// Engine 1 reverser unlock light.
#include "tj20/ids.h"

namespace {
constexpr tj20::SimVar Lever = tj20::sim::Throttle1Lever;
}  // namespace

#include "../reversers/reverser_unlock_light.h"

TJ20_GAUGE(rl_tj20_main_lrevunlock, .sim = simvars, .elements = elements, .reset = reset)
