// Opens and closes the lights panel window (it has no close button).
#include "tj20/window_button.h"

TJ20_WINDOW_BUTTON(rl_tj20_icon_lights_open, tj20::key::LightsWindowToggle, (tj20::Box{0, 0, 18, 18}))
