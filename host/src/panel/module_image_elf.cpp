// A Linux module's image from its file: the segments the dynamic loader maps (PT_LOAD), the
// part it makes read-only once relocated (PT_GNU_RELRO), the relocations it applies
// (DT_RELA), and the exported symbols of the dynamic symbol table. A pointer in a module's
// record is zero in the file and filled by a relocation, so the slot's relocation says
// where it will point.
#include <elf.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "module_image.h"
#include "tj20host/module_check.h"

namespace tj20::host {

namespace {
static_assert(sizeof(void*) == 8, "the host on Linux reads 64-bit modules");

class ElfImage : public ModuleImage {
public:
    ElfImage(std::span<const char> bytes, const std::string& file) : ModuleImage(file), bytes_(bytes) {
        if (bytes.size() < sizeof(Elf64_Ehdr) || std::memcmp(bytes.data(), ELFMAG, SELFMAG) != 0 ||
            bytes[EI_CLASS] != ELFCLASS64 || bytes[EI_DATA] != ELFDATA2LSB)
            fail("not a 64-bit ELF module");
        const auto eh = at<Elf64_Ehdr>(0);
        if (eh.e_type != ET_DYN) fail("not a shared object (ELF type " + std::to_string(eh.e_type) + ")");
        if (eh.e_phentsize != sizeof(Elf64_Phdr)) fail("malformed ELF program headers");
        std::span<const char> dynamic;
        for (unsigned i = 0; i < eh.e_phnum; ++i) {
            const auto ph = at<Elf64_Phdr>(eh.e_phoff + std::size_t{i} * sizeof(Elf64_Phdr));
            if (ph.p_type == PT_LOAD) {
                regions_.push_back({ph.p_vaddr, ph.p_memsz, span(ph.p_offset, std::min(ph.p_filesz, ph.p_memsz)),
                                    (ph.p_flags & PF_X) != 0, (ph.p_flags & PF_W) != 0});
            } else if (ph.p_type == PT_GNU_RELRO) {
                readOnlyAfterLoad_.push_back({ph.p_vaddr, ph.p_memsz});
            } else if (ph.p_type == PT_DYNAMIC) {
                dynamic = span(ph.p_offset, ph.p_filesz);
            }
        }
        readRelocations(dynamic);
        readSymbols(eh);
    }

    std::optional<ExportedSymbol> exported(const std::string& name) const override {
        for (const auto& sym : symbols_) {
            const auto bind = ELF64_ST_BIND(sym.st_info);
            if (sym.st_shndx == SHN_UNDEF || (bind != STB_GLOBAL && bind != STB_WEAK) || !named(sym, name)) continue;
            ExportedSymbol s{sym.st_value, sym.st_size, {}};
            const auto type = ELF64_ST_TYPE(sym.st_info);
            if (type == STT_FUNC || type == STT_GNU_IFUNC)
                s.notData = "is a function, not a data object";
            else if (type != STT_OBJECT)
                s.notData = "is not a data object (symbol type " + std::to_string(type) + ")";
            return s;
        }
        return std::nullopt;
    }

    LoadedPointer pointerAt(std::uint64_t slot) const override {
        const auto found = relocations_.find(slot);
        if (found == relocations_.end()) {
            if (readLittleEndian(bytesAt(slot, 8)) == 0) return {};
            return {LoadedPointer::Outside, 0, "an address the loader does not relocate with the module"};
        }
        const Elf64_Rela& r = found->second;
        const auto addend = static_cast<std::uint64_t>(r.r_addend);
        switch (ELF64_R_TYPE(r.r_info)) {
            case R_X86_64_RELATIVE:
                return {LoadedPointer::Inside, addend, {}};
            case R_X86_64_64: {
                const std::size_t index = ELF64_R_SYM(r.r_info);
                if (index < symbols_.size() && symbols_[index].st_shndx != SHN_UNDEF)
                    return {LoadedPointer::Inside, symbols_[index].st_value + addend, {}};
                return {LoadedPointer::Outside, 0, "a symbol of another library"};
            }
        }
        return {LoadedPointer::Outside, 0,
                "set by a relocation of type " + std::to_string(ELF64_R_TYPE(r.r_info)) + " that no module uses"};
    }

    bool writable(std::uint64_t address, std::uint64_t size) const override {
        for (const auto& [start, length] : readOnlyAfterLoad_)
            if (address < start + length && start < address + size) return false;
        return ModuleImage::writable(address, size);
    }

private:
    template <class T>
    T at(std::size_t offset) const {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) fail("truncated ELF file");
        T value;
        std::memcpy(&value, bytes_.data() + offset, sizeof(T));
        return value;
    }
    std::span<const char> span(std::uint64_t offset, std::uint64_t size) const {
        if (offset > bytes_.size() || bytes_.size() - offset < size) fail("truncated ELF file");
        return bytes_.subspan(offset, size);
    }

    // The relocations the loader applies to data (DT_RELA), by the address they fill; where
    // two fill one address, the later one stands, as it does after loading.
    void readRelocations(std::span<const char> dynamic) {
        std::uint64_t table = 0, size = 0;
        for (std::size_t off = 0; off + sizeof(Elf64_Dyn) <= dynamic.size(); off += sizeof(Elf64_Dyn)) {
            Elf64_Dyn d;
            std::memcpy(&d, dynamic.data() + off, sizeof d);
            if (d.d_tag == DT_NULL) break;
            if (d.d_tag == DT_RELA) table = d.d_un.d_ptr;
            if (d.d_tag == DT_RELASZ) size = d.d_un.d_val;
        }
        if (!size) return;
        const auto entries = bytesAt(table, size);
        if (entries.empty()) fail("the relocation table lies outside the data the file holds");
        for (std::size_t off = 0; off + sizeof(Elf64_Rela) <= entries.size(); off += sizeof(Elf64_Rela)) {
            Elf64_Rela r;
            std::memcpy(&r, entries.data() + off, sizeof r);
            relocations_[r.r_offset] = r;
        }
    }

    // The dynamic symbol table (the same one the module-file reader lists the exports from).
    void readSymbols(const Elf64_Ehdr& eh) {
        if (eh.e_shnum && eh.e_shentsize != sizeof(Elf64_Shdr)) fail("malformed ELF section headers");
        for (unsigned i = 0; i < eh.e_shnum; ++i) {
            const auto sh = at<Elf64_Shdr>(eh.e_shoff + std::size_t{i} * sizeof(Elf64_Shdr));
            if (sh.sh_type != SHT_DYNSYM || sh.sh_link >= eh.e_shnum) continue;
            const auto strtab = at<Elf64_Shdr>(eh.e_shoff + std::size_t{sh.sh_link} * sizeof(Elf64_Shdr));
            names_ = span(strtab.sh_offset, strtab.sh_size);
            const auto table = span(sh.sh_offset, sh.sh_size);
            for (std::size_t off = 0; off + sizeof(Elf64_Sym) <= table.size(); off += sizeof(Elf64_Sym)) {
                Elf64_Sym sym;
                std::memcpy(&sym, table.data() + off, sizeof sym);
                symbols_.push_back(sym);
            }
            return;
        }
    }

    bool named(const Elf64_Sym& sym, const std::string& name) const {
        return sym.st_name < names_.size() && names_.size() - sym.st_name > name.size() &&
               std::memcmp(names_.data() + sym.st_name, name.c_str(), name.size() + 1) == 0;
    }

    std::span<const char> bytes_;
    std::span<const char> names_;
    std::vector<Elf64_Sym> symbols_;
    std::map<std::uint64_t, Elf64_Rela> relocations_;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> readOnlyAfterLoad_;
};
}  // namespace

void checkModuleBytes(std::span<const char> bytes, const std::string& file) {
    checkModuleImage(ElfImage(bytes, file), NativeLayout);
}

}  // namespace tj20::host
