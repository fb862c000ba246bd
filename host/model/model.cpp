#include "tj20host/model.h"

namespace tj20::host {

void SimModel::onKey(std::uint32_t event, KeyHandler handler) { keys_[event].push_back(std::move(handler)); }

void SimModel::everyCycle(CycleHandler handler) { cycles_.push_back(std::move(handler)); }

bool SimModel::key(SimState& sim, std::uint32_t event, std::uint32_t value) const {
    const auto it = keys_.find(event);
    if (it == keys_.end()) return false;
    for (const auto& h : it->second) h(sim, value);
    return true;
}

void SimModel::cycle(SimState& sim) const {
    for (const auto& h : cycles_) h(sim);
}

SimModel SimModel::aircraft() {
    SimModel m;
    addLightingModel(m);
    addGuidanceModel(m);
    addElectricalModel(m);
    addApuModel(m);
    addFuelModel(m);
    return m;
}

}  // namespace tj20::host
