// A 32-bit Windows DLL laid out byte by byte, for the tests of the host's readers of
// Windows module files.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tj20::test {

// The smallest DLL the reader must understand: an export directory in ".edata" naming
// Linkage and ImportTable, and a resource directory in ".rsrc" holding one BITMAP (0x100,
// 2 by 1 pixels at 24 bits), its data entry counting from the image's base as in a DLL.
struct PeImage {
    std::vector<char> bytes = std::vector<char>(0x800, 0);

    PeImage() {
        text(0, "MZ");
        put32(0x3c, 0x40);
        text(0x40, "PE");
        put16(0x44, 0x14c);        // i386
        put16(0x46, 2);            // sections
        put16(0x54, 0xe0);         // optional header size
        put16(0x58, 0x10b);        // PE32
        put32(0x58 + 92, 16);      // data directories
        put32(0x58 + 96, 0x1000);  // the export directory's address
        put32(0x58 + 100, 0x28);
        put32(0x58 + 112, 0x2000);  // the resource directory's address
        put32(0x58 + 116, 0x88);
        section(0x138, ".edata", 0x1000, 0x100, 0x400);
        section(0x160, ".rsrc", 0x2000, 0x88, 0x600);
        put32(0x400 + 24, 2);                            // names
        put32(0x400 + 32, 0x1040);                       // their addresses, at 0x1040
        put32(0x440, 0x1060);
        put32(0x444, 0x1070);
        text(0x460, "Linkage");
        text(0x470, "ImportTable");
        // type BITMAP, then identifier 0x100, then language 0x409, then the data entry
        put16(0x600 + 14, 1), put32(0x600 + 16, 2), put32(0x600 + 20, 0x80000000 | 24);
        put16(0x600 + 24 + 14, 1), put32(0x600 + 40, 0x100), put32(0x600 + 44, 0x80000000 | 48);
        put16(0x600 + 48 + 14, 1), put32(0x600 + 64, 0x409), put32(0x600 + 68, 72);
        put32(0x600 + 72, 0x2000 + 88), put32(0x600 + 76, 48);
        put32(0x600 + 88, 40), put32(0x600 + 92, 2), put32(0x600 + 96, 1), put16(0x600 + 100, 1);
        put16(0x600 + 102, 24);
    }
    void put16(std::size_t at, std::uint16_t v) { std::memcpy(&bytes[at], &v, sizeof v); }
    void put32(std::size_t at, std::uint32_t v) { std::memcpy(&bytes[at], &v, sizeof v); }
    void text(std::size_t at, const char* s) { std::memcpy(&bytes[at], s, std::strlen(s)); }
    void section(std::size_t at, const char* name, std::uint32_t address, std::uint32_t size, std::uint32_t offset) {
        text(at, name);
        put32(at + 8, size);
        put32(at + 12, address);
        put32(at + 16, 0x200);
        put32(at + 20, offset);
    }
};

// The same DLL as a gauge module: Linkage and ImportTable exported at addresses in a
// writable ".data" section, the gauge header and its name beside them, and the service
// callback in an executable ".text"; pointers are addresses for the image's base 0x10000000.
struct GaugePeImage : PeImage {
    static constexpr std::uint32_t Base = 0x10000000;
    static constexpr std::uint32_t Code = 0x3000, ImportTable = 0x4000, Linkage = 0x4010, Header = 0x4040,
                                   Name = 0x4100;
    // The file offset of a ".data" address.
    static constexpr std::size_t at(std::uint32_t address) { return address - 0x4000 + 0xa00; }

    GaugePeImage() {
        bytes.resize(0xc00);
        put16(0x46, 4);
        put32(0x58 + 28, Base);    // ImageBase
        put32(0x58 + 56, 0x5000);  // SizeOfImage
        section(0x188, ".text", Code, 0x100, 0x800);
        put32(0x188 + 36, 0x60000020);  // code, executable, readable
        section(0x1b0, ".data", 0x4000, 0x200, 0xa00);
        put32(0x1b0 + 36, 0xc0000040);  // initialised data, readable, writable
        put32(0x400 + 20, 2);           // addresses
        put32(0x400 + 28, 0x1080);      // at 0x1080, by the ordinals at 0x1090
        put32(0x400 + 36, 0x1090);
        put32(0x480, Linkage);
        put32(0x484, ImportTable);
        put16(0x490, 0);
        put16(0x492, 1);
        put32(at(ImportTable), 0x0f);
        put32(at(Linkage), 0x13);
        put32(at(Linkage) + 20, 0x800);
        put32(at(Linkage) + 24, Base + Header);
        put32(at(Header), 0x320);
        put32(at(Header) + 4, Base + Name);
        put32(at(Header) + 80, Base + Code);
        text(at(Name), "rl_tj20_probe");
    }
};

}  // namespace tj20::test
