// APU instrument: simulates the APU's speed and exhaust gas temperature from its switches,
// the fuel pumps and electrical power, publishes them ("rpm" is what the electrical, air
// conditioning and engine start systems see of the APU) and shows them on three needles.
//
// Speed and temperature are counts that move by one per update. A start needs the start
// switch at START, the door switch anywhere but 2, the battery on, the fire handle in and
// fuel fed to the APU: by the engine start panel's start pump, or by a boost pump that can
// reach it (right wing pumps directly, the others through the crossfeed) while a bus has
// power. Once turning, RUN keeps the speed climbing to 200. The temperature settles at 390,
// or at 440 under the air load (air switch on). Battery off, switch OFF or fire handle
// pulled winds both down; the temperature also falls while the APU stands still.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(rpm, egt, rpmsmall);
TJ20_BOUND(apustartsw, apuairsw, apudoorsw, battsw, startpump, apufirecontsw, ohpanel, rfwdfuelpumpsw, raftfuelpumpsw,
           cfwdfuelpumpsw, caftfuelpumpsw, lfwdfuelpumpsw, laftfuelpumpsw, extlbuslt, extrbuslt, fuelxfd);

constexpr u32 FullSpeed = 200;
constexpr u32 IdleTemperature = 390;
constexpr u32 LoadedTemperature = 440;
constexpr u32 VernierLimit = 300;
using StartSwitch = shared::apustartsw;

struct State {
    PanelLighting lighting{ohpanel};
};
State st;

// The tick counter is looked up with the rest but no rule needs it.
constinit SimTable simvars{sim::TickCount, sim::Engine1GeneratorSwitch, sim::Engine2GeneratorSwitch};

constinit NeedleTable speedScale{
    NeedlePoint{0, 217, 17},    NeedlePoint{20, 242, 23},   NeedlePoint{40, 264, 39},   NeedlePoint{60, 274, 64},
    NeedlePoint{80, 271, 92},   NeedlePoint{100, 257, 115}, NeedlePoint{120, 234, 127}, NeedlePoint{140, 207, 129},
    NeedlePoint{160, 183, 118}, NeedlePoint{180, 167, 99},  NeedlePoint{200, 164, 74},  NeedlePoint{220, 168, 48},
};
constinit NeedleTable temperatureScale{
    NeedlePoint{0, 113, 100},  NeedlePoint{100, 103, 111}, NeedlePoint{200, 90, 117},
    NeedlePoint{300, 76, 119}, NeedlePoint{400, 58, 116},  NeedlePoint{500, 32, 91},
    NeedlePoint{600, 32, 54},  NeedlePoint{700, 58, 29},   NeedlePoint{800, 94, 29},
};
constinit NeedleTable vernierScale{
    NeedlePoint{0, 195, 34},  NeedlePoint{2, 204, 38},  NeedlePoint{4, 210, 46},  NeedlePoint{6, 211, 55},
    NeedlePoint{8, 205, 62},  NeedlePoint{10, 195, 67}, NeedlePoint{12, 184, 63}, NeedlePoint{14, 178, 54},
    NeedlePoint{16, 180, 45}, NeedlePoint{18, 186, 37},
};

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x1400),
    needle(0x1100, {220, 75}, {62, 62}, speedScale, rpm).litWhen(st.lighting.lit()),
    needle(0x1200, {77, 75}, {62, 62}, temperatureScale, egt).litWhen(st.lighting.lit()),
    needle(0x1300, {198, 53}, {14, 14}, vernierScale,
           [] { return rpmsmall.get() < VernierLimit ? rpmsmall.get() : VernierLimit; })
        .litWhen(st.lighting.lit()),
};

bool on(const Bound& v) { return v.get() == 1; }

// What the APU's controls allow this update.
struct Conditions {
    u32 start;  // the start switch position
    bool batteryOn, fireNormal, doorOpen, airOn, feed, shutdown;
};

Conditions read() {
    const bool fuelAvailable =
        on(raftfuelpumpsw) || on(rfwdfuelpumpsw) ||
        ((on(caftfuelpumpsw) || on(cfwdfuelpumpsw) || on(lfwdfuelpumpsw) || on(laftfuelpumpsw)) && on(fuelxfd));
    const bool powerAvailable = on(extrbuslt) || on(extlbuslt) || simvars[sim::Engine1GeneratorSwitch] == 1.0 ||
                                simvars[sim::Engine2GeneratorSwitch] == 1.0;
    Conditions c{};
    c.start = apustartsw.get();
    c.batteryOn = battsw.get() == 1;
    c.fireNormal = apufirecontsw.get() == 0;
    c.doorOpen = apudoorsw.get() != 2;
    c.airOn = apuairsw.get() != 0;
    c.feed = on(startpump) || (fuelAvailable && powerAvailable);
    c.shutdown = battsw.get() == 0 || c.start == StartSwitch::Off || apufirecontsw.get() == 1;
    return c;
}

void up(Owned& v) { v.set(v.get() + 1); }
void down(Owned& v) {
    if (v.get() != 0) v.set(v.get() - 1);
}

// Speed: START with everything in place spins it up; RUN keeps it climbing once it turns.
void spool(Owned& speed, const Conditions& c) {
    const bool running = c.batteryOn && c.fireNormal;
    if (c.start == StartSwitch::Start && speed.get() < FullSpeed && c.doorOpen && running && c.feed) up(speed);
    if (c.start == StartSwitch::Run && speed.get() != 0 && speed.get() < FullSpeed && running) up(speed);
    if (c.shutdown) down(speed);
}

void heat(const Conditions& c) {
    const bool running = c.batteryOn && c.fireNormal;
    const u32 target = c.airOn ? LoadedTemperature : IdleTemperature;
    if (c.start == StartSwitch::Start && egt.get() < target && c.doorOpen && running && c.feed) up(egt);
    if (c.start == StartSwitch::Run) {
        if (egt.get() != 0 && egt.get() < target && running) up(egt);
        if (egt.get() != 0 && c.shutdown) down(egt);
    } else if (c.shutdown) {
        down(egt);
    }
    // The air load removed: back down to the idle temperature.
    if (egt.get() > IdleTemperature && c.start != StartSwitch::Off && !c.airOn && running) down(egt);
}

void update() {
    const Conditions c = read();
    spool(rpm, c);
    heat(c);
    spool(rpmsmall, c);
    if (rpm.get() == 0) down(egt);  // cooling while the APU stands still
    st.lighting.follow();
}

void reset() {
    st = {};
    setAll(0, rpm, egt, rpmsmall, apustartsw, apuairsw, apudoorsw, battsw, startpump, apufirecontsw, ohpanel,
           rfwdfuelpumpsw, raftfuelpumpsw, cfwdfuelpumpsw, caftfuelpumpsw, lfwdfuelpumpsw, laftfuelpumpsw, extlbuslt,
           extrbuslt, fuelxfd);
}
}  // namespace

TJ20_GAUGE(rl_tj20_apu_egtrpm, .sim = simvars, .elements = elements, .update = update, .reset = reset)
