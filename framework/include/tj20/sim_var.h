// The gauge's table of simulator variables, refreshed by the host at the start of every update.
#pragma once

#include <concepts>
#include <cstddef>

#include "tj20/helpers.h"
#include "tj20/host_abi.h"
#include "tj20/ids.h"

namespace tj20 {

template <std::size_t N>
class SimTable {
public:
    template <class... Id>
    requires(std::same_as<Id, SimVar>&&...) constexpr explicit SimTable(Id... ids) : records_{make(ids)...} {}

    // Value of the first record with this identifier, as the last update left it.
    double operator[](SimVar id) const {
        const auto* r = find(id);
        return r ? r->var_value.n : 0.0;
    }
    // Packed decimal digits (radio frequencies, transponder code) of a record.
    u32 digits(SimVar id) const {
        const auto* r = find(id);
        return r ? r->var_value.d : 0u;
    }
    // Local override of a looked-up value; it lasts until the next update's lookup.
    void override(SimVar id, double value) {
        if (auto* r = find(id)) r->var_value.n = value;
    }

    constexpr abi::MODULE_VAR* records() { return records_; }
    static constexpr std::size_t size() { return N; }

private:
    static constexpr abi::MODULE_VAR make(SimVar id) {
        abi::MODULE_VAR v{};
        v.id = id;
        return v;
    }
    const abi::MODULE_VAR* find(SimVar id) const {
        for (const auto& r : records_)
            if (r.id == id) return &r;
        return nullptr;
    }
    abi::MODULE_VAR* find(SimVar id) {
        for (auto& r : records_)
            if (r.id == id) return &r;
        return nullptr;
    }
    abi::MODULE_VAR records_[N];
};

template <class... Id>
SimTable(Id...) -> SimTable<sizeof...(Id)>;

// A view of any gauge's table, as the service dispatch walks it.
struct SimList {
    abi::MODULE_VAR* records = nullptr;
    std::size_t count = 0;
    constexpr SimList() = default;
    template <std::size_t N>
    constexpr SimList(SimTable<N>& t) : records(t.records()), count(N) {}  // NOLINT(google-explicit-constructor)
};

}  // namespace tj20
