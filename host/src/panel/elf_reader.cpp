// A small ELF64 reader: section headers, the dynamic symbol table and the resource section.
#include <elf.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "tj20host/input_file.h"
#include "tj20host/module_file.h"

namespace tj20::host {

namespace {
std::vector<char> slurp(const std::filesystem::path& file) {
    const std::string bytes = readInputFile(file, "module file", ModuleFileLimit);
    return {bytes.begin(), bytes.end()};
}

template <class T>
T at(std::span<const char> bytes, std::size_t offset, const std::string& file) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T))
        throw std::runtime_error(file + ": truncated ELF file");
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

// A gauge module exports two short names; no module comes near this.
constexpr std::size_t MaxExportBytes = std::size_t{16} << 20;

std::string stringAt(std::span<const char> bytes, std::size_t offset, std::size_t limit = std::string::npos) {
    std::string s;
    while (offset < bytes.size() && bytes[offset] && s.size() < limit) s += bytes[offset++];
    return s;
}
}  // namespace

ModuleFile readModuleFile(const std::filesystem::path& file) { return readModuleBytes(slurp(file), file.string()); }

ModuleFile readModuleBytes(std::span<const char> bytes, const std::string& file) {
    if (bytes.size() < sizeof(Elf64_Ehdr) || std::memcmp(bytes.data(), ELFMAG, SELFMAG) != 0 ||
        bytes[EI_CLASS] != ELFCLASS64)
        throw std::runtime_error(file + ": not a 64-bit ELF module");
    const auto eh = at<Elf64_Ehdr>(bytes, 0, file);
    std::vector<Elf64_Shdr> sections;
    for (unsigned i = 0; i < eh.e_shnum; ++i)
        sections.push_back(at<Elf64_Shdr>(bytes, eh.e_shoff + std::size_t{i} * eh.e_shentsize, file));
    if (eh.e_shstrndx >= sections.size()) throw std::runtime_error(file + ": no section names");
    const auto& names = sections[eh.e_shstrndx];

    ModuleFile result;
    std::size_t exportBytes = 0;
    for (const auto& sh : sections) {
        const std::string name = stringAt(bytes, names.sh_offset + sh.sh_name, sizeof "tj20rsrc");
        if (sh.sh_type == SHT_DYNSYM && sh.sh_link < sections.size()) {
            const auto& strtab = sections[sh.sh_link];
            for (std::size_t off = sh.sh_offset + sizeof(Elf64_Sym);
                 off + sizeof(Elf64_Sym) <= sh.sh_offset + sh.sh_size; off += sizeof(Elf64_Sym)) {
                const auto sym = at<Elf64_Sym>(bytes, off, file);
                if (sym.st_shndx == SHN_UNDEF) continue;
                const auto bind = ELF64_ST_BIND(sym.st_info);
                if (bind != STB_GLOBAL && bind != STB_WEAK) continue;
                result.exports.push_back(stringAt(bytes, strtab.sh_offset + sym.st_name));
                // Symbols may share their names' bytes, so a small file can name gigabytes.
                exportBytes += result.exports.back().size();
                if (exportBytes > MaxExportBytes) throw std::runtime_error(file + ": symbol names too large");
            }
        } else if (name == NativeResourceSection && sh.sh_type == SHT_PROGBITS) {
            if (sh.sh_offset > bytes.size() || bytes.size() - sh.sh_offset < sh.sh_size)
                throw std::runtime_error(file + ": truncated ELF file");
            result.resources.bytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(sh.sh_offset),
                                          bytes.begin() + static_cast<std::ptrdiff_t>(sh.sh_offset + sh.sh_size));
        }
    }
    std::sort(result.exports.begin(), result.exports.end());
    result.bitmaps = listBitmaps(result.resources, file);
    return result;
}

}  // namespace tj20::host
