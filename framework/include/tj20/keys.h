// Key events: commands to the simulator through the host.
#pragma once

#include "tj20/host_abi.h"
#include "tj20/ids.h"

namespace tj20 {

// Sends a key event with its 32-bit argument; nothing happens while the host has not
// handed over its function table.
void send(KeyEvent event, abi::u32 value = 0);

}  // namespace tj20
