// A Windows module's image from its file: the sections Windows maps, each at its relative
// address, and the export directory. Pointers in a PE32 module's records are absolute
// addresses for the image's preferred base, which Windows moves along with the image, so a
// pointer into the module lies between ImageBase and ImageBase + SizeOfImage.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "module_image.h"
#include "tj20host/module_check.h"

namespace tj20::host {

namespace {
// The records of a 32-bit Windows module, 4-byte packed.
constexpr RecordLayout Pe32Layout{4, 16, 0, 32, 0, 4, 8, 20, 24, 108, 0, 4, 8, 76, 80};
#if TJ20_ABI32
static_assert(Pe32Layout.importTableSize == NativeLayout.importTableSize);
static_assert(Pe32Layout.linkageSize == NativeLayout.linkageSize);
static_assert(Pe32Layout.linkageInit == NativeLayout.linkageInit);
static_assert(Pe32Layout.linkageDeinit == NativeLayout.linkageDeinit);
static_assert(Pe32Layout.linkageVersion == NativeLayout.linkageVersion);
static_assert(Pe32Layout.linkageGauge == NativeLayout.linkageGauge);
static_assert(Pe32Layout.headerSize == NativeLayout.headerSize);
static_assert(Pe32Layout.headerName == NativeLayout.headerName);
static_assert(Pe32Layout.headerElements == NativeLayout.headerElements);
static_assert(Pe32Layout.headerMouseAreas == NativeLayout.headerMouseAreas);
static_assert(Pe32Layout.headerCallback == NativeLayout.headerCallback);
#endif

constexpr std::uint32_t SectionExecutable = 0x20000000;
constexpr std::uint32_t SectionWritable = 0x80000000;

class PeImage : public ModuleImage {
public:
    PeImage(std::span<const char> bytes, const std::string& file) : ModuleImage(file), bytes_(bytes) {
        if (word16(0) != 0x5a4d) fail("not a Windows module (no MZ header)");
        const std::size_t pe = word32(0x3c);
        if (word32(pe) != 0x00004550) fail("not a Windows module (no PE signature)");
        const std::size_t coff = pe + 4;
        const std::size_t optional = coff + 20;
        const std::uint16_t optionalSize = word16(coff + 16);
        if (word16(coff) != 0x14c || optionalSize < 104 || word16(optional) != 0x10b)
            fail("not a 32-bit Windows module (PE32 for i386)");
        imageBase_ = word32(optional + 28);
        imageSize_ = word32(optional + 56);
        if (word32(optional + 92) > 0) {
            exportDirectory_ = word32(optional + 96);
            exportDirectorySize_ = word32(optional + 100);
        }
        std::size_t header = optional + optionalSize;
        for (unsigned i = word16(coff + 2); i > 0; --i, header += 40) {
            const std::uint32_t virtualSize = word32(header + 8), rawSize = word32(header + 16);
            const std::uint32_t size = virtualSize ? virtualSize : rawSize;
            const std::uint32_t characteristics = word32(header + 36);
            regions_.push_back({word32(header + 12), size, span(word32(header + 20), std::min(rawSize, size)),
                                (characteristics & SectionExecutable) != 0, (characteristics & SectionWritable) != 0});
        }
    }

    std::optional<ExportedSymbol> exported(const std::string& name) const override {
        if (!exportDirectory_) return std::nullopt;
        const auto directory = bytesAt(exportDirectory_, 40);
        if (directory.empty()) fail("the export directory lies outside the data the file holds");
        const auto field = [&](std::size_t at) {
            return static_cast<std::uint32_t>(readLittleEndian(directory.subspan(at, 4)));
        };
        const std::uint32_t functions = field(20), names = field(24);
        const auto functionTable = table(field(28), std::uint64_t{functions} * 4);
        const auto nameTable = table(field(32), std::uint64_t{names} * 4);
        const auto ordinalTable = table(field(36), std::uint64_t{names} * 2);
        for (std::uint32_t i = 0; i < names; ++i) {
            if (!named(static_cast<std::uint32_t>(readLittleEndian(nameTable.subspan(4 * i, 4))), name)) continue;
            const std::uint64_t ordinal = readLittleEndian(ordinalTable.subspan(2 * i, 2));
            if (ordinal >= functions) fail("the export " + name + " has no address");
            ExportedSymbol s;
            s.address = readLittleEndian(functionTable.subspan(4 * ordinal, 4));
            if (s.address >= exportDirectory_ && s.address - exportDirectory_ < exportDirectorySize_)
                s.notData = "is forwarded to another library";
            if (const ImageRegion* r = regionOf(s.address)) {
                s.size = r->size - (s.address - r->start);
                if (r->executable) s.notData = "lies in the module's code, not its data";
            }
            return s;
        }
        return std::nullopt;
    }

    LoadedPointer pointerAt(std::uint64_t slot) const override {
        const std::uint64_t value = readLittleEndian(bytesAt(slot, 4));
        if (value == 0) return {};
        if (value >= imageBase_ && value - imageBase_ < imageSize_)
            return {LoadedPointer::Inside, value - imageBase_, {}};
        char why[80];
        std::snprintf(why, sizeof why, "0x%llx, beyond the image at 0x%llx of 0x%llx bytes",
                      static_cast<unsigned long long>(value), static_cast<unsigned long long>(imageBase_),
                      static_cast<unsigned long long>(imageSize_));
        return {LoadedPointer::Outside, 0, why};
    }

private:
    std::span<const char> span(std::uint64_t offset, std::uint64_t size) const {
        if (offset > bytes_.size() || bytes_.size() - offset < size) fail("truncated or malformed PE file");
        return bytes_.subspan(offset, size);
    }
    std::uint32_t word16(std::size_t offset) const {
        return static_cast<std::uint32_t>(readLittleEndian(span(offset, 2)));
    }
    std::uint32_t word32(std::size_t offset) const {
        return static_cast<std::uint32_t>(readLittleEndian(span(offset, 4)));
    }

    std::span<const char> table(std::uint64_t address, std::uint64_t size) const {
        const auto entries = bytesAt(address, size);
        if (entries.empty() && size) fail("the export directory's tables lie outside the data the file holds");
        return entries;
    }
    bool named(std::uint64_t address, const std::string& name) const {
        const auto text = bytesAt(address, name.size() + 1);
        return !text.empty() && std::memcmp(text.data(), name.c_str(), name.size() + 1) == 0;
    }

    std::span<const char> bytes_;
    std::uint64_t imageBase_ = 0, imageSize_ = 0;
    std::uint64_t exportDirectory_ = 0, exportDirectorySize_ = 0;
};
}  // namespace

void checkPeModuleBytes(std::span<const char> bytes, const std::string& file) {
    checkModuleImage(PeImage(bytes, file), Pe32Layout);
}

#if defined(_WIN32)
void checkModuleBytes(std::span<const char> bytes, const std::string& file) { checkPeModuleBytes(bytes, file); }
#endif

}  // namespace tj20::host
