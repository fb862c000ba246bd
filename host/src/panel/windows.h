// The panel windows that a key event shows and hides: each window the configuration gives
// an `ident` is toggled by one event. This table is the one place that pairs them; the
// configuration reader accepts exactly these idents.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "tj20/ids.h"

namespace tj20::host {

struct WindowToggle {
    std::string_view ident;
    std::uint32_t event;
};

inline constexpr WindowToggle windowToggles[] = {
    {"overhead", key::OverheadWindowToggle}, {"aft_overhead", key::AftOverheadWindowToggle},
    {"pedestal", key::PedestalWindowToggle}, {"hydraulic", key::HydraulicWindowToggle},
    {"lights", key::LightsWindowToggle},
};

// The ident of the window an event toggles; nothing for any other event.
inline std::optional<std::string_view> toggledWindow(std::uint32_t event) {
    for (const auto& t : windowToggles)
        if (t.event == event) return t.ident;
    return std::nullopt;
}

inline bool isWindowIdent(std::string_view ident) {
    for (const auto& t : windowToggles)
        if (t.ident == ident) return true;
    return false;
}

}  // namespace tj20::host
