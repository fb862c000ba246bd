// Boost pump switches: a forward and an aft pump in each wing tank and in the centre tank.
// The simulator has no pumps, only a fuel tank selector, so every update turns the pattern
// of pumps that run into selector commands: the centre tank while its pumps run and it holds
// fuel, otherwise the wing side (or both sides) whose pumps run. Several commands may go out
// in one update; the last one sent is the selector the simulator keeps.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(laftfuelpumpsw, caftfuelpumpsw, raftfuelpumpsw, lfwdfuelpumpsw, cfwdfuelpumpsw, rfwdfuelpumpsw);
TJ20_BOUND(ohpanel);

struct State {
    PanelLighting lighting{ohpanel};
};
State st;

constinit SimTable simvars{sim::CentreTankQuantity};

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x1700),
    icon(0x1100, {17, 33}, 2, laftfuelpumpsw),
    icon(0x1200, {97, 35}, 2, caftfuelpumpsw),
    icon(0x1300, {178, 33}, 2, raftfuelpumpsw),
    icon(0x1400, {16, 106}, 2, lfwdfuelpumpsw),
    icon(0x1500, {96, 108}, 2, cfwdfuelpumpsw),
    icon(0x1600, {179, 106}, 2, rfwdfuelpumpsw),
};

constinit Areas areas{
    toggleArea<laftfuelpumpsw>({15, 42, 32, 42}),  toggleArea<caftfuelpumpsw>({96, 43, 30, 41}),
    toggleArea<raftfuelpumpsw>({177, 43, 32, 41}), toggleArea<lfwdfuelpumpsw>({15, 115, 31, 44}),
    toggleArea<cfwdfuelpumpsw>({95, 116, 33, 44}), toggleArea<rfwdfuelpumpsw>({176, 115, 34, 43}),
};

bool on(const Owned& pump) { return pump.get() == 1; }
bool off(const Owned& pump) { return pump.get() == 0; }

void update() {
    st.lighting.follow();
    const bool left = on(laftfuelpumpsw) || on(lfwdfuelpumpsw);
    const bool right = on(raftfuelpumpsw) || on(rfwdfuelpumpsw);
    const bool centre = on(caftfuelpumpsw) || on(cfwdfuelpumpsw);
    // Empty is a reading of 0, or one below 0 or not a number (never a real quantity): a
    // reading that steps past 0 cannot leave the selector on a centre tank that has run dry.
    const bool centreFuel = simvars[sim::CentreTankQuantity] > 0.0;
    const bool centreUnusable = (centre && !centreFuel) || (off(caftfuelpumpsw) && off(cfwdfuelpumpsw));
    const bool noWingPump = off(laftfuelpumpsw) && off(lfwdfuelpumpsw) && off(raftfuelpumpsw) && off(rfwdfuelpumpsw);

    if (centre && centreFuel) send(key::FuelSelectorCentre);
    if (left && (off(rfwdfuelpumpsw) || off(raftfuelpumpsw)) && centreUnusable) send(key::FuelSelectorLeft);
    if (right && (off(laftfuelpumpsw) || off(lfwdfuelpumpsw)) && centreUnusable) send(key::FuelSelectorRight);
    if (right && left && centreUnusable) send(key::FuelSelectorAll);
    if (noWingPump && centreUnusable) send(key::FuelSelectorAll);
    if (noWingPump && off(caftfuelpumpsw) && off(cfwdfuelpumpsw) && centreFuel) send(key::FuelSelectorCentre);
}

void reset() {
    st = {};
    setAll(0, laftfuelpumpsw, caftfuelpumpsw, raftfuelpumpsw, lfwdfuelpumpsw, cfwdfuelpumpsw, rfwdfuelpumpsw, ohpanel);
}
}  // namespace

TJ20_GAUGE(rl_tj20_fuelpumps, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
