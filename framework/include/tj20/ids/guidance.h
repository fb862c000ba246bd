// Flight guidance, autopilot and thrust.
#pragma once

#include <cstdint>

namespace tj20::sim {}  // namespace tj20::sim

namespace tj20::key {}  // namespace tj20::key
