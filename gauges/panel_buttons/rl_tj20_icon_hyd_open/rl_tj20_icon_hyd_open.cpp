// Opens and closes the hydraulic panel window.
#include "tj20/window_button.h"

TJ20_WINDOW_BUTTON(rl_tj20_icon_hyd_open, tj20::key::HydraulicWindowToggle, (tj20::Box{0, 0, 29, 18}))
