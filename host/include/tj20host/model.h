// The simulator model: how the simulator answers the key events the panel sends, and what
// it does on its own every cycle (fuel burn, the end of takeoff thrust, ...). Each
// subsystem adds its part in host/model/<subsystem>.cpp, documented beside the code.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "tj20host/sim_state.h"

namespace tj20::host {

class SimModel {
public:
    using KeyHandler = std::function<void(SimState& sim, std::uint32_t value)>;
    using CycleHandler = std::function<void(SimState& sim)>;

    // The simulator's answer to one key event; several handlers of one event run in order.
    void onKey(std::uint32_t event, KeyHandler handler);
    // Runs once per panel cycle, after the tick advances and before the gauges update.
    void everyCycle(CycleHandler handler);

    // Applies a key event; returns false when the model does not know it (it is journaled anyway).
    bool key(SimState& sim, std::uint32_t event, std::uint32_t value) const;
    void cycle(SimState& sim) const;

    // The model of the whole aircraft: every subsystem's part.
    static SimModel aircraft();

private:
    std::map<std::uint32_t, std::vector<KeyHandler>> keys_;
    std::vector<CycleHandler> cycles_;
};

// Subsystem parts, each in host/model/<subsystem>.cpp.
void addLightingModel(SimModel& model);
void addGuidanceModel(SimModel& model);
void addElectricalModel(SimModel& model);
void addApuModel(SimModel& model);
void addFuelModel(SimModel& model);

}  // namespace tj20::host
