// Names a scenario script may use for simulator variables and key events: the framework's
// named constants (tj20::sim::TurnoffLight, tj20::key::LandingLightsOn) without their
// namespace. The tables are generated from the identifier headers at build time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tj20::host::scenario {

struct NamedId {
    const char* name;
    std::uint32_t id;
};

const std::vector<NamedId>& simNames();
const std::vector<NamedId>& keyNames();

std::optional<std::uint32_t> idByName(const std::vector<NamedId>& table, std::string_view name);
// "LandingLightsOn (0x1020b)", or "0x1020b" when the table has no name for it.
std::string describeId(const std::vector<NamedId>& table, std::uint32_t id);
std::string hex(std::uint64_t value);

// The candidate closest to a mistyped word, when one is close enough to be a likely typo.
std::optional<std::string> closest(std::string_view word, const std::vector<std::string>& candidates);

}  // namespace tj20::host::scenario
