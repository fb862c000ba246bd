// Shared variables: named 32-bit cells in their owner's storage, bound by name by other gauges.
#pragma once

#include <concepts>

#include "tj20/host_abi.h"
#include "tj20/shared/catalogue_entry.h"

namespace tj20 {

using u32 = std::uint32_t;

// A shared variable this gauge owns: registered at install, unregistered at kill.
class Owned {
public:
    constexpr explicit Owned(SharedName name) : name_(name.text) {}
    u32 get() const { return cell_; }
    void set(u32 value) { cell_ = value; }
    const char* name() const { return name_; }
    u32* cell() { return &cell_; }

private:
    u32 cell_ = 0;
    const char* name_;
};

// A shared variable another gauge owns. Until an owner is found it reads 0 and ignores writes.
class Bound {
public:
    constexpr explicit Bound(SharedName name) : name_(name.text) {}
    u32 get() const {
        const auto* cell = static_cast<const u32*>(record_.var_ptr);
        return cell ? *cell : 0;
    }
    void set(u32 value) {
        if (auto* cell = static_cast<u32*>(record_.var_ptr)) *cell = value;
    }
    const char* name() const { return name_; }
    abi::MODULE_VAR* record() { return &record_; }

private:
    abi::MODULE_VAR record_{};
    const char* name_;
};

template <class V>
concept SharedVar = requires(V& v, u32 x) {
    { v.get() } -> std::same_as<u32>;
    v.set(x);
};

// Two-position switch: 1 when it was 0, else 0.
template <SharedVar V>
void toggle(V& v) {
    v.set(v.get() == 0 ? 1u : 0u);
}

// Multi-position switch stepped by one, held inside [lo, hi].
template <SharedVar V>
void stepUp(V& v, u32 hi) {
    if (v.get() < hi) v.set(v.get() + 1);
}
template <SharedVar V>
void stepDown(V& v, u32 lo = 0) {
    if (v.get() > lo) v.set(v.get() - 1);
}

// A set of variables written together, for first-draw resets.
template <SharedVar... V>
void setAll(u32 value, V&... vars) {
    (vars.set(value), ...);
}

}  // namespace tj20
