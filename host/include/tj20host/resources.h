// A module's bitmaps as the host reads them: a resource directory in the layout of the
// Windows resource section (type, then identifier, then language, then the data entry), which
// a Windows .gau carries in its .rsrc section and a native module in its section "tj20rsrc".
// Each BITMAP resource is a device-independent bitmap: 8 bits with a palette, 24 bits, or
// 32 bits with premultiplied alpha; rows bottom-up. In 8- and 24-bit bitmaps pure black is
// the transparent colour.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tj20::host {

inline constexpr const char* NativeResourceSection = "tj20rsrc";
inline constexpr std::uint32_t BitmapResourceType = 2;  // RT_BITMAP

// The bytes of a resource section and the address its data entries count from (the
// section's virtual address in a Windows module, 0 in a native one).
struct ResourceSection {
    std::vector<char> bytes;
    std::uint32_t address = 0;
    bool empty() const { return bytes.empty(); }
};

struct BitmapInfo {
    std::uint32_t id = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t depth = 0;  // bits per pixel: 8, 24 or 32
    std::size_t offset = 0;   // of the bitmap's bytes in the section
    std::size_t size = 0;
};

// The BITMAP resources of a section, by identifier; a malformed directory or bitmap header
// raises std::runtime_error naming `where` and the problem.
std::vector<BitmapInfo> listBitmaps(const ResourceSection& section, const std::string& where);

// A bitmap's pixels as premultiplied 0xAARRGGBB, top row first, transparent pixels clear.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
};
Pixels decodeBitmap(const ResourceSection& section, const BitmapInfo& bitmap, const std::string& where);

}  // namespace tj20::host
