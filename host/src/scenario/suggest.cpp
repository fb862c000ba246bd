#include "suggest.h"

#include <algorithm>

namespace tj20::host::scenario {

namespace {
std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}
}  // namespace

std::optional<std::string> closest(std::string_view word, const std::vector<std::string>& candidates) {
    // Nothing a script names is this long; a longer word is no typo of a name.
    if (word.size() > MaxSuggestedLength) return std::nullopt;
    // A third of the word may be wrong, at least one letter: enough for typos, not for guesses.
    const std::size_t allowed = std::max<std::size_t>(1, word.size() / 3);
    std::optional<std::string> best;
    std::size_t bestDistance = allowed + 1;
    for (const auto& c : candidates) {
        // The distance is at least the difference in length: skip what cannot be close.
        const std::size_t lengths = c.size() > word.size() ? c.size() - word.size() : word.size() - c.size();
        if (lengths >= bestDistance) continue;
        const std::size_t d = editDistance(word, c);
        if (d < bestDistance) {
            bestDistance = d;
            best = c;
        }
    }
    return best;
}

}  // namespace tj20::host::scenario
