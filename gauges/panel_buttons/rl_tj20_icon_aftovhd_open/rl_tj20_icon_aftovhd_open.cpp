// Opens and closes the aft overhead panel window.
#include "tj20/window_button.h"

TJ20_WINDOW_BUTTON(rl_tj20_icon_aftovhd_open, tj20::key::AftOverheadWindowToggle, (tj20::Box{0, 0, 18, 18}))
