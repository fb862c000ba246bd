// The module's resource directory, laid out as the host reads it (tj20host/resources.h):
// type BITMAP, each identifier, one language, then the bitmaps' bytes.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

namespace tj20::art {

// Bitmaps by identifier; the data entries count from address 0 of the directory.
std::vector<std::uint8_t> resourceDirectory(const std::map<std::uint32_t, std::vector<std::uint8_t>>& bitmaps);

}  // namespace tj20::art
