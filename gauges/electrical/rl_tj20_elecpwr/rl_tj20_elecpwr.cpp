// Generator and meter panel ("ELEC PWR"): the engine generators' constant-speed drives (CSD)
// with their disconnect and ground-only reconnect, the generator control switches with their
// spring-loaded reset, the APU generator reset, the CSD oil temperatures with the "rise"
// button, and the AC volts, frequency and amps/volts meters with their source selector.
// The simulator's generator switches follow the panel through toggle key events.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(lgencsd, rgencsd, lcsdreset, rcsdreset, apugenreset, voltfreqsel, acvoltsneedle, freqneedle, ampsvolts,
           pushrise, lcsdtemp, rcsdtemp);
TJ20_BOUND(rpm, extpwravail, emerpwrsw, battsw, apulbuslt, apurbuslt, extlbuslt, extrbuslt, ohpanel);

using Csd = shared::lgencsd;          // drive guard and disconnect; "rgencsd" alike
using Generator = shared::lcsdreset;  // generator control switch; "rcsdreset" alike
constexpr double SpringBackTicks = 9;

struct State {
    Deadline leftReset, rightReset, apuReset;  // release of the spring-loaded reset positions
    PanelLighting lighting{ohpanel};
};
State st;

constinit SimTable simvars{
    sim::TickCount, sim::Engine1GeneratorSwitch, sim::Engine2GeneratorSwitch, sim::OnGround, sim::Engine1N2,
    sim::Engine2N2};

// The simulator's side of one engine generator.
struct Engine {
    SimVar generator;  // generator switch
    SimVar n2;         // engine N2
    KeyEvent toggle;   // flips the generator switch
};
constexpr Engine engine1{sim::Engine1GeneratorSwitch, sim::Engine1N2, key::Engine1GeneratorToggle};
constexpr Engine engine2{sim::Engine2GeneratorSwitch, sim::Engine2N2, key::Engine2GeneratorToggle};

// One engine generator with its drive, as both sides' rules see it.
struct Side {
    Owned& csd;
    Owned& control;
    Owned& temp;
    Deadline& reset;  // release of the held reset position
    Engine engine;
};
Side left{lgencsd, lcsdreset, lcsdtemp, st.leftReset, engine1};
Side right{rgencsd, rcsdreset, rcsdtemp, st.rightReset, engine2};

bool generatorOn(const Side& s) { return simvars[s.engine.generator] == 1.0; }
bool generatorOff(const Side& s) { return simvars[s.engine.generator] == 0.0; }
bool feedsBus(const Side& s) {
    return generatorOn(s) && s.control.get() == Generator::GenOn && s.csd.get() != Csd::Disconnected;
}

// Flips the simulator's generator and remembers the flip until the next lookup, so that a
// second click before the next update still compares against the switch as it now stands.
void toggleGenerator(const Side& s) {
    send(s.engine.toggle);
    simvars.override(s.engine.generator, generatorOn(s) ? 0.0 : 1.0);
}

constinit NeedleTable voltsScale{NeedlePoint{0, 387, 56}, NeedlePoint{8, 396, 44}, NeedlePoint{10, 435, 36},
                                 NeedlePoint{15, 465, 58}};
constinit NeedleTable freqScale{NeedlePoint{0, 484, 52}, NeedlePoint{350, 501, 33}, NeedlePoint{400, 530, 25},
                                NeedlePoint{450, 567, 31}};
constinit NeedleTable ampsScale{NeedlePoint{0, 495, 165}, NeedlePoint{50, 506, 150}, NeedlePoint{100, 539, 137},
                                NeedlePoint{150, 568, 149}, NeedlePoint{200, 583, 167}};
constinit NeedleTable leftTempScale{NeedlePoint{0, 113, 113},   NeedlePoint{200, 108, 107},
                                    NeedlePoint{600, 101, 60},  NeedlePoint{1000, 140, 35},
                                    NeedlePoint{1400, 181, 61}, NeedlePoint{1800, 174, 105}};
constinit NeedleTable rightTempScale{NeedlePoint{200, 214, 107}, NeedlePoint{600, 203, 58}, NeedlePoint{1000, 246, 30},
                                     NeedlePoint{1400, 290, 59}, NeedlePoint{1800, 285, 109}};

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x1d00),
    icon(0x1100, {54, 20}, 3, lgencsd),
    icon(0x1200, {303, 20}, 3, rgencsd),
    icon(0x1300, {61, 150}, 3, lcsdreset),
    icon(0x1400, {294, 150}, 3, rcsdreset),
    icon(0x1500, {180, 158}, 2, apugenreset),
    icon(0x1600, {380, 161}, 6, voltfreqsel),
    icon(0x1700, {180, 101}, 2, pushrise),
    needle(0x1800, {424, 77}, {4, 4}, voltsScale, acvoltsneedle).litWhen(st.lighting.lit()),
    needle(0x1900, {533, 80}, {4, 4}, freqScale, freqneedle).litWhen(st.lighting.lit()),
    needle(0x1a00, {540, 189}, {4, 4}, ampsScale, ampsvolts).litWhen(st.lighting.lit()),
    needle(0x1b00, {140, 79}, {4, 4}, leftTempScale, lcsdtemp).litWhen(st.lighting.lit()),
    needle(0x1c00, {245, 79}, {4, 4}, rightTempScale, rcsdtemp).litWhen(st.lighting.lit()),
};

// Mouse actions.

void openGuard(Side& s) {
    if (s.csd.get() == Csd::GuardClosed) s.csd.set(Csd::GuardOpen);
}
void closeGuard(Side& s) {
    if (s.csd.get() == Csd::GuardOpen) s.csd.set(Csd::GuardClosed);
}

// Disconnecting a running drive also takes its generator off line.
void disconnect(Side& s) {
    if (s.csd.get() != Csd::GuardOpen) return;
    if (generatorOff(s)) {
        s.csd.set(Csd::Disconnected);
    } else if (generatorOn(s)) {
        s.csd.set(Csd::Disconnected);
        toggleGenerator(s);
    }
}

// On/off: the simulator's generator follows unless the drive is disconnected. From the held
// reset position a click sets ON.
void generatorSwitch(Side& s) {
    toggle(s.control);
    if (s.csd.get() == Csd::Disconnected) return;
    if (s.control.get() == Generator::GenOn && generatorOff(s)) toggleGenerator(s);
    if (s.control.get() == Generator::GenOff && generatorOn(s)) toggleGenerator(s);
}

void generatorReset(Side& s) {
    if (s.control.get() != Generator::GenOff) return;
    s.reset.arm(simvars[sim::TickCount], SpringBackTicks);
    s.control.set(Generator::GenReset);
}

void apuGeneratorReset() {
    if (apugenreset.get() != 0) return;
    st.apuReset.arm(simvars[sim::TickCount], SpringBackTicks);
    apugenreset.set(1);
}

// A drive can be reconnected only on the ground; with the switch at ON and the generator off,
// the generator comes back on with it.
void reconnect(Side& s) {
    const auto disengaged = [&] { return s.csd.get() == Csd::GuardOpen || s.csd.get() == Csd::Disconnected; };
    if (simvars[sim::OnGround] != 1.0) return;
    if (disengaged() && (s.control.get() == Generator::GenOff || generatorOn(s))) s.csd.set(Csd::GuardClosed);
    if (disengaged() && generatorOff(s) && s.control.get() == Generator::GenOn) {
        s.csd.set(Csd::GuardClosed);
        toggleGenerator(s);
    }
}

constinit Areas areas{
    press<[] { openGuard(left); }>({47, 4, 43, 26}, Cursor::UpArrow),
    press<[] { closeGuard(left); }>({47, 31, 43, 19}, Cursor::DownArrow),
    press<[] { disconnect(left); }>({47, 51, 43, 56}),
    press<[] { openGuard(right); }>({298, 4, 41, 26}, Cursor::UpArrow),
    press<[] { closeGuard(right); }>({298, 31, 41, 19}, Cursor::DownArrow),
    press<[] { disconnect(right); }>({298, 51, 41, 56}),
    press<[] { generatorSwitch(left); }>({58, 182, 40, 24}),
    press<[] { generatorReset(left); }>({58, 158, 40, 23}),
    press<[] { generatorSwitch(right); }>({291, 182, 42, 21}),
    press<[] { generatorReset(right); }>({291, 160, 42, 21}),
    press<apuGeneratorReset>({179, 168, 30, 24}),
    press<[] { stepUp(voltfreqsel, 5); }>({415, 164, 31, 60}, Cursor::UpArrow),
    press<[] { stepDown(voltfreqsel); }>({384, 164, 30, 60}, Cursor::DownArrow),
    toggleArea<pushrise>({180, 101, 24, 26}),
    press<[] { reconnect(left); }>({20, 112, 29, 25}),
    press<[] { reconnect(right); }>({337, 112, 26, 24}),
};

// Update rules.

void springBack(Side& s) {
    if (s.reset.due(simvars[sim::TickCount]) && s.control.get() == Generator::GenReset)
        s.control.set(Generator::GenOff);
}

void springBackApuReset() {
    if (st.apuReset.due(simvars[sim::TickCount]) && apugenreset.get() == 1) apugenreset.set(0);
}

void showMeters(u32 volts, u32 freq, u32 amps) {
    acvoltsneedle.set(volts);
    freqneedle.set(freq);
    ampsvolts.set(amps);
}

// Battery amps: discharge and charge by what the battery and the buses are doing. Every reading
// shows no volts and no frequency; with none of them (bus lights held by the lights test) the
// three meters keep what they showed.
void batteryAmps() {
    const u32 e = emerpwrsw.get(), b = battsw.get();
    const Bound* lights[] = {&apulbuslt, &apurbuslt, &extlbuslt, &extrbuslt};
    bool allDark = true, anyOnBus = false;
    for (const Bound* l : lights) {
        allDark = allDark && l->get() == 0;
        anyOnBus = anyOnBus || l->get() == 1;
    }
    if (e == 0 && b == 0) showMeters(0, 0, 100);
    if (e == 1 && b == 0) showMeters(0, 0, 120);
    if (e == 0 && b == 1 && allDark) showMeters(0, 0, 90);
    if (e == 1 && b == 1) showMeters(0, 0, 128);
    if (e == 0 && b == 1 && (feedsBus(left) || feedsBus(right) || anyOnBus)) showMeters(0, 0, 40);
}

void engineGeneratorMeter(const Side& s, u32 freq) {
    if (generatorOn(s)) showMeters(11, freq, 150);
    if (generatorOff(s)) showMeters(0, 0, 0);
}

void meters() {
    switch (voltfreqsel.get()) {
        case 0:  // APU generator: on speed between 190 and 210
            showMeters(11, 400, 100);
            if (rpm.get() < 190 || rpm.get() > 210) showMeters(0, 0, 100);
            break;
        case 1:  // external power
            if (extpwravail.get() == 1) showMeters(12, 405, 100);
            if (extpwravail.get() == 0) showMeters(0, 0, 100);
            break;
        case 2:
            engineGeneratorMeter(left, 398);
            break;
        case 3:
            engineGeneratorMeter(right, 404);
            break;
        case 4:
            showMeters(0, 0, 150);
            break;  // battery volts
        case 5:
            batteryAmps();
            break;
        default:
            break;
    }
}

// The drive's oil temperature climbs by 20 to 1300 while its generator runs connected and falls
// by 20 to 200 once disconnected or spun down (N2 below 5); "rise" moves it by 100 toward 1100
// (running) or 600. Each rule steps from the value the previous one left.
void csdRunningRules(const Side& s) {
    const bool on = generatorOn(s), off = generatorOff(s), cut = s.csd.get() == Csd::Disconnected;
    const bool rise = pushrise.get() == 1, spunDown = simvars[s.engine.n2] < 5.0;
    u32 t = s.temp.get();
    if (on && !cut && !rise && t < 1300) t += 20;
    if (off && !cut && !rise && t > 200 && spunDown) t -= 20;
    if (on && cut && !rise && t > 200) t -= 20;
    if (on && !cut && rise && t > 1100) t -= 100;
    if (off && !cut && rise && t > 600 && spunDown) t -= 100;
    if (on && cut && rise && t > 600) t -= 100;
    if (on && !cut && rise && t < 1100) t += 100;
    if (off && !cut && rise && t < 600 && spunDown) t += 100;
    if (on && cut && rise && t < 600) t += 100;
    s.temp.set(t);
}

void csdStoppedRules(const Side& s) {
    const bool off = generatorOff(s), cut = s.csd.get() == Csd::Disconnected, rise = pushrise.get() == 1;
    u32 t = s.temp.get();
    if (off && cut && !rise && t > 200) t -= 20;
    if (off && cut && rise && t > 600) t -= 100;
    if (off && cut && rise && t < 600) t += 100;
    s.temp.set(t);
}

void update() {
    springBack(left);
    springBack(right);
    springBackApuReset();
    meters();
    csdRunningRules(left);
    csdRunningRules(right);
    csdStoppedRules(left);
    csdStoppedRules(right);
    st.lighting.follow();
}

void reset() {
    st = {};
    setAll(0, lgencsd, rgencsd, lcsdreset, rcsdreset, apugenreset, voltfreqsel, acvoltsneedle, freqneedle, ampsvolts,
           pushrise, rcsdtemp);
    lcsdtemp.set(200);
    setAll(0, rpm, extpwravail, emerpwrsw, battsw, apulbuslt, apurbuslt, extlbuslt, extrbuslt, ohpanel);
}
}  // namespace

TJ20_GAUGE(rl_tj20_elecpwr, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
