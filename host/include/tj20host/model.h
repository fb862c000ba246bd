// The simulator model: how the simulator answers the key events the panel sends, and what
// it does on its own as simulated time passes (fuel burn, the end of takeoff thrust, ...).
// Each subsystem adds its part in host/model/<subsystem>.cpp, documented beside the code.
//
// Time: every panel cycle the model advances by the ticks that cycle took (the tick step,
// 18 ticks to a simulated second), so a behaviour that takes simulated time runs the same at
// any tick step: eight cycles of one tick, four of two and one of eight end alike. The
// subsystems advance one after the other in a fixed order, the order of `Subsystem`:
//
//   1. electrical  (power first: what runs depends on it)
//   2. APU
//   3. engines     (spools, from fuel, starter and throttle)
//   4. fuel        (the engines' burn)
//   5. guidance    (autopilot and thrust modes, which read what the systems above left)
//   6. lighting
//   7. configuration  (the gear and the flaps travelling)
//
// Within a subsystem, its parts advance in the order they were added.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "tj20host/sim_state.h"

namespace tj20::host {

enum class Subsystem { Electrical, Apu, Engines, Fuel, Guidance, Lighting, Configuration };
inline constexpr std::size_t SubsystemCount = 7;

class SimModel {
public:
    using KeyHandler = std::function<void(SimState& sim, std::uint32_t value)>;
    // `ticks` is the simulated time the cycle took: the tick step, 0 when the clock stands still.
    using StepHandler = std::function<void(SimState& sim, double ticks)>;

    // The simulator's answer to one key event; several handlers of one event run in order.
    void onKey(std::uint32_t event, KeyHandler handler);
    // Runs once per panel cycle, after the tick advances and before the gauges update.
    void onStep(Subsystem subsystem, StepHandler handler);

    // Applies a key event; returns false when the model does not know it (it is journaled anyway).
    bool key(SimState& sim, std::uint32_t event, std::uint32_t value) const;
    // Advances every subsystem, in order, by the given ticks.
    void advance(SimState& sim, double ticks) const;

    // The model of the whole aircraft: every subsystem's part.
    static SimModel aircraft();

private:
    std::map<std::uint32_t, std::vector<KeyHandler>> keys_;
    std::array<std::vector<StepHandler>, SubsystemCount> steps_;
};

// Subsystem parts, each in host/model/<subsystem>.cpp.
void addLightingModel(SimModel& model);
void addConfigurationModel(SimModel& model);
void addGuidanceModel(SimModel& model);
void addInstrumentsModel(SimModel& model);  // its flight director advances with guidance
void addElectricalModel(SimModel& model);
void addApuModel(SimModel& model);
void addFuelModel(SimModel& model);
void addEngineModel(SimModel& model);
void addRadioModel(SimModel& model);  // key events only: nothing of the radios moves with time
// Key events only: yaw damper, probe heat, engine anti-ice and the logo lights.
void addProtectionModel(SimModel& model);

}  // namespace tj20::host
