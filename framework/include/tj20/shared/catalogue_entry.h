// One entry of the shared-variable catalogue. Every shared variable the panel's gauges
// exchange is declared once, in the header of its subsystem:
//
//   // Overhead panel lighting switch: 1 lights the needles and overlays of the overhead gauges.
//   TJ20_SHARED(ohpanel);
//   // APU start switch.
//   TJ20_SHARED(apustartsw, Off = 0, Run = 1, Start = 2);
//
// which declares tj20::shared::ohpanel, whose `name` is the registry name "ohpanel", and whose
// named values (where the variable has states) are constants of the same scope:
// tj20::shared::apustartsw::Start. Gauges declare their variables from these entries
// (TJ20_OWNED, TJ20_BOUND), so a name is spelled in exactly one place.
#pragma once

#include <cstdint>

namespace tj20 {

// A shared variable's registry name, as the catalogue spells it.
struct SharedName {
    const char* text;
};

}  // namespace tj20

#define TJ20_SHARED(var, ...)                                   \
    struct var {                                                \
        static constexpr ::tj20::SharedName name{#var};         \
        __VA_OPT__(static constexpr std::uint32_t __VA_ARGS__;) \
    }
