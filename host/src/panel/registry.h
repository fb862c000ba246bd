// The named-variable registry. A name registered twice keeps both registrations; the
// latest live one is the binding every later binder receives, and when it unregisters the
// one before it takes over. With the owners-first panel order this gives the pressurisation
// panel's "lightstestsw" (installed after the master variables) to every light that binds it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tj20::host {

class Registry {
public:
    void add(std::string_view name, std::uint32_t* cell, std::string_view owner);
    // Removes the owner's registration of the name (the latest one when the owner is unknown).
    void remove(std::string_view name, std::string_view owner);
    std::uint32_t* resolve(std::string_view name) const;
    std::vector<std::string> names() const;
    // Visits every name with the cell a binder would receive, in name order.
    template <class F>
    void forEach(F&& visit) const {
        for (const auto& [name, regs] : names_)
            if (!regs.empty()) visit(name, regs.back().cell);
    }

private:
    struct Registration {
        std::uint32_t* cell;
        std::string owner;
    };
    std::map<std::string, std::vector<Registration>, std::less<>> names_;
};

}  // namespace tj20::host
