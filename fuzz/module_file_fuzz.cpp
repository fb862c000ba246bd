// Module files as the host reads them before loading one: any bytes give the exports and the
// bitmaps of its resource directory, or a std::runtime_error naming the file; no other exception and no crash,
// within libFuzzer's time and memory limits for one input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

#include "check.h"
#include "tj20host/module_file.h"

using namespace tj20::host;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const char> bytes(reinterpret_cast<const char*>(data), size);
    try {
        const ModuleFile module = readModuleBytes(bytes, "fuzz.gau");
        TJ20_FUZZ_CHECK(std::is_sorted(module.exports.begin(), module.exports.end()));
        for (const auto& name : module.exports) TJ20_FUZZ_CHECK(name.size() < size);
        TJ20_FUZZ_CHECK(module.bitmaps.size() <= size / 12);
    } catch (const std::runtime_error& e) {
        TJ20_FUZZ_CHECK(std::string_view(e.what()).starts_with("fuzz.gau: "));
    }
    return 0;
}
