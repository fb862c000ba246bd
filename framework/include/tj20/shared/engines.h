// Shared variables of the engines: the engine synchroniser selection.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the master-variables module (rl_tj20_main_master_variables), which only clears it at first draw; in its
// registration order.

// Engine synchroniser selector, positions 0 to 2; any but 0 shows ENG SYNC ON. Operated by the engine
// synchronisation panel (rl_tj20_enginesync).
TJ20_SHARED(engsync);

}  // namespace tj20::shared
