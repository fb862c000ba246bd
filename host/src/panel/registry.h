// The named-variable registry. A name registered twice keeps both registrations; the
// latest live one is the binding every later binder receives, and when it unregisters the
// one before it takes over. With the owners-first panel order this gives the pressurisation
// panel's "lightstestsw" (installed after the master variables) to every light that binds it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tj20::host {

class Registry {
public:
    Registry() = default;
    Registry(const Registry&) = delete;  // the walk order points into the names it holds
    Registry& operator=(const Registry&) = delete;
    void add(std::string_view name, std::uint32_t* cell, std::string_view owner);
    // Removes the owner's registration of the name (the latest one when the owner is unknown).
    void remove(std::string_view name, std::string_view owner);
    std::uint32_t* resolve(std::string_view name) const;
    std::vector<std::string> names() const;
    // Visits every registered name whose value changed since the last visit, in name order,
    // as visit(name, before, after). A name seen for the first time was 0 before. The value
    // last seen stays with the name while nobody registers it, so a name registered again is
    // compared with what it held then.
    template <class F>
    void forEachChange(F&& visit) {
        for (const auto& [name, entry] : inOrder_) {
            if (entry->regs.empty()) continue;
            const std::uint32_t now = *entry->regs.back().cell;
            if (now == entry->seen) continue;
            visit(*name, std::exchange(entry->seen, now), now);
        }
    }

private:
    struct Registration {
        std::uint32_t* cell;
        std::string owner;
    };
    struct Entry {
        std::vector<Registration> regs;  // empty while nobody registers the name
        std::uint32_t seen = 0;          // the value forEachChange last saw
    };
    std::map<std::string, Entry, std::less<>> names_;  // a name, once registered, stays
    // The same entries in name order, for the walk after every cycle.
    std::vector<std::pair<const std::string*, Entry*>> inOrder_;
};

}  // namespace tj20::host
