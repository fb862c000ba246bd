// The simulator's state as the host keeps it: identifier to 64-bit value, a value nobody
// set reads 0. Packed-digit radio values are kept as raw 32-bit integers in the low bytes,
// bit for bit. The simulator model (model.h) answers key events and advances it.
#pragma once

#include <cstdint>
#include <map>

namespace tj20::host {

class SimState {
public:
    double get(std::uint32_t id) const;            // as a 64-bit float
    std::uint32_t digits(std::uint32_t id) const;  // the low 32 bits (packed digits)
    std::uint64_t bits(std::uint32_t id) const;
    void set(std::uint32_t id, double value);
    void setDigits(std::uint32_t id, std::uint32_t packed);

private:
    std::map<std::uint32_t, std::uint64_t> values_;
};

}  // namespace tj20::host
