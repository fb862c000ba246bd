// The two kinds of simulator identifier. A simulator variable is read through the gauge's
// table; a key event is a command sent to the simulator. They are distinct types so that one
// cannot be passed where the other is meant: send(sim::OnGround) does not compile. Both read
// as their number where the host keys its tables by number.
#pragma once

#include <cstdint>

namespace tj20 {

struct SimVar {
    std::uint32_t id;
    constexpr operator std::uint32_t() const { return id; }  // NOLINT(google-explicit-constructor)
};

struct KeyEvent {
    std::uint32_t id;
    constexpr operator std::uint32_t() const { return id; }  // NOLINT(google-explicit-constructor)
};

}  // namespace tj20
