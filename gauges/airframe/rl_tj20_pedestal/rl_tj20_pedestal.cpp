// Centre pedestal: throttle levers, fuel cut-off levers, fuel crossfeed lever, speed brake
// handle, flap handle, the two pitch trim switches with the trim indicator, the gear horn
// silence button and the rudder hydraulic switch. Its rules are the aircraft's aural
// configuration warnings and its automatic spoilers.
//
// Warnings, each a repeating sound started on every update its condition holds and stopped
// on every update it does not:
//   landing gear horn   airborne below 210 kt, gear handle up, a throttle below 256, not
//                       silenced (the silence button holds it off for 2160 ticks, 2 min)
//   gear warning        gear handle up with the flap handle beyond 13107 (landing flaps);
//                       it cannot be silenced and takes the landing gear horn's place
//   speed brake         airborne with the speed brake handle beyond 4801 and either flap
//                       surface beyond 410
//   configuration       on the ground with a throttle beyond 6000: one voice naming every
//                       fault present of spoilers not armed (s), parking brake set (b) and
//                       flap handle out of the takeoff detents 6553.6 and 9830.4 (f)
// Automatic spoilers, while armed: deployed on the first update on the ground after being
// airborne, and on the ground above 60 kt whenever both throttles are below 3000 (a
// rejected takeoff), each time with the spoiler sound.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(lfuellever, rfuellever);
TJ20_BOUND(fuelxfd, rudhyd);

constexpr double HornSpeedBelow = 210, ThrottleIdleBelow = 256;
constexpr double LandingFlapsAbove = 13107.0;
constexpr double SpeedBrakeHandleAbove = 4801, FlapsOutAbove = 410;
constexpr double TakeoffThrustAbove = 6000;
constexpr double TakeoffFlaps[] = {6553.6, 9830.4};
constexpr double RejectSpeedAbove = 60, RetardedBelow = 3000;
constexpr double SilenceTicks = 2160, TrimReturnTicks = 18;
constexpr double LeverFull = 16383;
constexpr double LeverTravelPixels = -200.0 / 16384.0;

constexpr const char* LandingGearHorn = "tj20_lnd_gear.wav";
constexpr const char* GearWarning = "tj20_gear.wav";
constexpr const char* SpeedBrakeWarning = "tj20_speed_br.wav";
constexpr const char* SpoilerSound = "tj20_spoildisarm.wav";

// The takeoff configuration faults, and the one voice that names each set of them.
enum Fault : u32 { SpoilersNotArmed = 1, ParkingBrakeSet = 2, FlapsNotForTakeoff = 4 };
struct ConfigurationVoice {
    u32 faults;
    const char* file;
};
constexpr ConfigurationVoice configurationVoices[] = {
    {SpoilersNotArmed, "tj20_config_s.wav"},
    {ParkingBrakeSet, "tj20_config_b.wav"},
    {FlapsNotForTakeoff, "tj20_config_f.wav"},
    {SpoilersNotArmed | ParkingBrakeSet, "tj20_config_sb.wav"},
    {SpoilersNotArmed | FlapsNotForTakeoff, "tj20_config_sf.wav"},
    {ParkingBrakeSet | FlapsNotForTakeoff, "tj20_config_bf.wav"},
    {SpoilersNotArmed | ParkingBrakeSet | FlapsNotForTakeoff, "tj20_config_sbf.wav"},
};

// A pitch trim switch: spring-loaded to the centre, where it returns 18 ticks after the last
// deflection (a held switch keeps deflecting it).
enum TrimPosition : u32 { NoseDown = 0, Centre = 1, NoseUp = 2 };
struct TrimSwitch {
    u32 position = NoseDown;  // centred by the first draw
    Deadline release;
};

struct State {
    bool levelsSet = false;  // the first draw has set the fuel levers
    abi::i32 throttle1 = 0, throttle2 = 0;
    Deadline silence;  // the landing gear horn is silenced while armed
    TrimSwitch trim1, trim2;
    abi::i32 trimIndicator = 0;
    u32 rudderSwitch = 0;
    bool rejectLatch = false, touchdownLatch = false;
};
State st;

constinit SimTable simvars{
    sim::TickCount,      sim::OnGround,         sim::IndicatedAirspeed,    sim::Throttle1Lever,   sim::Throttle2Lever,
    sim::ParkingBrake,   sim::SpoilersArmed,    sim::SpeedBrakeHandle,     sim::FlapHandle,       sim::LeftFlap,
    sim::RightFlap,      sim::GearHandle,       sim::Engine1FuelAvailable, sim::PitchTrim,        sim::PedestalEntry6,
    sim::PedestalEntry7, sim::PedestalEntry37b, sim::PedestalEntry37c,     sim::PedestalEntry37f, sim::PedestalEntry380,
    sim::Placeholder};

double tick() { return simvars[sim::TickCount]; }
bool spoilersArmed() { return simvars[sim::SpoilersArmed] == 1.0; }

// The flap handle's picture: one image per detent; a handle between detents shows its value.
double flapHandleImage() {
    const double h = simvars[sim::FlapHandle];
    constexpr double detents[] = {3276.8, 6553.6, 9830.4, 13107.2, 16384};
    for (int i = 0; i < 5; ++i)
        if (h == detents[i]) return i + 1;
    return h;
}

constinit Chain elements{
    image(0x100),
    image(0x1900, {482, 322}),
    image(0x2000, {12, 556}),
    icon(0x1100, {239, 415}, 2, lfuellever),
    icon(0x1200, {333, 416}, 2, rfuellever),
    icon(0x1300, {396, 4}, 2, fuelxfd),
    icon(0x2400, {194, 34}, 2, &st.rudderSwitch),
    slider(0x1400, {225, 250}, 0, {}, LeverTravelPixels, [] { return simvars[sim::Throttle1Lever]; }),
    slider(0x1500, {311, 250}, 0, {}, LeverTravelPixels, [] { return simvars[sim::Throttle2Lever]; }),
    icon(0x1600, {504, 100}, 6, [] { return flapHandleImage(); }),
    slider(0x1700, {133, 0}, 0, {}, 0.0136, [] { return simvars[sim::SpeedBrakeHandle]; }).visibleWhen([] {
        return simvars[sim::SpoilersArmed] == 0.0;
    }),
    slider(0x1800, {133, 0}, 0, {}, 0.0136, [] { return simvars[sim::SpeedBrakeHandle]; }).visibleWhen([] {
        return simvars[sim::SpoilersArmed] == 1.0;
    }),
    slider(0x2300, {102, 403}, 0, {}, 0.451, [] { return st.trimIndicator; }),
    icon(0x2100, {27, 290}, 3, &st.trim1.position),
    icon(0x2200, {282, 451}, 3, &st.trim2.position),
};

// A throttle lever follows the pointer: 90 per pixel above the idle stop at 250 pixels, up to
// the simulator's full forward 16383; below the stop, reverse.
template <KeyEvent Set, abi::i32 State::*Command>
void throttleDrag(int, int y) {
    const abi::i32 command = (250 - y) * 90;
    st.*Command = command > LeverFull ? static_cast<abi::i32>(LeverFull) : command;
    send(Set, static_cast<u32>(st.*Command));
}

void silenceHorn() {
    if (!st.silence.armed()) st.silence.arm(tick(), SilenceTicks);
}

template <TrimSwitch State::*Switch, TrimPosition To, KeyEvent Trim>
void deflectTrim() {
    (st.*Switch).position = To;
    (st.*Switch).release.arm(tick(), TrimReturnTicks);
    send(Trim);
}

constinit Areas areas{
    toggleArea<lfuellever>({241, 414, 41, 242}),
    toggleArea<rfuellever>({335, 414, 42, 242}),
    toggleArea<fuelxfd>({404, 22, 44, 278}),
    drag<throttleDrag<key::Throttle1Set, &State::throttle1>>({243, 22, 64, 358}),
    drag<throttleDrag<key::Throttle2Set, &State::throttle2>>({308, 22, 62, 358}),
    press<silenceHorn>({181, 503, 40, 37}),
    repeat<deflectTrim<&State::trim1, NoseUp, key::PitchTrimUp>>({40, 431, 58, 165}),
    repeat<deflectTrim<&State::trim1, NoseDown, key::PitchTrimDown>>({40, 236, 58, 189}),
    repeat<deflectTrim<&State::trim2, NoseUp, key::PitchTrimUp>>({290, 555, 36, 87}),
    repeat<deflectTrim<&State::trim2, NoseDown, key::PitchTrimDown>>({290, 456, 36, 95}),
    press<[] { st.rudderSwitch = st.rudderSwitch == 0 ? 1 : 0; }>({203, 46, 34, 272}),
};

void warn(bool sounding, const char* file) {
    if (sounding)
        sound::playRepeating(file);
    else
        sound::stop(file);
}

// Fuel on or cut off for each engine on every update, as its lever stands. Not before the
// first draw has set the levers to RUN: the levers still read cutoff then, and running engines
// would be shut down as the panel loads.
void fuelLevers() {
    if (!st.levelsSet) return;
    const bool fuel1 = lfuellever.get() == shared::lfuellever::Run && simvars[sim::Engine1FuelAvailable] == 1.0;
    send(fuel1 ? key::Engine1FuelOn : key::Engine1FuelCutoff);
    send(rfuellever.get() == shared::rfuellever::Run ? key::Engine2FuelOn : key::Engine2FuelCutoff);
}

void gearWarnings(bool airborne) {
    const bool gearUp = simvars[sim::GearHandle] == 0.0;
    const bool throttleClosed =
        simvars[sim::Throttle1Lever] < ThrottleIdleBelow || simvars[sim::Throttle2Lever] < ThrottleIdleBelow;
    const bool landingFlaps = gearUp && simvars[sim::FlapHandle] > LandingFlapsAbove;
    const bool horn =
        simvars[sim::IndicatedAirspeed] < HornSpeedBelow && gearUp && throttleClosed && airborne && !st.silence.armed();
    warn(horn && !landingFlaps, LandingGearHorn);
    warn(landingFlaps, GearWarning);
    st.silence.due(tick());
}

void speedBrakeWarning(bool airborne) {
    const bool flapsOut = simvars[sim::LeftFlap] > FlapsOutAbove || simvars[sim::RightFlap] > FlapsOutAbove;
    warn(simvars[sim::SpeedBrakeHandle] > SpeedBrakeHandleAbove && flapsOut && airborne, SpeedBrakeWarning);
}

void takeoffConfiguration(bool onGround) {
    const bool gate = onGround && (simvars[sim::Throttle1Lever] > TakeoffThrustAbove ||
                                   simvars[sim::Throttle2Lever] > TakeoffThrustAbove);
    const double flaps = simvars[sim::FlapHandle];
    u32 faults = 0;
    if (simvars[sim::SpoilersArmed] != 1.0) faults |= SpoilersNotArmed;
    if (simvars[sim::ParkingBrake] != 0.0) faults |= ParkingBrakeSet;
    if (flaps != TakeoffFlaps[0] && flaps != TakeoffFlaps[1]) faults |= FlapsNotForTakeoff;
    for (const auto& voice : configurationVoices) warn(gate && faults == voice.faults, voice.file);
}

void returnTrim(TrimSwitch& s) {
    if (s.release.due(tick())) s.position = Centre;
}

void deploySpoilers() {
    send(key::SpoilersDeploy);
    sound::playOnce(SpoilerSound);
}

void automaticSpoilers(bool onGround, bool airborne) {
    if (st.touchdownLatch && onGround && spoilersArmed()) {
        deploySpoilers();
        st.touchdownLatch = false;
    }
    st.rejectLatch = onGround && simvars[sim::IndicatedAirspeed] > RejectSpeedAbove && spoilersArmed();
    st.touchdownLatch = airborne && spoilersArmed();
    if (st.rejectLatch && simvars[sim::Throttle1Lever] < RetardedBelow &&
        simvars[sim::Throttle2Lever] < RetardedBelow && spoilersArmed()) {
        st.rejectLatch = false;
        deploySpoilers();
    }
}

void update() {
    const bool onGround = simvars[sim::OnGround] == 1.0;
    const bool airborne = simvars[sim::OnGround] == 0.0;
    fuelLevers();
    gearWarnings(airborne);
    speedBrakeWarning(airborne);
    takeoffConfiguration(onGround);
    returnTrim(st.trim1);
    returnTrim(st.trim2);
    st.trimIndicator = saturate<abi::i32>(simvars[sim::PitchTrim] * 1000);
    rudhyd.set(st.rudderSwitch);
    automaticSpoilers(onGround, airborne);
}

void reset() {
    st = {};
    st.levelsSet = true;
    st.trim1.position = st.trim2.position = Centre;
    setAll(shared::lfuellever::Run, lfuellever, rfuellever);
    setAll(0, fuelxfd, rudhyd);
}
}  // namespace

TJ20_GAUGE(rl_tj20_pedestal, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
