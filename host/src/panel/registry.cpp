#include "registry.h"

namespace tj20::host {

void Registry::add(std::string_view name, std::uint32_t* cell, std::string_view owner) {
    auto it = names_.find(name);
    if (it == names_.end()) {
        it = names_.emplace(std::string(name), Entry{}).first;
        inOrder_.clear();
        for (auto& [n, entry] : names_) inOrder_.emplace_back(&n, &entry);
    }
    it->second.regs.push_back({cell, std::string(owner)});
}

void Registry::remove(std::string_view name, std::string_view owner) {
    const auto it = names_.find(name);
    if (it == names_.end()) return;
    auto& regs = it->second.regs;
    for (auto r = regs.rbegin(); r != regs.rend(); ++r) {
        if (owner.empty() || r->owner == owner) {
            regs.erase(std::next(r).base());
            break;
        }
    }
}

std::uint32_t* Registry::resolve(std::string_view name) const {
    const auto it = names_.find(name);
    return it == names_.end() || it->second.regs.empty() ? nullptr : it->second.regs.back().cell;
}

std::vector<std::string> Registry::names() const {
    std::vector<std::string> out;
    for (const auto& [name, entry] : names_)
        if (!entry.regs.empty()) out.push_back(name);
    return out;
}

}  // namespace tj20::host
