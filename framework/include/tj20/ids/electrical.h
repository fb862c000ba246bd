// Electrical power: the engine generators and what the electrical panels read of the engines.
#pragma once

#include "tj20/ids/types.h"

namespace tj20::sim {
inline constexpr SimVar Engine1GeneratorSwitch{0x236};  // engine 1 generator switch, 1.0 on, 0.0 off
inline constexpr SimVar Engine2GeneratorSwitch{0x240};  // engine 2 generator switch, 1.0 on, 0.0 off
inline constexpr SimVar Engine1N2{0x271};               // engine 1 high-pressure spool speed N2, percent
inline constexpr SimVar Engine2N2{0x284};               // engine 2 high-pressure spool speed N2, percent
}  // namespace tj20::sim

namespace tj20::key {
inline constexpr KeyEvent Engine1GeneratorToggle{0x1033b};  // flips sim::Engine1GeneratorSwitch
inline constexpr KeyEvent Engine2GeneratorToggle{0x1033c};  // flips sim::Engine2GeneratorSwitch
}  // namespace tj20::key
