// What the host reads from a module's file without running it: its exported symbols and
// its bitmap manifest (the "tj20bmp" section).
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tj20::host {

struct BitmapInfo {
    std::uint32_t id = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

struct ModuleFile {
    std::vector<std::string> exports;  // defined dynamic symbols, sorted
    std::vector<BitmapInfo> bitmaps;
};

// Reads a module file of the system the host runs on: an ELF shared object on Linux, a
// 32-bit PE DLL on Windows; raises LoadError-like std::runtime_error naming the file on a
// malformed one.
ModuleFile readModuleFile(const std::filesystem::path& file);
// The same from the file's bytes; `file` names it in messages.
ModuleFile readModuleBytes(std::span<const char> bytes, const std::string& file);

// Reads a 32-bit Windows DLL (PE32, i386): its export names and its "tj20bmp" section. The
// Windows host's readModuleFile; on any system for the tests.
ModuleFile readPeModuleFile(const std::filesystem::path& file);
ModuleFile readPeModuleBytes(std::span<const char> bytes, const std::string& file);

}  // namespace tj20::host
