#include "id_names.h"

#include <cstdio>

namespace tj20::host {

std::optional<std::uint32_t> idByName(const std::vector<NamedId>& table, std::string_view name) {
    for (const auto& n : table)
        if (name == n.name) return n.id;
    return std::nullopt;
}

const char* nameOf(const std::vector<NamedId>& table, std::uint32_t id) {
    for (const auto& n : table)
        if (n.id == id) return n.name;
    return nullptr;
}

std::string hex(std::uint64_t value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(value));
    return buffer;
}

std::string describeId(const std::vector<NamedId>& table, std::uint32_t id) {
    if (const char* name = nameOf(table, id)) return std::string(name) + " (" + hex(id) + ")";
    return hex(id);
}

}  // namespace tj20::host
