// Closes the overhead panel window from the window itself.
#include "tj20/window_button.h"

TJ20_WINDOW_BUTTON(rl_tj20_icon_ovhd_close, tj20::key::OverheadWindowToggle, (tj20::Box{0, 0, 18, 18}))
