// Suggestions for mistyped words in scenario scripts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tj20::host::scenario {

// Words longer than this get no suggestion: the names a script uses are far shorter, and the
// edit distance costs the product of the two lengths.
inline constexpr std::size_t MaxSuggestedLength = 256;

// The candidate closest to a mistyped word, when one is close enough to be a likely typo.
// The work is bounded: at most MaxSuggestedLength times the longest candidate per candidate.
std::optional<std::string> closest(std::string_view word, const std::vector<std::string>& candidates);

}  // namespace tj20::host::scenario
