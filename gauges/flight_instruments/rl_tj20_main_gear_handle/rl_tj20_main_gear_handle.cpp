// Gear lever: the gear up/down toggle with its aural cues, the knob that sounds the gear horn
// while the handle is down, and the automatic spoiler disarm at gear retraction.
//
// The handle's cue plays once as it reaches each end: "gear up" when it goes up, "gear down"
// when it comes down, each in its ground or air version. The spoilers, armed for landing, are
// disarmed once (with the spoiler sound) when the gear is fully up after having been fully
// down. A press on the knob while the handle is down shows the handle pulled out for 21 ticks
// and sounds the gear horn once.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

constexpr double HandleUp = 0, HandleDown = 16383;
constexpr double GearDownAbove = 16380;
constexpr double KnobTicks = 21.6;

struct State {
    bool knobPulled = false;  // the alternate image: handle pulled out at the knob
    Deadline knobRelease;
    bool disarmArmed = false;  // the gear has been fully down since the last disarm
    bool handleWasUp = false;  // the last cue played was a gear-up cue
};
State st;

constinit SimTable simvars{sim::GearHandle,    sim::NoseGear, sim::LeftGear, sim::RightGear,
                           sim::SpoilersArmed, sim::OnGround, sim::TickCount};

// The cue of each end of the handle's travel, in the air and on the ground.
struct GearCue {
    double handle;
    bool handleWasUp;  // the cue before it
    double onGround;
    const char* file;
};
constexpr GearCue cues[] = {
    {HandleUp, false, 0.0, "tj20_gearup.wav"},
    {HandleDown, true, 0.0, "tj20_geardown.wav"},
    {HandleUp, false, 1.0, "tj20_gearupground.wav"},
    {HandleDown, true, 1.0, "tj20_geardownground.wav"},
};

constinit Chain elements{
    image(0x100),
    icon(0x1100, {0, 0}, 2, [] { return simvars[sim::GearHandle] != HandleUp; }).visibleWhen([] {
        return !st.knobPulled;
    }),
    icon(0x1200, {0, 0}, 1, [] { return 0; }).visibleWhen([] { return st.knobPulled; }),
};

void pullKnob() {
    if (simvars[sim::GearHandle] == HandleUp) return;
    st.knobRelease.arm(simvars[sim::TickCount], KnobTicks);
    st.knobPulled = true;
    sound::playOnce("tj20_lnd_gear.wav");
}

constinit Areas areas{
    keyArea<key::GearToggle>({0, 0, 39, 220}),
    press<pullKnob>({0, 222, 39, 35}),
};

void update() {
    if (st.knobRelease.due(simvars[sim::TickCount])) st.knobPulled = false;
    const double gear[] = {simvars[sim::NoseGear], simvars[sim::LeftGear], simvars[sim::RightGear]};
    const bool allUp = gear[0] == 0 && gear[1] == 0 && gear[2] == 0;
    const bool allDown = gear[0] > GearDownAbove && gear[1] > GearDownAbove && gear[2] > GearDownAbove;
    if (allUp && simvars[sim::SpoilersArmed] == 1.0 && st.disarmArmed) {
        st.disarmArmed = false;
        send(key::SpoilersArmToggle);
        sound::playOnce("tj20_spoildisarm.wav");
    }
    if (allDown && !st.disarmArmed) st.disarmArmed = true;
    for (const auto& cue : cues) {
        if (simvars[sim::GearHandle] == cue.handle && st.handleWasUp == cue.handleWasUp &&
            simvars[sim::OnGround] == cue.onGround) {
            sound::playOnce(cue.file);
            st.handleWasUp = !st.handleWasUp;
        }
    }
}

void reset() { st = {}; }
}  // namespace

TJ20_GAUGE(rl_tj20_main_gear_handle, .sim = simvars, .elements = elements, .areas = areas, .update = update,
           .reset = reset)
