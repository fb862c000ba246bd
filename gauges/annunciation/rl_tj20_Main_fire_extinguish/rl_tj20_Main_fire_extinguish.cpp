// Engine fire handle panel: the left and right fire handles, the AGENT 1 LOW and AGENT 2 LOW
// lights, the LOOPS A TEST, FIRE BELL OFF and LOOPS B TEST buttons and the fire bells.
//
// A handle is stowed, pulled, or pulled and turned to agent 1 (left) or agent 2 (right), each
// with or without a fire warning ("lengfire", "rengfire": 0 to 3, and 4 to 7 with the
// warning). Pulling a handle cuts its engine's fuel, stowing it turns the fuel back on. A fire
// warning comes from the fire test (both handles at once, both-engines bell) or from the small
// fire-start spot above each handle (that engine's bell); the simulator's own fire state is
// not followed. Turning a handle discharges its bottle: the agent's LOW light comes on and
// stays on. The fire goes out 360 ticks after the left handle is turned to agent 2 from a
// pulled handle with a warning, or 270 ticks after the right handle is turned to agent 1;
// one fire-out deadline serves both handles, so when it comes both lose their warning, and a
// later discharge moves it.
//
// Handle turns, by the pulled handle's state (a stowed handle does not turn):
//   toward agent 1   pulled -> agent 1, agent 2 -> pulled (and the same with the warning)
//   toward agent 2   pulled -> agent 2, agent 1 -> pulled (and the same with the warning)
#include <initializer_list>

#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(loopstest, rengfire, lengfire);
TJ20_BOUND(lightstestsw);

using Handle = shared::lengfire;
constexpr u32 FireWarning = Handle::StowedFire;  // the warning added to a position
constexpr u32 LeftFireOutTicks = 360, RightFireOutTicks = 270;

constexpr const char* BothBell = "TJ20_FIRE_LE_RE.wav";
constexpr const char* LeftBell = "TJ20_FIRE_LE.wav";
constexpr const char* RightBell = "TJ20_FIRE_RE.wav";

struct State {
    u32 left = 0, right = 0;  // handle states
    u32 fireTest = 0;
    u32 agent1 = 0, agent2 = 0;  // bottle discharged: the LOW lights
    Deadline fireOut;
    u32 agent1Test = 0, agent2Test = 0;  // lights test overlays of the LOW lights
    u32 leftTest = 0, rightTest = 0;     // lights test overlays of the handles: position + 1
    u32 lettering = 0;                   // the lettering overlay's state, never changed
};
State st;

// The last two entries are refreshed but read by nothing.
constinit SimTable simvars{sim::TickCount, sim::Engine1Fire, sim::Engine2Fire, sim::FireHandleEntry230,
                           sim::FireHandleEntry23a};

bool warning(u32 handle) { return handle >= Handle::StowedFire; }

constinit Chain elements{
    image(0x100),
    icon(0x1100, {0, 0}, 2, &st.lettering).alwaysLit(),
    icon(0x1200, {24, 41}, 8, &st.left).litWhen([] { return warning(st.left); }),
    icon(0x1300, {210, 41}, 8, &st.right).litWhen([] { return warning(st.right); }),
    icon(0x1400, {158, 18}, 2, &st.agent1).litWhen(Cond::cellEquals(&st.agent1, 1)),
    icon(0x1500, {158, 48}, 2, &st.agent2).litWhen(Cond::cellEquals(&st.agent2, 1)),
    icon(0x1600, {158, 18}, 2, &st.agent1Test),
    icon(0x1700, {157, 47}, 2, &st.agent2Test),
    icon(0x1800, {24, 41}, 5, &st.leftTest),
    icon(0x1900, {210, 41}, 5, &st.rightTest),
};

// Pull: a stowed handle comes out (keeping its warning) and the engine's fuel is cut off.
template <u32 State::*Which, KeyEvent FuelCutoff>
void pull() {
    u32& H = st.*Which;
    if (H == Handle::Stowed || H == Handle::StowedFire) {
        H += Handle::Pulled;
        send(FuelCutoff);
    }
}

// Stow: back in from any position, keeping the warning; the engine's fuel comes back on.
template <u32 State::*Which, KeyEvent FuelOn>
void stow() {
    u32& H = st.*Which;
    H = warning(H) ? Handle::StowedFire : Handle::Stowed;
    send(FuelOn);
}

// Turn one step toward an agent: from pulled to that agent, from the other agent back to
// pulled. `fireOutTicks` (when not 0) is the time the discharge takes to put a fire out.
template <u32 State::*Which, u32 Agent, u32 Other, u32 FireOutTicks>
void turn() {
    u32& H = st.*Which;
    if (H == Handle::Pulled) {
        H = Agent;
    } else if (H == Other) {
        H = Handle::Pulled;
    } else if (H == Handle::PulledFire) {
        H = Agent + FireWarning;
        if constexpr (FireOutTicks > 0) st.fireOut.arm(simvars[sim::TickCount], FireOutTicks);
    } else if (H == Other + FireWarning) {
        H = Handle::PulledFire;
    }
}

void fireTest() {
    if (st.fireTest == 0) {
        st.fireTest = 1;
        sound::playRepeating(BothBell);
        st.left = st.right = Handle::StowedFire;
    } else {
        st.fireTest = 0;
        sound::stop(BothBell);
        st.left = st.right = Handle::Stowed;
    }
}

void fireBellOff() {
    sound::stop(BothBell);
    sound::stop(LeftBell);
    sound::stop(RightBell);
}

// A fire in one engine: takes effect once per lookup of the simulator's fire value.
template <u32 State::*Which, SimVar EngineFire>
void fireStart(const char* bell) {
    u32& H = st.*Which;
    if (simvars[EngineFire] != 0.0) return;
    simvars.override(EngineFire, 1.0);
    H = Handle::StowedFire;
    sound::playRepeating(bell);
}

constinit Areas areas{
    press<pull<&State::left, key::Engine1FuelCutoff>>({70, 86, 32, 73}),
    press<stow<&State::left, key::Engine1FuelOn>>({70, 37, 32, 46}),
    press<turn<&State::left, Handle::Agent1, Handle::Agent2, 0>>({20, 50, 46, 49}, Cursor::DownArrow),
    press<turn<&State::left, Handle::Agent2, Handle::Agent1, LeftFireOutTicks>>({103, 45, 40, 54}, Cursor::UpArrow),
    press<pull<&State::right, key::Engine2FuelCutoff>>({261, 87, 33, 71}),
    press<stow<&State::right, key::Engine2FuelOn>>({261, 34, 32, 49}),
    press<turn<&State::right, Handle::Agent1, Handle::Agent2, RightFireOutTicks>>({220, 51, 39, 48}, Cursor::DownArrow),
    press<turn<&State::right, Handle::Agent2, Handle::Agent1, 0>>({295, 50, 41, 51}, Cursor::UpArrow),
    press<fireTest>({110, 104, 27, 26}),
    press<fireTest>({226, 104, 27, 26}),
    press<fireBellOff>({171, 105, 22, 20}),
    press<[] { fireStart<&State::left, sim::Engine1Fire>(LeftBell); }>({132, 21, 10, 11}),
    press<[] { fireStart<&State::right, sim::Engine2Fire>(RightBell); }>({222, 21, 11, 11}),
};

u32 lightsTestPosition(u32 handle) { return handle % FireWarning + 1; }

void update() {
    for (u32 h : {st.left, st.right}) {
        if (h == Handle::Agent1 || h == Handle::Agent1Fire) st.agent1 = 1;
        if (h == Handle::Agent2 || h == Handle::Agent2Fire) st.agent2 = 1;
    }
    if (st.fireOut.due(simvars[sim::TickCount])) {
        st.left %= FireWarning;
        st.right %= FireWarning;
    }
    loopstest.set(st.fireTest);
    const bool lightsTest = lightstestsw.get() == 1;
    st.agent1Test = st.agent2Test = lightsTest ? 1 : 0;
    st.leftTest = st.rightTest = 0;
    lengfire.set(st.left);
    rengfire.set(st.right);
    if (lightsTest) {
        st.leftTest = lightsTestPosition(st.left);
        st.rightTest = lightsTestPosition(st.right);
    }
}

void reset() {
    st = {};
    setAll(0, loopstest, rengfire, lengfire, lightstestsw);
}
}  // namespace

TJ20_GAUGE(rl_tj20_Main_fire_extinguish, .sim = simvars, .elements = elements, .areas = areas, .update = update,
           .reset = reset)
