// The flight the soak flies over and over, on the default panel: it leaves the panel as it
// found it, so every flight after the first starts from the same shared values.
#pragma once

#include "tj20host/panel.h"

namespace tj20::soak {

// Cycles one flight takes, whatever it does: 200 seconds at 18 cycles a second.
inline constexpr int FlightCycles = 3600;

void flyOnce(host::Panel& panel);

}  // namespace tj20::soak
