// A small ELF64 reader: section headers, the dynamic symbol table and the resource section.
#include <elf.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "tj20host/module_file.h"

namespace tj20::host {

namespace {
std::vector<char> slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in) throw std::runtime_error(file.string() + ": cannot be read");
    std::vector<char> bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error(file.string() + ": cannot be read");
    return bytes;
}

template <class T>
T at(const std::vector<char>& bytes, std::size_t offset, const std::filesystem::path& file) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T))
        throw std::runtime_error(file.string() + ": truncated ELF file");
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

std::string stringAt(const std::vector<char>& bytes, std::size_t offset) {
    std::string s;
    while (offset < bytes.size() && bytes[offset]) s += bytes[offset++];
    return s;
}
}  // namespace

ModuleFile readModuleFile(const std::filesystem::path& file) {
    const auto bytes = slurp(file);
    if (bytes.size() < sizeof(Elf64_Ehdr) || std::memcmp(bytes.data(), ELFMAG, SELFMAG) != 0 ||
        bytes[EI_CLASS] != ELFCLASS64)
        throw std::runtime_error(file.string() + ": not a 64-bit ELF module");
    const auto eh = at<Elf64_Ehdr>(bytes, 0, file);
    std::vector<Elf64_Shdr> sections;
    for (unsigned i = 0; i < eh.e_shnum; ++i)
        sections.push_back(at<Elf64_Shdr>(bytes, eh.e_shoff + std::size_t{i} * eh.e_shentsize, file));
    if (eh.e_shstrndx >= sections.size()) throw std::runtime_error(file.string() + ": no section names");
    const auto& names = sections[eh.e_shstrndx];

    ModuleFile result;
    for (const auto& sh : sections) {
        const std::string name = stringAt(bytes, names.sh_offset + sh.sh_name);
        if (sh.sh_type == SHT_DYNSYM && sh.sh_link < sections.size()) {
            const auto& strtab = sections[sh.sh_link];
            for (std::size_t off = sh.sh_offset + sizeof(Elf64_Sym);
                 off + sizeof(Elf64_Sym) <= sh.sh_offset + sh.sh_size; off += sizeof(Elf64_Sym)) {
                const auto sym = at<Elf64_Sym>(bytes, off, file);
                if (sym.st_shndx == SHN_UNDEF) continue;
                const auto bind = ELF64_ST_BIND(sym.st_info);
                if (bind != STB_GLOBAL && bind != STB_WEAK) continue;
                result.exports.push_back(stringAt(bytes, strtab.sh_offset + sym.st_name));
            }
        } else if (name == NativeResourceSection && sh.sh_type == SHT_PROGBITS) {
            if (sh.sh_offset > bytes.size() || bytes.size() - sh.sh_offset < sh.sh_size)
                throw std::runtime_error(file.string() + ": truncated ELF file");
            result.resources.bytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(sh.sh_offset),
                                          bytes.begin() + static_cast<std::ptrdiff_t>(sh.sh_offset + sh.sh_size));
        }
    }
    std::sort(result.exports.begin(), result.exports.end());
    result.bitmaps = listBitmaps(result.resources, file.string());
    return result;
}

}  // namespace tj20::host
