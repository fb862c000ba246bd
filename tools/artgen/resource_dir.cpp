#include "resource_dir.h"

#include "tj20host/resources.h"

namespace tj20::art {

namespace {
constexpr std::uint32_t Subdirectory = 0x80000000;
constexpr std::uint32_t EnglishUs = 0x409;

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(v & 0xff);
    out.push_back(v >> 8);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xff);
}
void directory(std::vector<std::uint8_t>& out, std::uint16_t idEntries) {
    put32(out, 0);  // characteristics
    put32(out, 0);  // time stamp
    put16(out, 0);  // version
    put16(out, 0);
    put16(out, 0);  // named entries
    put16(out, idEntries);
}
}  // namespace

std::vector<std::uint8_t> resourceDirectory(const std::map<std::uint32_t, std::vector<std::uint8_t>>& bitmaps) {
    const auto n = static_cast<std::uint32_t>(bitmaps.size());
    // Root (one type), the type's directory (n identifiers), n language directories of one
    // entry, n data entries, then the data.
    const std::uint32_t typeDir = 16 + 8;
    const std::uint32_t languageDirs = typeDir + 16 + 8 * n;
    const std::uint32_t dataEntries = languageDirs + n * (16 + 8);
    std::uint32_t data = dataEntries + n * 16;

    std::vector<std::uint8_t> out;
    directory(out, 1);
    put32(out, host::BitmapResourceType);
    put32(out, typeDir | Subdirectory);
    directory(out, static_cast<std::uint16_t>(n));
    std::uint32_t i = 0;
    for (const auto& [id, bytes] : bitmaps) {
        put32(out, id);
        put32(out, (languageDirs + i++ * 24) | Subdirectory);
    }
    i = 0;
    for (const auto& entry : bitmaps) {
        (void)entry;
        directory(out, 1);
        put32(out, EnglishUs);
        put32(out, dataEntries + i++ * 16);
    }
    for (const auto& [id, bytes] : bitmaps) {
        put32(out, data);
        put32(out, static_cast<std::uint32_t>(bytes.size()));
        put32(out, 0);
        put32(out, 0);
        data += static_cast<std::uint32_t>((bytes.size() + 7) & ~std::size_t{7});
    }
    for (const auto& [id, bytes] : bitmaps) {
        out.insert(out.end(), bytes.begin(), bytes.end());
        out.resize((out.size() + 7) & ~std::size_t{7}, 0);
    }
    return out;
}

}  // namespace tj20::art
