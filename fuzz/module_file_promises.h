// What the module-file targets hold for any bytes: the reader gives sorted exports and no
// more bitmaps than the bytes hold directory entries, or a std::runtime_error naming the file;
// the check of the module's records passes or raises the same; no other exception and no
// crash, within libFuzzer's time and memory limits for one input.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "check.h"
#include "tj20host/module_file.h"

template <class Read, class Check>
int readAndCheckModule(const std::uint8_t* data, std::size_t size, Read read, Check check) {
    const std::span<const char> bytes(reinterpret_cast<const char*>(data), size);
    try {
        const tj20::host::ModuleFile module = read(bytes, "fuzz.gau");
        TJ20_FUZZ_CHECK(std::is_sorted(module.exports.begin(), module.exports.end()));
        for (const auto& name : module.exports) TJ20_FUZZ_CHECK(name.size() < size);
        TJ20_FUZZ_CHECK(module.bitmaps.size() <= size / 8);  // each has a directory entry of its own
    } catch (const std::runtime_error& e) {
        TJ20_FUZZ_CHECK(std::string_view(e.what()).starts_with("fuzz.gau: "));
    }
    try {
        check(bytes, "fuzz.gau");
    } catch (const std::runtime_error& e) {
        TJ20_FUZZ_CHECK(std::string_view(e.what()).starts_with("fuzz.gau: "));
    }
    return 0;
}
