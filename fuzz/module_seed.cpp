// Cuts a built module down to what the host's module-file reader looks at, as a fuzzing seed:
// the ELF header, the dynamic symbols and their names, the resource directory and the section
// names, laid end to end with the section headers after them.
//   tj20_module_seed <module.gau> <seed>
#include <elf.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tj20_module_seed <module> <seed>\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<char> file{std::istreambuf_iterator<char>(in), {}};
    Elf64_Ehdr eh;
    if (file.size() < sizeof eh) return 1;
    std::memcpy(&eh, file.data(), sizeof eh);
    const auto header = [&](unsigned i) {
        Elf64_Shdr sh;
        std::memcpy(&sh, file.data() + eh.e_shoff + i * sizeof sh, sizeof sh);
        return sh;
    };
    if (eh.e_shoff + std::size_t{eh.e_shnum} * sizeof(Elf64_Shdr) > file.size()) return 1;
    const Elf64_Shdr names = header(eh.e_shstrndx);
    const auto nameOf = [&](const Elf64_Shdr& sh) { return std::string(file.data() + names.sh_offset + sh.sh_name); };

    // Kept: the null section, .dynsym, .dynstr, tj20rsrc and the section names, in that order.
    std::vector<unsigned> kept{0};
    for (const char* wanted : {".dynsym", ".dynstr", "tj20rsrc", ".shstrtab"})
        for (unsigned i = 1; i < eh.e_shnum; ++i)
            if (nameOf(header(i)) == wanted) kept.push_back(i);
    std::vector<char> out(sizeof eh);
    std::vector<Elf64_Shdr> headers;
    for (const unsigned i : kept) {
        Elf64_Shdr sh = header(i);
        if (i != 0) {
            const auto at = out.size();
            out.insert(out.end(), file.begin() + static_cast<long>(sh.sh_offset),
                       file.begin() + static_cast<long>(sh.sh_offset + sh.sh_size));
            sh.sh_offset = at;
        }
        if (sh.sh_link) {  // the symbol table's names, renumbered
            for (std::size_t k = 0; k < kept.size(); ++k)
                if (kept[k] == sh.sh_link) sh.sh_link = static_cast<Elf64_Word>(k);
        }
        headers.push_back(sh);
    }
    eh.e_phoff = 0;
    eh.e_phnum = 0;
    eh.e_shoff = out.size();
    eh.e_shnum = static_cast<Elf64_Half>(headers.size());
    eh.e_shstrndx = static_cast<Elf64_Half>(headers.size() - 1);
    std::memcpy(out.data(), &eh, sizeof eh);
    for (const auto& sh : headers)
        out.insert(out.end(), reinterpret_cast<const char*>(&sh), reinterpret_cast<const char*>(&sh) + sizeof sh);
    std::ofstream(argv[2], std::ios::binary).write(out.data(), static_cast<std::streamsize>(out.size()));
    return 0;
}
