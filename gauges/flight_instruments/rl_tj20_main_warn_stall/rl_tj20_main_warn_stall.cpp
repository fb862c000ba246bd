// Stall warning lights: the STALL and STICK PUSHER lights with the stall and overspeed aural
// warnings. The simulator's stall warning lights both lights and sounds the stall warning; the
// test panel's STALL TEST ("stalltester") lights them without the sound, as the test sounds
// the warning once itself. A real stall during the test leaves both lights dark and the stall
// warning silent. The overspeed warning sounds while the simulator's overspeed warning is on.
//
// Each warning sound is started when its warning begins and stopped when it ends, so the sound
// library hears one play and one stop per warning.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(stalltester);

constexpr const char* StallSound = "tj20_stall.wav";
constexpr const char* OverspeedSound = "tj20_ovrspd.wav";

struct State {
    u32 lights = 0;  // both lights: 1 lit
    bool stallSounding = false, overspeedSounding = false;
};
State st;

constinit SimTable simvars{sim::StallWarning, sim::OverspeedWarning};

constinit Chain elements{
    image(0x100),
    icon(0x1100, {9, 23}, 2, &st.lights),
    icon(0x1200, {85, 11}, 2, &st.lights),
};

// Starts the repeating sound when its warning begins and stops it when the warning ends.
void aural(bool warning, bool& sounding, const char* file) {
    if (warning == sounding) return;
    sounding = warning;
    if (warning)
        sound::playRepeating(file);
    else
        sound::stop(file);
}

void update() {
    const bool stall = simvars[sim::StallWarning] == 1.0;
    const bool realStall = stall && stalltester.get() == 0;
    const bool test = !stall && stalltester.get() == 1;
    aural(realStall, st.stallSounding, StallSound);
    aural(simvars[sim::OverspeedWarning] == 1.0, st.overspeedSounding, OverspeedSound);
    st.lights = realStall || test ? 1 : 0;
}

void reset() {
    st = {};
    stalltester.set(0);
}
}  // namespace

TJ20_GAUGE(rl_tj20_main_warn_stall, .sim = simvars, .elements = elements, .update = update, .reset = reset)
