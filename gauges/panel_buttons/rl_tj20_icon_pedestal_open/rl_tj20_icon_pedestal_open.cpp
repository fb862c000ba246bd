// Opens and closes the pedestal window from the main panel.
#include "tj20/window_button.h"

TJ20_WINDOW_BUTTON(rl_tj20_icon_pedestal_open, tj20::key::PedestalWindowToggle, (tj20::Box{0, 0, 18, 18}))
