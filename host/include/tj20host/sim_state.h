// The simulator's state as the host keeps it: identifier to 64-bit value, a value nobody
// set reads 0. Packed-digit radio values are kept as raw 32-bit integers in the low bytes,
// bit for bit. The simulator model (model.h) answers key events and advances it.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tj20::host {

class SimState {
public:
    double get(std::uint32_t id) const;            // as a 64-bit float
    std::uint32_t digits(std::uint32_t id) const;  // the low 32 bits (packed digits)
    std::uint64_t bits(std::uint32_t id) const {
        if (id < DirectIds) return direct_[id];
        const auto it = others_.find(id);
        return it == others_.end() ? 0 : it->second;
    }
    void set(std::uint32_t id, double value);
    void setDigits(std::uint32_t id, std::uint32_t packed);

private:
    void store(std::uint32_t id, std::uint64_t bits);
    // Every element reads its variables on every draw: the identifiers the simulator numbers
    // its variables with are kept in a table indexed by identifier, the rest by hashing.
    static constexpr std::uint32_t DirectIds = 0x1000;
    std::vector<std::uint64_t> direct_ = std::vector<std::uint64_t>(DirectIds);
    std::unordered_map<std::uint32_t, std::uint64_t> others_;
};

}  // namespace tj20::host
