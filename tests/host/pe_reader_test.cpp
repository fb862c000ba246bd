// The Windows host's reader of a module's file, tried on a 32-bit DLL image laid out byte
// by byte (pe_image.h): the export names, the bitmaps of its resource directory, and an error
// naming the file and the problem for each way the file can be wrong.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "pe_image.h"
#include "tj20host/module_file.h"

namespace tj20::test {
namespace {

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
