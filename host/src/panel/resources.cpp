// Reading a module's resource directory and its bitmaps (tj20host/resources.h).
#include "tj20host/resources.h"

#include <cstring>
#include <stdexcept>

namespace tj20::host {

namespace {
constexpr std::uint32_t Subdirectory = 0x80000000;
constexpr std::size_t DirectoryHeader = 16, DirectoryEntry = 8;

struct Reader {
    const ResourceSection& section;
    const std::string& where;

    [[noreturn]] void fail(const std::string& problem) const {
        throw std::runtime_error(where + ": resources: " + problem);
    }
    std::uint32_t u32(std::size_t offset) const {
        if (offset > section.bytes.size() || section.bytes.size() - offset < 4) fail("truncated resource directory");
        std::uint32_t v;
        std::memcpy(&v, section.bytes.data() + offset, 4);
        return v;
    }
    std::uint16_t u16(std::size_t offset) const {
        if (offset > section.bytes.size() || section.bytes.size() - offset < 2) fail("truncated resource directory");
        std::uint16_t v;
        std::memcpy(&v, section.bytes.data() + offset, 2);
        return v;
    }
    // The id entries of the directory at `offset`: (id, target) pairs.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> entries(std::size_t offset) const {
        const std::size_t named = u16(offset + 12), ids = u16(offset + 14);
        std::vector<std::pair<std::uint32_t, std::uint32_t>> out;
        for (std::size_t i = named; i < named + ids; ++i) {
            const std::size_t at = offset + DirectoryHeader + i * DirectoryEntry;
            out.emplace_back(u32(at), u32(at + 4));
        }
        return out;
    }
    std::size_t subdirectory(std::uint32_t target) const {
        if (!(target & Subdirectory)) fail("a directory entry that should lead to a directory leads to data");
        return target & ~Subdirectory;
    }
};
}  // namespace

std::vector<BitmapInfo> listBitmaps(const ResourceSection& section, const std::string& where) {
    std::vector<BitmapInfo> bitmaps;
    if (section.empty()) return bitmaps;
    const Reader r{section, where};
    for (const auto& [type, typeTarget] : r.entries(0)) {
        if (type != BitmapResourceType) continue;
        for (const auto& [id, idTarget] : r.entries(r.subdirectory(typeTarget))) {
            const auto languages = r.entries(r.subdirectory(idTarget));
            if (languages.empty()) r.fail("bitmap " + std::to_string(id) + " has no data");
            const std::uint32_t entry = languages.front().second;
            if (entry & Subdirectory) r.fail("bitmap " + std::to_string(id) + ": a data entry is a directory");
            const std::uint32_t address = r.u32(entry), size = r.u32(entry + 4);
            if (address < section.address || address - section.address > section.bytes.size() ||
                section.bytes.size() - (address - section.address) < size)
                r.fail("bitmap " + std::to_string(id) + " lies outside the resource section");
            BitmapInfo b;
            b.id = id;
            b.offset = address - section.address;
            b.size = size;
            if (size < 40 || r.u32(b.offset) < 40) r.fail("bitmap " + std::to_string(id) + " has no bitmap header");
            const auto width = static_cast<std::int32_t>(r.u32(b.offset + 4));
            const auto height = static_cast<std::int32_t>(r.u32(b.offset + 8));
            b.depth = r.u16(b.offset + 14);
            if (width <= 0 || height == 0 || (b.depth != 8 && b.depth != 24 && b.depth != 32))
                r.fail("bitmap " + std::to_string(id) + " is not an 8-, 24- or 32-bit bitmap of positive size");
            b.width = static_cast<std::uint32_t>(width);
            b.height = static_cast<std::uint32_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
            bitmaps.push_back(b);
        }
    }
    return bitmaps;
}

Pixels decodeBitmap(const ResourceSection& section, const BitmapInfo& b, const std::string& where) {
    const Reader r{section, where};
    const std::size_t header = r.u32(b.offset);
    const bool bottomUp = static_cast<std::int32_t>(r.u32(b.offset + 8)) > 0;
    const std::uint32_t compression = r.u32(b.offset + 16);
    if (compression != 0) r.fail("bitmap " + std::to_string(b.id) + " is compressed");
    std::uint32_t colours = b.depth == 8 ? r.u32(b.offset + 32) : 0;
    if (b.depth == 8 && colours == 0) colours = 256;
    const std::size_t palette = b.offset + header;
    const std::size_t bits = palette + colours * 4;
    const std::size_t rowBytes = ((b.width * b.depth + 31) / 32) * 4;
    if (bits + rowBytes * b.height > b.offset + b.size) r.fail("bitmap " + std::to_string(b.id) + " is truncated");
    const auto* data = reinterpret_cast<const unsigned char*>(section.bytes.data());

    Pixels p;
    p.width = static_cast<int>(b.width);
    p.height = static_cast<int>(b.height);
    p.argb.resize(static_cast<std::size_t>(p.width) * p.height);
    for (std::uint32_t y = 0; y < b.height; ++y) {
        const unsigned char* row = data + bits + rowBytes * (bottomUp ? b.height - 1 - y : y);
        for (std::uint32_t x = 0; x < b.width; ++x) {
            std::uint32_t blue, green, red, alpha = 255;
            if (b.depth == 32) {
                blue = row[x * 4], green = row[x * 4 + 1], red = row[x * 4 + 2], alpha = row[x * 4 + 3];
            } else if (b.depth == 24) {
                blue = row[x * 3], green = row[x * 3 + 1], red = row[x * 3 + 2];
            } else {
                const std::uint32_t index = row[x];
                if (index >= colours) r.fail("bitmap " + std::to_string(b.id) + " uses a colour beyond its palette");
                const unsigned char* c = data + palette + index * 4;
                blue = c[0], green = c[1], red = c[2];
            }
            // Pure black is the transparent colour of 8- and 24-bit bitmaps.
            if (b.depth != 32 && red == 0 && green == 0 && blue == 0) alpha = 0;
            p.argb[static_cast<std::size_t>(y) * b.width + x] =
                alpha == 0 ? 0 : (alpha << 24 | red << 16 | green << 8 | blue);
        }
    }
    return p;
}

}  // namespace tj20::host
