// What the host reads from a module's file without running it: its exported symbols and
// its bitmaps (the resource directory in its section "tj20rsrc", tj20host/resources.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "tj20host/resources.h"

namespace tj20::host {

struct ModuleFile {
    std::vector<std::string> exports;  // defined dynamic symbols, sorted
    ResourceSection resources;         // empty when the module carries none
    std::vector<BitmapInfo> bitmaps;   // the BITMAP resources, by identifier
};

// Reads a module file of the system the host runs on: an ELF shared object on Linux, a
// 32-bit PE DLL on Windows; raises LoadError-like std::runtime_error naming the file on a
// malformed one.
ModuleFile readModuleFile(const std::filesystem::path& file);
// The same from the file's bytes; `file` names it in messages.
ModuleFile readModuleBytes(std::span<const char> bytes, const std::string& file);

// Reads a 32-bit Windows DLL (PE32, i386): its export names and its resource directory. The
// Windows host's readModuleFile; on any system for the tests.
ModuleFile readPeModuleFile(const std::filesystem::path& file);

}  // namespace tj20::host
