// Closes the hydraulic panel window from the window itself; it carries a tooltip.
#include "tj20/window_button.h"

TJ20_WINDOW_BUTTON(rl_tj20_icon_hyd_close, tj20::key::HydraulicWindowToggle, (tj20::Box{0, 0, 18, 18}),
                   tj20::tooltip("close hydraulic panel"), )
