// Bus power panel: which AC source feeds the left and the right bus. An online engine generator
// has the bus; otherwise the APU generator, once on speed and switched to the bus; otherwise
// external ground power, connected by its switch after a delay. Publishes the availability and
// on-bus lights, draws the AC and DC load meters, the galley and the bus cross-tie switches, and
// plays the bus-transfer sound whenever a source comes onto a bus.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(apupwravail, apulbussw, apulbuslt, apurbussw, apurbuslt, extpwravail, extlbussw, extlbuslt, extrbussw,
           extrbuslt, galleypwr, acbusxtie, dcbusxtie, apuacload, ldcloada, ldcloadb, rdcloada, rdcloadb, lengacload,
           rengacload);
TJ20_BOUND(rpm, lightstestsw, metersel, lcsdreset, rcsdreset, lgencsd, rgencsd, apugenreset, apupwr, extpwr, ohpanel);

constexpr u32 OnSpeed = 200;          // "rpm" of an APU running at speed
constexpr u32 UnderSpeed = 190;       // below this the APU generator drops off
using Csd = shared::lgencsd;          // drive guard and disconnect; "rgencsd" alike
using Generator = shared::lcsdreset;  // generator control switch; "rcsdreset" alike
using BusLight = shared::apulbuslt;   // bus lights and availability: off, on, held on by the lights test
constexpr double ConnectTicks = 90;   // ground power cart connect and disconnect delay
constexpr const char* BusTransferSound = "ELEC_BUS.wav";

struct State {
    Deadline connect, disconnect;  // external power arriving or leaving
    PanelLighting lighting{ohpanel};
    // The bus-transfer sound plays once per rise of each: APU on the left and right bus,
    // external power on the left and right bus, engine 1 and engine 2 generator on.
    Latch apuLeftSounded, apuRightSounded, extLeftSounded, extRightSounded;
    Latch gen1Sounded, gen2Sounded;
};
State st;

constinit SimTable simvars{sim::TickCount, sim::Engine1GeneratorSwitch, sim::Engine2GeneratorSwitch};

// One bus with its engine generator and the APU and external sources that may feed it.
struct Bus {
    Owned& apuSwitch;
    Owned& apuLight;
    Owned& extSwitch;
    Owned& extLight;
    Bound& control;    // generator control switch, 0 ON
    Bound& csd;        // drive state, 2 disconnected
    SimVar generator;  // simulator generator switch
};
Bus leftBus{apulbussw, apulbuslt, extlbussw, extlbuslt, lcsdreset, lgencsd, sim::Engine1GeneratorSwitch};
Bus rightBus{apurbussw, apurbuslt, extrbussw, extrbuslt, rcsdreset, rgencsd, sim::Engine2GeneratorSwitch};

bool generatorOn(const Bus& b) { return simvars[b.generator] == 1.0; }
bool online(const Bus& b) {
    return generatorOn(b) && b.control.get() == Generator::GenOn && b.csd.get() != Csd::Disconnected;
}
// The drive state does not enter the bus rules: only the switch and the generator do.
bool offline(const Bus& b) { return b.control.get() != Generator::GenOn || simvars[b.generator] == 0.0; }

// While the APU generator is reset the external light shows the power that stands ready.
u32 externalLightShown(const Bus& b) {
    const bool ready = apugenreset.get() == 1 && extpwravail.get() == 1 && b.extSwitch.get() == 1 &&
                       (offline(b) || b.csd.get() == Csd::Disconnected);
    return ready ? 1 : b.extLight.get();
}

double apuAcLoad() {
    double load = 0;
    if (apulbuslt.get() == 1) load += 3;
    if (apurbuslt.get() == 1 && load < 15) load += 3;
    if (galleypwr.get() == 1 && load < 15 && (apulbuslt.get() == 1 || apurbuslt.get() == 1)) load += 2;
    return load;
}
double engineAcLoad(const Bus& b, const Owned& base) {
    if (!generatorOn(b)) return base.get();
    return online(b) ? 4 : 0;
}
double dcLoad(const Bus& b) { return (b.extLight.get() == 1 || b.apuLight.get() == 1 || online(b)) ? 5 : 0; }

constinit NeedleTable apuLoadScale{NeedlePoint{0, 154, 40}, NeedlePoint{5, 166, 28}, NeedlePoint{10, 196, 23},
                                   NeedlePoint{15, 217, 38}};
constinit NeedleTable leftAcScale{NeedlePoint{0, 24, 33}, NeedlePoint{5, 38, 13}, NeedlePoint{10, 83, 7},
                                  NeedlePoint{15, 111, 29}};
constinit NeedleTable rightAcScale{NeedlePoint{0, 262, 32}, NeedlePoint{5, 277, 15}, NeedlePoint{10, 319, 6},
                                   NeedlePoint{15, 349, 29}};
constinit NeedleTable leftDcAScale{NeedlePoint{0, 48, 374}, NeedlePoint{5, 53, 362}, NeedlePoint{10, 54, 347},
                                   NeedlePoint{15, 48, 336}};
constinit NeedleTable leftDcBScale{NeedlePoint{0, 63, 374}, NeedlePoint{5, 57, 362}, NeedlePoint{10, 59, 348},
                                   NeedlePoint{15, 64, 336}};
constinit NeedleTable rightDcAScale{NeedlePoint{0, 307, 373}, NeedlePoint{5, 314, 362}, NeedlePoint{10, 315, 347},
                                    NeedlePoint{15, 308, 335}};
constinit NeedleTable rightDcBScale{NeedlePoint{0, 323, 373}, NeedlePoint{5, 316, 363}, NeedlePoint{10, 316, 347},
                                    NeedlePoint{15, 324, 337}};

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x2500),
    icon(0x1100, {180, 136}, 3, apupwravail).alwaysLit(),
    icon(0x1200, {141, 119}, 2, apulbussw),
    icon(0x1300, {95, 139}, 3, apulbuslt).alwaysLit(),
    icon(0x1400, {224, 119}, 2, apurbussw),
    icon(0x1500, {269, 140}, 3, apurbuslt).alwaysLit(),
    icon(0x1600, {180, 208}, 3, extpwravail).alwaysLit(),
    icon(0x1700, {142, 191}, 2, extlbussw),
    icon(0x1800, {95, 213}, 3, [] { return externalLightShown(leftBus); }).alwaysLit(),
    icon(0x1900, {221, 191}, 2, extrbussw),
    icon(0x1a00, {269, 213}, 3, [] { return externalLightShown(rightBus); }).alwaysLit(),
    icon(0x1b00, {40, 232}, 2, galleypwr),
    icon(0x1c00, {185, 261}, 2, acbusxtie),
    icon(0x1d00, {186, 322}, 2, dcbusxtie),
    needle(0x1e00, {185, 51}, {4, 4}, apuLoadScale, [] { return apuAcLoad(); }).litWhen(st.lighting.lit()),
    needle(0x1f00, {66, 51}, {4, 4}, leftAcScale, [] { return engineAcLoad(leftBus, lengacload); })
        .litWhen(st.lighting.lit()),
    needle(0x2000, {304, 51}, {4, 4}, rightAcScale, [] { return engineAcLoad(rightBus, rengacload); })
        .litWhen(st.lighting.lit()),
    needle(0x2100, {29, 354}, {4, 4}, leftDcAScale, [] { return dcLoad(leftBus); }).litWhen(st.lighting.lit()),
    needle(0x2200, {81, 355}, {4, 4}, leftDcBScale, [] { return dcLoad(leftBus); }).litWhen(st.lighting.lit()),
    needle(0x2300, {289, 355}, {4, 4}, rightDcAScale, [] { return dcLoad(rightBus); }).litWhen(st.lighting.lit()),
    needle(0x2400, {342, 355}, {4, 4}, rightDcBScale, [] { return dcLoad(rightBus); }).litWhen(st.lighting.lit()),
};

// The ground power cart is connected or removed a while after the switch is moved; a second
// click before then starts the wait again.
void externalPowerOn() {
    if (extpwravail.get() == 0) st.connect.arm(simvars[sim::TickCount], ConnectTicks);
}
void externalPowerOff() {
    if (extpwravail.get() == 1) st.disconnect.arm(simvars[sim::TickCount], ConnectTicks);
}

constinit Areas areas{
    toggleArea<apulbussw>({143, 132, 29, 44}),
    toggleArea<apurbussw>({225, 130, 31, 48}),
    press<externalPowerOn>({177, 199, 40, 25}, Cursor::UpArrow),
    press<externalPowerOff>({177, 227, 40, 24}, Cursor::DownArrow),
    toggleArea<extlbussw>({143, 207, 28, 39}),
    toggleArea<extrbussw>({222, 203, 30, 45}),
    toggleArea<galleypwr>({41, 239, 27, 34}),
    toggleArea<acbusxtie>({188, 265, 24, 39}),
    toggleArea<dcbusxtie>({188, 327, 25, 38}),
};

// Update rules.

void apuPowerAvailable() {
    if (rpm.get() == OnSpeed) apupwravail.set(1);
    if (rpm.get() < UnderSpeed) apupwravail.set(0);
}

// The APU takes a bus whose engine generator is off line and yields it to one that is on line;
// between 190 and 199 (spooling) and above 200 the light keeps its state.
void apuOnBus(const Bus& b) {
    const bool feeding = rpm.get() == OnSpeed && b.apuSwitch.get() == 1;
    if (feeding && offline(b)) b.apuLight.set(1);
    if (feeding && generatorOn(b) && b.control.get() == Generator::GenOn) b.apuLight.set(0);
    if (rpm.get() < UnderSpeed) b.apuLight.set(0);
    if (b.apuSwitch.get() == 0) b.apuLight.set(0);
}

void externalPowerArrival() {
    const double tick = simvars[sim::TickCount];
    if (st.connect.due(tick) && extpwravail.get() == 0) extpwravail.set(1);
    if (st.disconnect.due(tick) && extpwravail.get() == 1) extpwravail.set(0);
}

// External power gives way to the APU and to an online engine generator.
void externalOnBus(const Bus& b) {
    const bool feeds = extpwravail.get() == 1 && b.extSwitch.get() == 1 && b.apuLight.get() == 0 && offline(b);
    b.extLight.set(feeds ? 1 : 0);
}

void lightsTest() {
    if (lightstestsw.get() != 1) return;
    setAll(BusLight::LightsTest, apulbuslt, apurbuslt, extlbuslt, extrbuslt, apupwravail);
}

// Resetting the APU generator takes it off both buses.
void apuGeneratorReset() {
    if (apugenreset.get() == 1) setAll(0, apupwravail, apulbuslt, apurbuslt, apuacload);
}

// Plays the bus-transfer sound when the condition rises; the latch clears when it falls.
void transferSound(bool now, bool gone, Latch& latch) {
    if (latch.rises(now)) sound::playOnce(BusTransferSound);
    if (gone) latch.release();
}

void busTransferSounds() {
    transferSound(apulbuslt.get() == 1, apulbuslt.get() == 0, st.apuLeftSounded);
    transferSound(apurbuslt.get() == 1, apurbuslt.get() == 0, st.apuRightSounded);
    transferSound(extlbuslt.get() == 1, extlbuslt.get() == 0, st.extLeftSounded);
    transferSound(extrbuslt.get() == 1, extrbuslt.get() == 0, st.extRightSounded);
    const double gen1 = simvars[sim::Engine1GeneratorSwitch], gen2 = simvars[sim::Engine2GeneratorSwitch];
    transferSound(gen1 == 1.0, gen1 == 0.0, st.gen1Sounded);
    transferSound(gen2 == 1.0, gen2 == 0.0, st.gen2Sounded);
}

void update() {
    apuPowerAvailable();
    apuOnBus(leftBus);
    apuOnBus(rightBus);
    externalPowerArrival();
    externalOnBus(leftBus);
    externalOnBus(rightBus);
    lightsTest();
    apuGeneratorReset();
    apupwr.set(apupwravail.get());
    extpwr.set(extpwravail.get());
    st.lighting.follow();
    busTransferSounds();
}

void reset() {
    st = {};
    setAll(0, apupwravail, apulbussw, apulbuslt, apurbussw, apurbuslt, extpwravail, extlbussw, extlbuslt, extrbussw,
           extrbuslt, galleypwr, apuacload, ldcloada, ldcloadb, rdcloada, rdcloadb, lengacload, rengacload);
    setAll(1, acbusxtie, dcbusxtie);
    setAll(0, rpm, lightstestsw, metersel, lcsdreset, rcsdreset, lgencsd, rgencsd, apugenreset, apupwr, extpwr,
           ohpanel);
}
}  // namespace

TJ20_GAUGE(rl_tj20_elecdistribution, .sim = simvars, .elements = elements, .areas = areas, .update = update,
           .reset = reset)
