// Scenario scripts as the host reads them before anything loads: any text gives a script or
// diagnostics naming its lines, never a crash, and a script that loads no panel always says so.
// Reading touches no file: a "load config" line only records the path it names.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "check.h"
#include "scenario/script.h"

using namespace tj20::host;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;

    std::vector<Diagnostic> errors;
    const scenario::Script script = scenario::parse(text, "fuzz/input.scn", errors);

    for (const auto& e : errors) {
        TJ20_FUZZ_CHECK(e.kind == Diagnostic::Kind::Error);
        TJ20_FUZZ_CHECK(e.line >= 0 && e.line <= lines);
        TJ20_FUZZ_CHECK(!e.message.empty());
        TJ20_FUZZ_CHECK(toString(e).starts_with("fuzz/input.scn"));
    }
    if (!script.load) TJ20_FUZZ_CHECK(!errors.empty());
    if (script.load) TJ20_FUZZ_CHECK(script.loadLine >= 1 && script.loadLine <= lines);
    int previous = script.loadLine;
    for (const auto& step : script.steps) {
        TJ20_FUZZ_CHECK(step.line > previous && step.line <= lines);
        previous = step.line;
        if (const auto* run = std::get_if<scenario::RunStep>(&step.action))
            TJ20_FUZZ_CHECK(run->cycles >= 1 && run->tickStep >= 0);
        if (const auto* hold = std::get_if<scenario::HoldStep>(&step.action)) TJ20_FUZZ_CHECK(hold->cycles >= 1);
    }
    return 0;
}
