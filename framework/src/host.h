// The host's function table as this module received it.
#pragma once

#include "tj20/host_abi.h"

namespace tj20::detail {
const abi::HostFunctions* host();
}
