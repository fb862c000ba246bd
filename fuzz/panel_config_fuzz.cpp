// Panel configurations as the host reads them: any text gives a configuration the loader can
// walk, or a LoadError naming the file; no other exception and no crash.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "check.h"
#include "tj20host/panel.h"

using namespace tj20::host;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    try {
        const PanelConfig config = PanelConfig::parse(text, "fuzz.cfg");
        TJ20_FUZZ_CHECK(!config.windows.empty());
        for (const auto& w : config.windows) {
            TJ20_FUZZ_CHECK(!w.section.empty());
            for (const auto& g : w.gauges) {
                TJ20_FUZZ_CHECK(!g.module.empty() && !g.gauge.empty());
                TJ20_FUZZ_CHECK(g.line >= 1 && g.line <= lines);
            }
        }
    } catch (const LoadError& e) {
        TJ20_FUZZ_CHECK(std::string_view(e.what()).starts_with("fuzz.cfg:"));
    }
    return 0;
}
