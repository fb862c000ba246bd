// A panel window button: one static image and one area that sends its window's toggle.
// An "open" button sits where the window is reached from, a "close" button on the window.
#pragma once

#include "tj20/gauge.h"

// TJ20_WINDOW_BUTTON(module, toggle event, area box[, records before the area])
#define TJ20_WINDOW_BUTTON(module_name, toggle_event, area_box, ...)                    \
    namespace {                                                                         \
    constinit ::tj20::Chain elements{::tj20::image(0x100)};                             \
    constinit ::tj20::Areas areas{__VA_ARGS__ ::tj20::keyArea<toggle_event>(area_box)}; \
    }                                                                                   \
    TJ20_GAUGE(module_name, .elements = elements, .areas = areas)
