// Suggestions for mistyped words in scenario scripts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tj20::host::scenario {

// The candidate closest to a mistyped word, when one is close enough to be a likely typo.
std::optional<std::string> closest(std::string_view word, const std::vector<std::string>& candidates);

}  // namespace tj20::host::scenario
