#include "tj20host/sim_state.h"

#include <bit>

namespace tj20::host {

double SimState::get(std::uint32_t id) const { return std::bit_cast<double>(bits(id)); }

std::uint32_t SimState::digits(std::uint32_t id) const { return static_cast<std::uint32_t>(bits(id)); }

std::uint64_t SimState::bits(std::uint32_t id) const {
    const auto it = values_.find(id);
    return it == values_.end() ? 0 : it->second;
}

void SimState::set(std::uint32_t id, double value) { values_[id] = std::bit_cast<std::uint64_t>(value); }

void SimState::setDigits(std::uint32_t id, std::uint32_t packed) { values_[id] = packed; }

}  // namespace tj20::host
