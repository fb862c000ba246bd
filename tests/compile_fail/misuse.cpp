// Uses of the framework that must not compile, one per MISUSE number; MISUSE 0 is the correct
// use of the same things, so a failure can only come from the misuse itself.
#include "tj20/gauge.h"

namespace misuse {
using namespace tj20;

#if MISUSE == 0
TJ20_BOUND(ohpanel);
constinit SimTable simvars{sim::OnGround};
// Declared with external linkage so that an unused rule is no warning.
void rules();
void rules() {
    if (simvars[sim::OnGround] == 1.0 && ohpanel.get() == 1) send(key::AutopilotOn);
}
#elif MISUSE == 1
// A simulator variable passed where a key event is expected.
void rules();
void rules() { send(sim::OnGround); }
#elif MISUSE == 2
// A key event in a simulator-variable table.
constinit SimTable simvars{key::AutopilotOn};
#elif MISUSE == 3
// A shared variable named by a string instead of its catalogue entry.
Owned ohpanel{"ohpanel"};
#elif MISUSE == 4
// A shared variable that is not in the catalogue.
TJ20_BOUND(ohpanle);
#endif
}  // namespace misuse
