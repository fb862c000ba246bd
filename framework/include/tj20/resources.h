// The module's bitmap manifest: identifier and size of each bitmap whose size the artwork
// fixes. It lives in the module's own section "tj20bmp", where the host's loader reads it
// alongside the module's resources; it is neither code nor an export.
#pragma once

#include "tj20/host_abi.h"

namespace tj20 {
struct BitmapSize {
    abi::u32 id;
    abi::u32 width;
    abi::u32 height;
};
}  // namespace tj20

#define TJ20_BITMAPS(...)                                                                                    \
    namespace {                                                                                              \
    [[gnu::used, gnu::section("tj20bmp")]] constinit const ::tj20::BitmapSize tj20Bitmaps[] = {__VA_ARGS__}; \
    }
