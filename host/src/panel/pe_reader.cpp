// A small PE32 reader: the section table, the export directory's names and the resource
// directory. Every offset read from the file is checked against the file's size.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "tj20host/module_file.h"

namespace tj20::host {

namespace {
struct Section {
    char name[9] = {};
    std::uint32_t virtualSize = 0;
    std::uint32_t virtualAddress = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;

    // The bytes the section holds in the file: its size in memory, unless the file holds less.
    std::uint32_t contentSize() const { return virtualSize && virtualSize < rawSize ? virtualSize : rawSize; }
};

class PeFile {
public:
    explicit PeFile(const std::filesystem::path& file) : file_(file) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) fail("not a regular file");
        std::ifstream in(file, std::ios::binary | std::ios::ate);
        if (!in) fail("cannot be read");
        bytes_.resize(static_cast<std::size_t>(in.tellg()));
        in.seekg(0);
        if (!in.read(bytes_.data(), static_cast<std::streamsize>(bytes_.size()))) fail("cannot be read");
    }

    [[noreturn]] void fail(const std::string& problem) const {
        throw std::runtime_error(file_.string() + ": " + problem);
    }

    template <class T>
    T at(std::size_t offset) const {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) fail("truncated or malformed PE file");
        T value;
        std::memcpy(&value, bytes_.data() + offset, sizeof(T));
        return value;
    }

    std::string stringAt(std::size_t offset) const {
        std::string s;
        for (;; ++offset) {
            if (offset >= bytes_.size()) fail("truncated or malformed PE file (a name runs past the end)");
            if (!bytes_[offset]) return s;
            s += bytes_[offset];
        }
    }

    // The file offset of a relative virtual address, through the section that holds it.
    std::size_t offsetOf(std::uint32_t rva, const std::vector<Section>& sections) const {
        for (const auto& s : sections)
            if (rva >= s.virtualAddress && rva - s.virtualAddress < s.contentSize())
                return std::size_t{s.rawOffset} + (rva - s.virtualAddress);
        fail("address 0x" + hex(rva) + " lies in no section");
    }

    // The bytes from a relative virtual address to the end of the section that holds it.
    std::vector<char> bytesFrom(std::uint32_t rva, const std::vector<Section>& sections) const {
        const std::size_t begin = offsetOf(rva, sections);
        for (const auto& s : sections)
            if (rva >= s.virtualAddress && rva - s.virtualAddress < s.contentSize()) {
                const std::size_t end = std::size_t{s.rawOffset} + s.contentSize();
                if (end > bytes_.size()) fail("truncated or malformed PE file");
                return {bytes_.begin() + static_cast<std::ptrdiff_t>(begin),
                        bytes_.begin() + static_cast<std::ptrdiff_t>(end)};
            }
        return {};
    }

private:
    static std::string hex(std::uint32_t v) {
        char b[16];
        std::snprintf(b, sizeof b, "%x", static_cast<unsigned>(v));
        return b;
    }

    std::filesystem::path file_;
    std::vector<char> bytes_;
};

constexpr std::uint16_t MachineI386 = 0x14c;
constexpr std::uint16_t Pe32Magic = 0x10b;
constexpr std::size_t CoffHeaderSize = 20;
constexpr std::size_t DataDirectoriesAt = 96;  // in the PE32 optional header
}  // namespace

ModuleFile readPeModuleFile(const std::filesystem::path& file) {
    const PeFile pe(file);
    if (pe.at<std::uint16_t>(0) != 0x5a4d) pe.fail("not a Windows module (no MZ header)");
    const std::size_t peAt = pe.at<std::uint32_t>(0x3c);
    if (pe.at<std::uint32_t>(peAt) != 0x00004550) pe.fail("not a Windows module (no PE signature)");
    const std::size_t coff = peAt + 4;
    const std::size_t optional = coff + CoffHeaderSize;
    const std::uint16_t optionalSize = pe.at<std::uint16_t>(coff + 16);
    if (pe.at<std::uint16_t>(coff) != MachineI386 || optionalSize < DataDirectoriesAt + 8 ||
        pe.at<std::uint16_t>(optional) != Pe32Magic)
        pe.fail("not a 32-bit Windows module (PE32 for i386)");

    std::vector<Section> sections(pe.at<std::uint16_t>(coff + 2));
    std::size_t header = optional + optionalSize;
    for (auto& s : sections) {
        for (std::size_t i = 0; i < 8; ++i) s.name[i] = static_cast<char>(pe.at<std::uint8_t>(header + i));
        s.virtualSize = pe.at<std::uint32_t>(header + 8);
        s.virtualAddress = pe.at<std::uint32_t>(header + 12);
        s.rawSize = pe.at<std::uint32_t>(header + 16);
        s.rawOffset = pe.at<std::uint32_t>(header + 20);
        header += 40;
    }

    ModuleFile result;
    const std::uint32_t directoryCount = pe.at<std::uint32_t>(optional + DataDirectoriesAt - 4);
    const std::uint32_t exportRva = directoryCount > 0 ? pe.at<std::uint32_t>(optional + DataDirectoriesAt) : 0;
    if (exportRva) {
        const std::size_t directory = pe.offsetOf(exportRva, sections);
        const std::uint32_t names = pe.at<std::uint32_t>(directory + 24);
        const std::uint32_t namesRva = pe.at<std::uint32_t>(directory + 32);
        for (std::uint32_t i = 0; i < names; ++i) {
            const std::uint32_t nameRva = pe.at<std::uint32_t>(pe.offsetOf(namesRva + 4 * i, sections));
            result.exports.push_back(pe.stringAt(pe.offsetOf(nameRva, sections)));
        }
    }
    // The bitmaps: the resource directory, where the data directories say it is.
    constexpr std::uint32_t ResourceDirectory = 2;
    const std::uint32_t resourceRva =
        directoryCount > ResourceDirectory ? pe.at<std::uint32_t>(optional + DataDirectoriesAt + 8 * ResourceDirectory) : 0;
    if (resourceRva) {
        result.resources.bytes = pe.bytesFrom(resourceRva, sections);
        result.resources.address = resourceRva;
    }
    result.bitmaps = listBitmaps(result.resources, file.string());
    std::sort(result.exports.begin(), result.exports.end());
    return result;
}

}  // namespace tj20::host
