// Overhead test panel: the PA light, the attendant call button, the ANTI-SKID switch with its
// TEST CHK button, the STALL TEST and MAX SPD WARN TEST switches, and the LOGO LT, YAW DAMP
// and MACH TRIM COMP switches. The yaw damper switch commands the simulator's yaw damper on
// every update (on only at ON); the logo light switch keeps the simulator's logo lights in
// step; the stall test drives the stall warning lights ("stalltester"); the anti-skid test
// lights the annunciator's anti-skid lights until 12 ticks after the button was last pressed.
//
// Switching sequences:
//   YAW DAMP ("yawdamper": 0 OFF, 1 ON, 2 OVRD): upper half ON -> OFF, OFF or OVRD -> ON;
//     lower half ON -> OVRD, OFF or OVRD -> ON. So either end returns to ON by either half.
//   STALL TEST (0 neutral, 1 lower, 2 upper) and MAX SPD WARN TEST (0 OFF, 1 SYS 1, 2 SYS 2):
//     from neutral each half selects its position and sounds the warning once; from either
//     position either half returns to neutral.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(yawdamper, logoltsw, antiskidsw, machtrimcomp, antiskidtest);
TJ20_BOUND(lightstestsw, ohpanel, stalltester);

constexpr double AntiSkidTestTicks = 12.6;  // 12 whole ticks after the last press
using YawDamper = shared::yawdamper;
namespace test_switch {
constexpr u32 Neutral = 0, Lower = 1, Upper = 2;
}

struct State {
    u32 pa = 0;            // PA light
    u32 stallTest = 0;     // STALL TEST switch
    u32 maxSpeedTest = 0;  // MAX SPD WARN TEST switch
    Deadline antiSkidTestEnd;
    PanelLighting lighting{ohpanel};
};
State st;

constinit SimTable simvars{sim::TickCount, sim::LogoLights};

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x1100),
    icon(0x1200, {25, 28}, 2, [] { return lightstestsw.get() == 1 ? 1u : st.pa; }).alwaysLit(),
    icon(0x1300, {264, 81}, 3, yawdamper),
    icon(0x1400, {255, 35}, 3, &st.stallTest),
    icon(0x1500, {329, 31}, 3, &st.maxSpeedTest),
    icon(0x1600, {393, 32}, 2, logoltsw),
    icon(0x1700, {175, 96}, 2, antiskidtest),
    icon(0x1800, {175, 32}, 2, antiskidsw),
    icon(0x1900, {341, 81}, 2, machtrimcomp),
};

void antiSkidTest() {
    st.antiSkidTestEnd.arm(simvars[sim::TickCount], AntiSkidTestTicks);
    antiskidtest.set(1);
}

template <u32 Position>
void stallTest() {
    if (st.stallTest == test_switch::Neutral) {
        st.stallTest = Position;
        sound::playOnce("tj20_stall.wav");
        stalltester.set(1);
    } else {
        st.stallTest = test_switch::Neutral;
        stalltester.set(0);
    }
}

template <u32 Position>
void maxSpeedTest() {
    if (st.maxSpeedTest == test_switch::Neutral) {
        st.maxSpeedTest = Position;
        sound::playOnce("tj20_ovrspd.wav");
    } else {
        st.maxSpeedTest = test_switch::Neutral;
    }
}

void logoLight() {
    toggle(logoltsw);
    followToggle(logoltsw.get(), simvars[sim::LogoLights], key::LogoLightsToggle);
}

void yawDamperUpper() { yawdamper.set(yawdamper.get() == YawDamper::On ? YawDamper::Off : YawDamper::On); }
void yawDamperLower() { yawdamper.set(yawdamper.get() == YawDamper::On ? YawDamper::Override : YawDamper::On); }

constinit Areas areas{
    press<[] { st.pa = st.pa == 0 ? 1 : 0; }>({25, 29, 34, 33}),
    press<[] { sound::playOnce("tj20_hilo.wav"); }>({92, 45, 38, 34}),
    toggleArea<antiskidsw>({173, 34, 34, 46}),
    repeat<antiSkidTest>({173, 99, 33, 43}),
    press<stallTest<test_switch::Upper>>({257, 28, 46, 24}),
    press<stallTest<test_switch::Lower>>({257, 53, 46, 23}),
    press<maxSpeedTest<test_switch::Upper>>({325, 31, 37, 24}),
    press<maxSpeedTest<test_switch::Lower>>({325, 56, 37, 24}),
    press<logoLight>({390, 37, 34, 39}),
    press<yawDamperUpper>({259, 84, 44, 31}),
    press<yawDamperLower>({259, 116, 44, 27}),
    toggleArea<machtrimcomp>({339, 87, 38, 56}),
};

void update() {
    send(yawdamper.get() == YawDamper::On ? key::YawDamperOn : key::YawDamperOff);
    st.lighting.follow();
    if (st.antiSkidTestEnd.due(simvars[sim::TickCount])) antiskidtest.set(0);
}

void reset() {
    st = {};
    setAll(0, yawdamper, logoltsw, antiskidsw, machtrimcomp, antiskidtest, lightstestsw, ohpanel, stalltester);
}
}  // namespace

TJ20_GAUGE(rl_tj20_testpanel, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
