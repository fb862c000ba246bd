// What the host reads from a module's file without running it: its exported symbols and
// its bitmaps (the resource directory in its section "tj20rsrc", tj20host/resources.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tj20host/resources.h"

namespace tj20::host {

struct ModuleFile {
    std::vector<std::string> exports;  // defined dynamic symbols, sorted
    ResourceSection resources;         // empty when the module carries none
    std::vector<BitmapInfo> bitmaps;   // the BITMAP resources, by identifier
};

// Reads an ELF shared object; raises LoadError-like std::runtime_error naming the file on a malformed one.
ModuleFile readModuleFile(const std::filesystem::path& file);

}  // namespace tj20::host
