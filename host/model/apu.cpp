// The battery: the simulator has no APU of its own (the panel's APU instrument models it);
// what it keeps is the master battery switch that the APU control panel mirrors.
#include "tj20/ids.h"
#include "tj20host/model.h"

namespace tj20::host {

void addApuModel(SimModel& m) {
    // The battery toggle flips the master battery between 0.0 (off) and 1.0 (on).
    m.onKey(key::MasterBatteryToggle, [](SimState& s, std::uint32_t) {
        s.set(sim::MasterBattery, s.get(sim::MasterBattery) != 0.0 ? 0.0 : 1.0);
    });
}

}  // namespace tj20::host
