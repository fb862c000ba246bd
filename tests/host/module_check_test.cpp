// Modules whose records are damaged or foreign are refused from their file, before any of
// their code runs: a built module with one field of its records patched (the ELF case goes
// through the whole load), and the Windows reading on a DLL laid out byte by byte.
#include "tj20host/module_check.h"

#include <elf.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "panel_test.h"
#include "pe_image.h"
#include "tj20/host_abi.h"

namespace tj20::test {
namespace {

namespace fs = std::filesystem;

// A built module's file, with what a test needs to find its records' fields in it.
struct ElfModule {
    std::vector<char> bytes;

    explicit ElfModule(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    template <class T>
    T get(std::size_t at) const {
        T v;
        std::memcpy(&v, &bytes.at(at), sizeof v);
        return v;
    }
    template <class T>
    void put(std::size_t at, const T& v) {
        std::memcpy(&bytes.at(at), &v, sizeof v);
    }
    Elf64_Ehdr header() const { return get<Elf64_Ehdr>(0); }
    std::size_t sectionHeader(unsigned i) const { return header().e_shoff + i * sizeof(Elf64_Shdr); }
    std::size_t programHeader(unsigned type) const {
        for (unsigned i = 0; i < header().e_phnum; ++i)
            if (get<Elf64_Phdr>(header().e_phoff + i * sizeof(Elf64_Phdr)).p_type == type)
                return header().e_phoff + i * sizeof(Elf64_Phdr);
        throw std::runtime_error("no such program header");
    }
    // The file offset of the dynamic symbol `name`'s table entry, and of its name.
    std::pair<std::size_t, std::size_t> symbol(const char* name) const {
        for (unsigned i = 0; i < header().e_shnum; ++i) {
            const auto sh = get<Elf64_Shdr>(sectionHeader(i));
            if (sh.sh_type != SHT_DYNSYM) continue;
            const auto names = get<Elf64_Shdr>(sectionHeader(sh.sh_link)).sh_offset;
            for (std::size_t at = sh.sh_offset; at < sh.sh_offset + sh.sh_size; at += sizeof(Elf64_Sym))
                if (std::strcmp(&bytes[names + get<Elf64_Sym>(at).st_name], name) == 0)
                    return {at, names + get<Elf64_Sym>(at).st_name};
        }
        throw std::runtime_error("no such symbol");
    }
    std::uint64_t address(const char* name) const { return get<Elf64_Sym>(symbol(name).first).st_value; }
    std::size_t fileOffset(std::uint64_t address) const {
        for (unsigned i = 0; i < header().e_phnum; ++i) {
            const auto ph = get<Elf64_Phdr>(header().e_phoff + i * sizeof(Elf64_Phdr));
            if (ph.p_type == PT_LOAD && address >= ph.p_vaddr && address < ph.p_vaddr + ph.p_filesz)
                return ph.p_offset + (address - ph.p_vaddr);
        }
        throw std::runtime_error("address not in the file");
    }
    // The file offset of the relocation that fills the pointer at `slot`.
    std::size_t relocation(std::uint64_t slot) const {
        for (unsigned i = 0; i < header().e_shnum; ++i) {
            const auto sh = get<Elf64_Shdr>(sectionHeader(i));
            if (sh.sh_type != SHT_RELA) continue;
            for (std::size_t at = sh.sh_offset; at < sh.sh_offset + sh.sh_size; at += sizeof(Elf64_Rela))
                if (get<Elf64_Rela>(at).r_offset == slot) return at;
        }
        throw std::runtime_error("no relocation for the slot");
    }
    std::uint64_t pointer(std::uint64_t slot) const { return get<Elf64_Rela>(relocation(slot)).r_addend; }
    void point(std::uint64_t slot, std::uint64_t to) {
        put<Elf64_Sxword>(relocation(slot) + 16, static_cast<Elf64_Sxword>(to));
    }

    std::uint64_t gaugeSlot() const { return address("Linkage") + offsetof(abi::LinkageRecord, gauge_table); }
    std::uint64_t gaugeHeader() const { return pointer(gaugeSlot()); }
    std::uint64_t headerSlot(std::size_t field) const { return gaugeHeader() + field; }
};

// Whether `text` is `pattern`, where a '*' in the pattern stands for an address.
bool matches(const std::string& text, const std::string& pattern) {
    const auto star = pattern.find('*');
    if (star == std::string::npos) return text == pattern;
    const std::string head = pattern.substr(0, star), tail = pattern.substr(star + 1);
    return text.size() > head.size() + tail.size() && text.starts_with(head) && text.ends_with(tail) &&
           text.find_first_not_of("0123456789abcdef", head.size()) == text.size() - tail.size();
}

struct Spoilt {
    const char* what;
    std::function<void(ElfModule&)> spoil;
    std::string problem;  // after "<file>: "
};

TEST(ModuleCheck, DamagedLinuxModuleIsRefusedBeforeItLoads) {
    constexpr std::size_t Name = offsetof(abi::GaugeHeader, gauge_name);
    constexpr std::size_t Callback = offsetof(abi::GaugeHeader, gauge_callback);
    const Spoilt cases[] = {
        {"sound", [](ElfModule&) {}, ""},
        {"gauge pointer into nowhere", [](ElfModule& m) { m.point(m.gaugeSlot(), 0x7fff0000deadbeef); },
         "Linkage's gauge pointer points outside the module's image (to 0x7fff0000deadbeef)"},
        {"gauge pointer not relocated", [](ElfModule& m) { m.put<Elf64_Addr>(m.relocation(m.gaugeSlot()), 0); },
         "Linkage's gauge pointer points outside the module (an address the loader does not relocate with the module)"},
        {"gauge pointer null",
         [](ElfModule& m) {
             m.put<Elf64_Addr>(m.relocation(m.gaugeSlot()), 0);
             m.put<Elf64_Addr>(m.fileOffset(m.gaugeSlot()), 0);
         },
         "Linkage's gauge pointer is null"},
        {"gauge pointer by a thread-local relocation",
         [](ElfModule& m) { m.put<Elf64_Xword>(m.relocation(m.gaugeSlot()) + 8, ELF64_R_INFO(0, R_X86_64_TPOFF64)); },
         "Linkage's gauge pointer points outside the module (set by a relocation of type 18 that no module uses)"},
        {"one-byte Linkage", [](ElfModule& m) { m.put<Elf64_Xword>(m.symbol("Linkage").first + 16, 1); },
         "Linkage is 1 byte, smaller than its record (" + std::to_string(sizeof(abi::LinkageRecord)) + " bytes)"},
        {"Linkage a function",
         [](ElfModule& m) { m.put<unsigned char>(m.symbol("Linkage").first + 4, ELF64_ST_INFO(STB_GLOBAL, STT_FUNC)); },
         "Linkage is a function, not a data object"},
        {"Linkage thread-local",
         [](ElfModule& m) { m.put<unsigned char>(m.symbol("Linkage").first + 4, ELF64_ST_INFO(STB_GLOBAL, STT_TLS)); },
         "Linkage is not a data object (symbol type 6)"},
        {"no Linkage", [](ElfModule& m) { m.put<char>(m.symbol("Linkage").second + 6, 'f'); },
         "is not a gauge module: it exports no Linkage"},
        {"short ImportTable", [](ElfModule& m) { m.put<Elf64_Xword>(m.symbol("ImportTable").first + 16, 8); },
         "ImportTable is 8 bytes, smaller than its record (" + std::to_string(sizeof(abi::ImportTableRecord)) +
             " bytes)"},
        {"ImportTable identifier",
         [](ElfModule& m) { m.put<std::uint32_t>(m.fileOffset(m.address("ImportTable")), 0x10); },
         "ImportTable's identifier is 0x10, not 0xf"},
        {"ImportTable read-only after relocation",
         [](ElfModule& m) {
             m.put<Elf64_Addr>(m.programHeader(PT_GNU_RELRO) + 16, m.address("ImportTable"));
             m.put<Elf64_Xword>(m.programHeader(PT_GNU_RELRO) + 40, 8);
         },
         "ImportTable lies in read-only memory, where the host cannot store its function table"},
        {"Linkage identifier", [](ElfModule& m) { m.put<std::uint32_t>(m.fileOffset(m.address("Linkage")), 0x14); },
         "Linkage's identifier is 0x14, not 0x13"},
        {"link version",
         [](ElfModule& m) {
             m.put<std::uint32_t>(m.fileOffset(m.address("Linkage") + offsetof(abi::LinkageRecord, module_version)),
                                  0x700);
         },
         "Linkage's link version is 0x700, not 0x800"},
        {"header version 0xBAD", [](ElfModule& m) { m.put<std::uint32_t>(m.fileOffset(m.gaugeHeader()), 0xBAD); },
         "the gauge header's version is 0xbad, not 0x320"},
        {"name outside", [](ElfModule& m) { m.point(m.headerSlot(Name), 0x10000000); },
         "the gauge name points outside the module's image (to 0x10000000)"},
        {"name without its end",
         [](ElfModule& m) {
             const auto at = m.fileOffset(m.pointer(m.headerSlot(Name)));
             std::memset(&m.bytes.at(at), 'x', host::MaxGaugeNameLength + 1);
         },
         "the gauge name at 0x* is not a string of at most 255 characters in the module's data"},
        {"element list outside",
         [](ElfModule& m) { m.point(m.headerSlot(offsetof(abi::GaugeHeader, elements_list)), 0x10000000); },
         "the gauge's element list points outside the module's image (to 0x10000000)"},
        {"callback into data", [](ElfModule& m) { m.point(m.headerSlot(Callback), m.gaugeHeader()); },
         "the gauge's service callback points outside the module's code (to 0x*)"},
        {"callback from another library",
         [](ElfModule& m) {
             m.put<Elf64_Xword>(m.relocation(m.headerSlot(Callback)) + 8, ELF64_R_INFO(0, R_X86_64_64));
         },
         "the gauge's service callback points outside the module (a symbol of another library)"},
    };
    const fs::path dir = fs::temp_directory_path() / ("tj20_module_check_" + std::to_string(getpid()));
    fs::create_directories(dir);
    for (const auto& c : cases) {
        ElfModule module(panelDir() / "rl_tj20_oh_lights.gau");
        c.spoil(module);
        const fs::path file = dir / "rl_tj20_oh_lights.gau";
        std::ofstream(file, std::ios::binary)
            .write(module.bytes.data(), static_cast<std::streamsize>(module.bytes.size()));
        std::string said = "loaded";
        try {
            host::LoadOptions options{dir, false};
            host::Panel::load(host::PanelConfig::fromModules({"rl_tj20_oh_lights"}), options);
        } catch (const host::LoadError& e) {
            said = e.what();
        }
        const std::string expected =
            c.problem.empty() ? "loaded" : "module list:1: " + file.string() + ": " + c.problem;
        EXPECT_TRUE(matches(said, expected)) << c.what << ": " << said;
    }
    fs::remove_all(dir);
}

TEST(ModuleCheck, DamagedWindowsModuleIsRefusedFromItsFile) {
    using P = GaugePeImage;
    const struct {
        const char* what;
        std::function<void(P&)> spoil;
        std::string problem;
    } cases[] = {
        {"sound", [](P&) {}, ""},
        {"gauge pointer into nowhere", [](P& p) { p.put32(P::at(P::Linkage) + 24, 0xdeadbeef); },
         "Linkage's gauge pointer points outside the module (0xdeadbeef, beyond the image at 0x10000000 of 0x5000 "
         "bytes)"},
        {"Linkage in the code", [](P& p) { p.put32(0x480, P::Code); },
         "Linkage lies in the module's code, not its data"},
        {"Linkage cut short by its section", [](P& p) { p.put32(0x480, 0x41f0); },
         "Linkage is 16 bytes, smaller than its record (32 bytes)"},
        {"init routine in the data", [](P& p) { p.put32(P::at(P::Linkage) + 4, P::Base + P::Linkage); },
         "Linkage's module-init routine points outside the module's code (to 0x4010)"},
        {"header cut short by its section", [](P& p) { p.put32(P::at(P::Linkage) + 24, P::Base + 0x41a0); },
         "the gauge header at 0x41a0 runs past the data the file holds"},
        {"Linkage forwarded", [](P& p) { p.put32(0x480, 0x1010); }, "Linkage is forwarded to another library"},
        {"no ImportTable", [](P& p) { p.put32(0x400 + 24, 1); }, "is not a gauge module: it exports no ImportTable"},
        {"ImportTable read-only", [](P& p) { p.put32(0x1b0 + 36, 0x40000040); },
         "ImportTable lies in read-only memory, where the host cannot store its function table"},
        {"header version 0xBAD", [](P& p) { p.put32(P::at(P::Header), 0xBAD); },
         "the gauge header's version is 0xbad, not 0x320"},
        {"name without its end", [](P& p) { std::memset(&p.bytes[P::at(P::Name)], 'x', 0x100); },
         "the gauge name at 0x4100 is not a string of at most 255 characters in the module's data"},
        {"callback into data", [](P& p) { p.put32(P::at(P::Header) + 80, P::Base + P::Header); },
         "the gauge's service callback points outside the module's code (to 0x4040)"},
    };
    for (const auto& c : cases) {
        P image;
        c.spoil(image);
        std::string said = "passed";
        try {
            host::checkPeModuleBytes(image.bytes, "x.gau");
        } catch (const std::runtime_error& e) {
            said = e.what();
        }
        EXPECT_EQ(said, c.problem.empty() ? "passed" : "x.gau: " + c.problem) << c.what;
    }
}

}  // namespace
}  // namespace tj20::test
