// Shared variables of fuel feed: the six boost pump switches.
#pragma once

#include "tj20/shared/catalogue_entry.h"

namespace tj20::shared {

// Owned by the fuel pump panel (rl_tj20_fuelpumps), in registration order. Each is a boost pump switch, 1 on; the
// simulator's fuel tank selector follows the pattern of pumps that run.

// Left wing tank aft boost pump.
TJ20_SHARED(laftfuelpumpsw);
// Centre tank aft boost pump.
TJ20_SHARED(caftfuelpumpsw);
// Right wing tank aft boost pump.
TJ20_SHARED(raftfuelpumpsw);
// Left wing tank forward boost pump.
TJ20_SHARED(lfwdfuelpumpsw);
// Centre tank forward boost pump.
TJ20_SHARED(cfwdfuelpumpsw);
// Right wing tank forward boost pump.
TJ20_SHARED(rfwdfuelpumpsw);

}  // namespace tj20::shared
