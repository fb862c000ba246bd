// The checks of a module's records, read from its file before the system loader maps it:
// what the host reads or writes of ImportTable, Linkage and the gauge header as it loads
// the module and calls its gauge, in that order, so the first fault found is reported.
#include "tj20host/module_check.h"

#include <algorithm>
#include <cstdio>

#include "module_image.h"
#include "tj20host/input_file.h"

namespace tj20::host {

namespace {
std::string bytes(std::uint64_t count) { return std::to_string(count) + (count == 1 ? " byte" : " bytes"); }

std::string hex(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

// The exported record `name`: a data object of at least `size` bytes that the file holds.
std::uint64_t record(const ModuleImage& image, const std::string& name, std::size_t size) {
    const auto symbol = image.exported(name);
    if (!symbol) image.fail("is not a gauge module: it exports no " + name);
    if (!symbol->notData.empty()) image.fail(name + " " + symbol->notData);
    if (!image.regionOf(symbol->address)) image.fail(name + " lies outside the module's image");
    if (symbol->size < size)
        image.fail(name + " is " + bytes(symbol->size) + ", smaller than its record (" + bytes(size) + ")");
    if (image.bytesAt(symbol->address, size).empty()) image.fail(name + " lies outside the data the file holds");
    return symbol->address;
}

void expectWord(const ModuleImage& image, std::uint64_t address, std::uint32_t expected, const std::string& what) {
    const std::uint64_t value = readLittleEndian(image.bytesAt(address, 4));
    if (value != expected) image.fail(what + " is " + hex(value) + ", not " + hex(expected));
}

enum class Target { Image, Code };

// Where the pointer field at `slot` points once the module is loaded: null (nullopt) where
// `required` is false, or into the module's image (its code, for a routine).
std::optional<std::uint64_t> pointer(const ModuleImage& image, std::uint64_t slot, const std::string& what,
                                     Target target, bool required) {
    const LoadedPointer p = image.pointerAt(slot);
    if (p.kind == LoadedPointer::Null) {
        if (required) image.fail(what + " is null");
        return std::nullopt;
    }
    if (p.kind == LoadedPointer::Outside) image.fail(what + " points outside the module (" + p.why + ")");
    const ImageRegion* region = image.regionOf(p.address);
    if (!region) image.fail(what + " points outside the module's image (to " + hex(p.address) + ")");
    if (target == Target::Code && !region->executable)
        image.fail(what + " points outside the module's code (to " + hex(p.address) + ")");
    return p.address;
}

void checkGaugeName(const ModuleImage& image, std::uint64_t address) {
    const ImageRegion& region = *image.regionOf(address);
    const std::uint64_t at = address - region.start;
    const auto held = at < region.contents.size() ? region.contents.subspan(at) : std::span<const char>{};
    const auto text = held.first(std::min<std::size_t>(held.size(), MaxGaugeNameLength + 1));
    if (std::find(text.begin(), text.end(), '\0') == text.end())
        image.fail("the gauge name at " + hex(address) + " is not a string of at most " +
                   std::to_string(MaxGaugeNameLength) + " characters in the module's data");
}
}  // namespace

void checkModuleImage(const ModuleImage& image, const RecordLayout& layout) {
    const std::uint64_t import = record(image, "ImportTable", layout.importTableSize);
    const std::uint64_t linkage = record(image, "Linkage", layout.linkageSize);
    expectWord(image, import + layout.importTableId, abi::ImportTableId, "ImportTable's identifier");
    if (!image.writable(import, layout.importTableSize))
        image.fail("ImportTable lies in read-only memory, where the host cannot store its function table");
    expectWord(image, linkage + layout.linkageId, abi::LinkageId, "Linkage's identifier");
    expectWord(image, linkage + layout.linkageVersion, abi::LinkVersion, "Linkage's link version");
    pointer(image, linkage + layout.linkageInit, "Linkage's module-init routine", Target::Code, false);
    pointer(image, linkage + layout.linkageDeinit, "Linkage's module-deinit routine", Target::Code, false);

    const std::uint64_t header =
        *pointer(image, linkage + layout.linkageGauge, "Linkage's gauge pointer", Target::Image, true);
    if (image.bytesAt(header, layout.headerSize).empty())
        image.fail("the gauge header at " + hex(header) + " runs past the data the file holds");
    expectWord(image, header + layout.headerVersion, abi::GaugeHeaderVersion, "the gauge header's version");
    checkGaugeName(image, *pointer(image, header + layout.headerName, "the gauge name", Target::Image, true));
    pointer(image, header + layout.headerElements, "the gauge's element list", Target::Image, false);
    pointer(image, header + layout.headerMouseAreas, "the gauge's mouse-area table", Target::Image, false);
    pointer(image, header + layout.headerCallback, "the gauge's service callback", Target::Code, true);
}

void checkModuleFile(const std::filesystem::path& file) {
    const std::string bytes = readInputFile(file, "module file", ModuleFileLimit);
    checkModuleBytes(bytes, file.string());
}

}  // namespace tj20::host
