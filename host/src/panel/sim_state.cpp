#include "tj20host/sim_state.h"

#include <bit>

namespace tj20::host {

double SimState::get(std::uint32_t id) const { return std::bit_cast<double>(bits(id)); }

std::uint32_t SimState::digits(std::uint32_t id) const { return static_cast<std::uint32_t>(bits(id)); }

void SimState::set(std::uint32_t id, double value) { store(id, std::bit_cast<std::uint64_t>(value)); }

void SimState::setDigits(std::uint32_t id, std::uint32_t packed) { store(id, packed); }

void SimState::store(std::uint32_t id, std::uint64_t bits) {
    if (id < DirectIds)
        direct_[id] = bits;
    else
        others_[id] = bits;
}

}  // namespace tj20::host
