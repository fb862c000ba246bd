#include "tj20host/model.h"

namespace tj20::host {

void SimModel::onKey(std::uint32_t event, KeyHandler handler) { keys_[event].push_back(std::move(handler)); }

void SimModel::onStep(Subsystem subsystem, StepHandler handler) {
    steps_[static_cast<std::size_t>(subsystem)].push_back(std::move(handler));
}

bool SimModel::key(SimState& sim, std::uint32_t event, std::uint32_t value) const {
    const auto it = keys_.find(event);
    if (it == keys_.end()) return false;
    for (const auto& h : it->second) h(sim, value);
    return true;
}

void SimModel::advance(SimState& sim, double ticks) const {
    for (const auto& subsystem : steps_)
        for (const auto& h : subsystem) h(sim, ticks);
}

SimModel SimModel::aircraft() {
    SimModel m;
    addElectricalModel(m);
    addApuModel(m);
    addEngineModel(m);
    addFuelModel(m);
    addGuidanceModel(m);
    addInstrumentsModel(m);
    addLightingModel(m);
    addConfigurationModel(m);
    addRadioModel(m);
    addProtectionModel(m);
    return m;
}

}  // namespace tj20::host
