// The Windows host's reader of a module's file, tried on a 32-bit DLL image laid out here
// byte by byte: the export names, the bitmaps of its resource directory, and an error naming
// the file and the problem for each way the file can be wrong.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tj20host/module_file.h"

namespace tj20::test {
namespace {

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

std::filesystem::path scratch(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("tj20_pe_" + std::to_string(getpid()) + "_" + name);
}

TEST(PeReader, ReadsTheExportNamesAndTheBitmaps) {
    const auto file = scratch("module.gau");
    const PeImage image;
    std::ofstream(file, std::ios::binary).write(image.bytes.data(), static_cast<std::streamsize>(image.bytes.size()));
    const auto read = host::readPeModuleFile(file);
    std::filesystem::remove(file);
    EXPECT_EQ(read.exports, (std::vector<std::string>{"ImportTable", "Linkage"}));
    ASSERT_EQ(read.bitmaps.size(), 1u);
    EXPECT_EQ(read.bitmaps[0].id, 0x100u);
    EXPECT_EQ(read.bitmaps[0].width, 2u);
    EXPECT_EQ(read.bitmaps[0].height, 1u);
    EXPECT_EQ(read.bitmaps[0].depth, 24u);
    EXPECT_EQ(read.resources.address, 0x2000u);
}

TEST(PeReader, MalformedFileIsAnErrorNamingTheFileAndTheProblem) {
    struct Case {
        const char* what;
        std::function<void(PeImage&)> spoil;
        const char* problem;
    };
    const Case cases[] = {
        {"ELF",
         [](PeImage& p) {
             p.text(0,
                    "\x7f"
                    "ELF");
         },
         "not a Windows module (no MZ header)"},
        {"no PE signature", [](PeImage& p) { p.text(0x40, "NE"); }, "no PE signature"},
        {"64-bit", [](PeImage& p) { p.put16(0x44, 0x8664); }, "not a 32-bit Windows module"},
        {"PE32+", [](PeImage& p) { p.put16(0x58, 0x20b); }, "not a 32-bit Windows module"},
        {"header beyond the end", [](PeImage& p) { p.put32(0x3c, 0x7fffffff); }, "truncated or malformed PE file"},
        {"truncated", [](PeImage& p) { p.bytes.resize(0x450); }, "truncated or malformed PE file"},
        {"name outside every section", [](PeImage& p) { p.put32(0x444, 0x5000); }, "address 0x5000 lies in no section"},
        {"name without its end",
         [](PeImage& p) {
             p.put32(0x444, 0x10fc);
             std::memset(&p.bytes[0x4fc], 'x', 0x304);
         },
         "a name runs past the end"},
        {"resources outside every section", [](PeImage& p) { p.put32(0x58 + 112, 0x7000); },
         "address 0x7000 lies in no section"},
        {"bitmap data outside the resources", [](PeImage& p) { p.put32(0x600 + 72, 0x1000); },
         "outside the resource section"},
        {"too many sections", [](PeImage& p) { p.put16(0x46, 0xffff); }, "truncated or malformed PE file"},
    };
    for (const auto& c : cases) {
        PeImage image;
        c.spoil(image);
        const auto file = scratch("spoilt.gau");
        std::ofstream(file, std::ios::binary)
            .write(image.bytes.data(), static_cast<std::streamsize>(image.bytes.size()));
        try {
            host::readPeModuleFile(file);
            ADD_FAILURE() << c.what << ": read without an error";
        } catch (const std::runtime_error& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(file.string() + ": ", 0), 0u) << c.what << ": " << message;
            EXPECT_NE(message.find(c.problem), std::string::npos) << c.what << ": " << message;
        }
        std::filesystem::remove(file);
    }
}

TEST(PeReader, FolderIsNotAModuleFile) {
    const auto dir = scratch("folder.gau");
    std::filesystem::create_directories(dir);
    EXPECT_THROW(
        {
            try {
                host::readPeModuleFile(dir);
            } catch (const std::runtime_error& e) {
                EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos) << e.what();
                throw;
            }
        },
        std::runtime_error);
    std::filesystem::remove(dir);
}

}  // namespace
}  // namespace tj20::test
