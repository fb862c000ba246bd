// Names of simulator variables and key events: the framework's named constants
// (tj20::sim::TurnoffLight, tj20::key::LandingLightsOn) and the host's own simulator values
// (tj20host/sim_ids.h), without their namespace. Scenario scripts write them in place of
// numbers and the trace prints them. The tables are generated from the headers at build time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tj20::host {

struct NamedId {
    const char* name;
    std::uint32_t id;
};

const std::vector<NamedId>& simNames();
const std::vector<NamedId>& keyNames();

std::optional<std::uint32_t> idByName(const std::vector<NamedId>& table, std::string_view name);
// The name of an identifier, or nullptr when the table has none.
const char* nameOf(const std::vector<NamedId>& table, std::uint32_t id);
// "LandingLightsOn (0x1020b)", or "0x1020b" when the table has no name for it.
std::string describeId(const std::vector<NamedId>& table, std::uint32_t id);
std::string hex(std::uint64_t value);

}  // namespace tj20::host
