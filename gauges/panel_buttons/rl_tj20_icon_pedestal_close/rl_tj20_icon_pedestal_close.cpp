// Closes the pedestal window from the window itself.
#include "tj20/window_button.h"

TJ20_WINDOW_BUTTON(rl_tj20_icon_pedestal_close, tj20::key::PedestalWindowToggle, (tj20::Box{0, 0, 18, 18}))
