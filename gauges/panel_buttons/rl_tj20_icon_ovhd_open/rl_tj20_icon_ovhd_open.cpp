// Opens and closes the overhead panel window from the main panel.
#include "tj20/window_button.h"

TJ20_WINDOW_BUTTON(rl_tj20_icon_ovhd_open, tj20::key::OverheadWindowToggle, (tj20::Box{0, 0, 19, 19}))
