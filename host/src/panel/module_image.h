// A module's image as its file lays it out, for the checks of module_check.cpp: the regions
// the system loader maps, the exported symbols, and what a pointer slot will hold once the
// module is loaded. One reading per file format: module_image_elf.cpp, module_image_pe.cpp.
// Addresses are relative to the image's start (ELF virtual addresses of a shared object,
// PE relative virtual addresses).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tj20/host_abi.h"

namespace tj20::host {

// Where the host's records keep their fields in a module of one kind (native, or 32-bit PE).
struct RecordLayout {
    std::size_t pointerSize;
    std::size_t importTableSize, importTableId;
    std::size_t linkageSize, linkageId, linkageInit, linkageDeinit, linkageVersion, linkageGauge;
    std::size_t headerSize, headerVersion, headerName, headerElements, headerMouseAreas, headerCallback;
};

// The records as this build of the host lays them out: a module of the host's own system.
inline constexpr RecordLayout NativeLayout{sizeof(void*),
                                           sizeof(abi::ImportTableRecord),
                                           offsetof(abi::ImportTableRecord, id),
                                           sizeof(abi::LinkageRecord),
                                           offsetof(abi::LinkageRecord, module_id),
                                           offsetof(abi::LinkageRecord, module_init),
                                           offsetof(abi::LinkageRecord, module_deinit),
                                           offsetof(abi::LinkageRecord, module_version),
                                           offsetof(abi::LinkageRecord, gauge_table),
                                           sizeof(abi::GaugeHeader),
                                           offsetof(abi::GaugeHeader, gauge_header_version),
                                           offsetof(abi::GaugeHeader, gauge_name),
                                           offsetof(abi::GaugeHeader, elements_list),
                                           offsetof(abi::GaugeHeader, mouse_rect),
                                           offsetof(abi::GaugeHeader, gauge_callback)};

struct ImageRegion {
    std::uint64_t start = 0;
    std::uint64_t size = 0;          // in memory
    std::span<const char> contents;  // what the file holds of it, from its start (may be shorter)
    bool executable = false;
    bool writable = false;
};

struct ExportedSymbol {
    std::uint64_t address = 0;
    std::uint64_t size = 0;  // the symbol's size, or the room left in its region where the format has none
    std::string notData;     // why it is no data object ("is a function, not a data object"); empty when it is one
};

// What a pointer slot holds once the module is loaded.
struct LoadedPointer {
    enum Kind { Null, Inside, Outside } kind = Null;
    std::uint64_t address = 0;  // for Inside: the image address it points at
    std::string why;            // for Outside: what it points at instead
};

class ModuleImage {
public:
    explicit ModuleImage(std::string file) : file_(std::move(file)) {}
    virtual ~ModuleImage() = default;

    // The exported symbol of that name; nullopt when the module exports none.
    virtual std::optional<ExportedSymbol> exported(const std::string& name) const = 0;
    // The value the pointer slot at `address` will hold once loaded.
    virtual LoadedPointer pointerAt(std::uint64_t address) const = 0;

    // The region holding [address, address + size) in memory; null when none does.
    const ImageRegion* regionOf(std::uint64_t address, std::uint64_t size = 1) const {
        for (const auto& r : regions_)
            if (address >= r.start && address - r.start < r.size && size <= r.size - (address - r.start)) return &r;
        return nullptr;
    }
    // The file's bytes of [address, address + size); empty when the file does not hold them all.
    std::span<const char> bytesAt(std::uint64_t address, std::uint64_t size) const {
        const ImageRegion* r = regionOf(address, size);
        if (!r || address - r->start > r->contents.size() || r->contents.size() - (address - r->start) < size)
            return {};
        return r->contents.subspan(address - r->start, size);
    }
    // Whether the host may write at `address` once the module is loaded.
    virtual bool writable(std::uint64_t address, std::uint64_t size) const {
        const ImageRegion* r = regionOf(address, size);
        return r && r->writable;
    }

    [[noreturn]] void fail(const std::string& problem) const { throw std::runtime_error(file_ + ": " + problem); }
    const std::string& file() const { return file_; }

protected:
    std::vector<ImageRegion> regions_;

private:
    std::string file_;
};

// The checks themselves, the same for every format.
void checkModuleImage(const ModuleImage& image, const RecordLayout& layout);

// A little-endian unsigned value of `size` bytes (4 or 8) from `bytes`.
inline std::uint64_t readLittleEndian(std::span<const char> bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

}  // namespace tj20::host
