// The module-file reader on files no linker writes: names that share their bytes, so that a
// small file would name gigabytes, are refused or cut short instead of read in full.
#include "tj20host/module_file.h"

#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <vector>

namespace tj20::host {
namespace {

// An ELF64 image: the header, then `body`, then the section headers.
struct Image {
    std::vector<char> bytes = std::vector<char>(sizeof(Elf64_Ehdr));
    std::vector<Elf64_Shdr> sections{Elf64_Shdr{}};

    std::size_t append(const void* data, std::size_t size) {
        const std::size_t at = bytes.size();
        bytes.insert(bytes.end(), static_cast<const char*>(data), static_cast<const char*>(data) + size);
        return at;
    }
    std::size_t appendRun(char c, std::size_t count) {
        const std::size_t at = bytes.size();
        bytes.insert(bytes.end(), count, c);
        bytes.push_back('\0');
        return at;
    }
    std::vector<char> finish(unsigned namesSection, unsigned sectionCount = 0,
                             unsigned entrySize = sizeof(Elf64_Shdr)) {
        Elf64_Ehdr eh{};
        std::memcpy(eh.e_ident, ELFMAG, SELFMAG);
        eh.e_ident[EI_CLASS] = ELFCLASS64;
        eh.e_ident[EI_DATA] = ELFDATA2LSB;
        eh.e_type = ET_DYN;
        eh.e_shoff = append(sections.data(), sections.size() * sizeof(Elf64_Shdr));
        eh.e_shentsize = static_cast<Elf64_Half>(entrySize);
        eh.e_shnum = static_cast<Elf64_Half>(sectionCount ? sectionCount : sections.size());
        eh.e_shstrndx = static_cast<Elf64_Half>(namesSection);
        std::memcpy(bytes.data(), &eh, sizeof eh);
        return bytes;
    }
};

TEST(ModuleFile, SymbolsSharingOneLongNameAreRefused) {
    Image image;
    const std::size_t name = image.appendRun('A', 2000);  // 20,000 symbols naming it: 40 MB of names
    std::vector<Elf64_Sym> symbols(20000);
    for (std::size_t i = 1; i < symbols.size(); ++i) {
        symbols[i].st_info = ELF64_ST_INFO(STB_GLOBAL, STT_OBJECT);
        symbols[i].st_shndx = 1;
    }
    const std::size_t table = image.append(symbols.data(), symbols.size() * sizeof(Elf64_Sym));
    image.sections.push_back({.sh_name = 0,
                              .sh_type = SHT_DYNSYM,
                              .sh_flags = 0,
                              .sh_addr = 0,
                              .sh_offset = table,
                              .sh_size = symbols.size() * sizeof(Elf64_Sym),
                              .sh_link = 2,
                              .sh_info = 0,
                              .sh_addralign = 0,
                              .sh_entsize = sizeof(Elf64_Sym)});
    image.sections.push_back({.sh_name = 0,
                              .sh_type = SHT_STRTAB,
                              .sh_flags = 0,
                              .sh_addr = 0,
                              .sh_offset = name,
                              .sh_size = 2001,
                              .sh_link = 0,
                              .sh_info = 0,
                              .sh_addralign = 0,
                              .sh_entsize = 0});
    const auto bytes = image.finish(2);
    try {
        readModuleBytes(bytes, "shared.gau");
        ADD_FAILURE() << "read 40 MB of names from a file of " << bytes.size() << " bytes";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "shared.gau: symbol names too large");
    }
}

TEST(ModuleFile, SectionNamesAreReadOnlyAsFarAsTheResourceSectionsName) {
    // 60,000 section headers, all one and the same (entry size 0), each named by a megabyte run.
    Image image;
    const std::size_t name = image.appendRun('t', 1 << 20);
    image.sections[0] = {.sh_name = 0,
                         .sh_type = SHT_PROGBITS,
                         .sh_flags = 0,
                         .sh_addr = 0,
                         .sh_offset = name,
                         .sh_size = 1 << 20,
                         .sh_link = 0,
                         .sh_info = 0,
                         .sh_addralign = 0,
                         .sh_entsize = 0};
    const auto module = readModuleBytes(image.finish(0, 60000, 0), "names.gau");
    EXPECT_TRUE(module.exports.empty());
    EXPECT_TRUE(module.bitmaps.empty());
}

}  // namespace
}  // namespace tj20::host
