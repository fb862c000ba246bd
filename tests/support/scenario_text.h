// A scenario run's diagnostics as text, one per line, for the tests' failure messages and
// their searches for a message.
#pragma once

#include <string>

#include "tj20host/scenario.h"

namespace tj20::test {

inline std::string all(const host::ScenarioResult& r) {
    std::string s;
    for (const auto& d : r.diagnostics) s += toString(d) + "\n";
    return s;
}

}  // namespace tj20::test
