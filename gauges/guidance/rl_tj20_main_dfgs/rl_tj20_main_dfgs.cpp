// Flight guidance control panel on the glare shield. It turns the crew's buttons and knobs
// into autopilot and autothrottle commands, keeps the lateral and vertical mode flags the
// flight mode annunciator shows, turns the thrust rating panel's EPR limit into a thrust
// lever position for the autothrottle, and watches on every update: VOR/LOC and glide-slope
// capture, the autoland receivers, the end of the takeoff mode, go-around thrust and
// touchdown.
#include <cmath>
#include <cstdint>

#include "tj20/gauge.h"

namespace {
using namespace tj20;

// Shared variables, in registration and binding order.
TJ20_OWNED(vorloc, ils, autlnd, alstep, spdsel, ilsstep, fmareset, eprl, goaround);
TJ20_BOUND(fmato, eprlim, trcmode, altlock);

// The six entries after the flight director and the empty one are refreshed but read by nothing.
constinit SimTable simvars{sim::TickCount,         sim::Nav1LateralNeedle,     sim::Nav1GlideSlopeNeedle,
                           sim::Nav1Frequency,     sim::Nav2Frequency,         sim::OnGround,
                           sim::Altitude,          sim::SelectedAltitude,      sim::SelectedVerticalSpeed,
                           sim::AutothrottleArmed, sim::TakeoffGoAroundThrust, sim::SelectedHeading,
                           sim::SelectedMach,      sim::FlightDirector,        sim::SelectedAirspeed,
                           sim::AltitudeHold,      sim::AutopilotEngaged,      sim::AirspeedHold,
                           sim::MachHold,          sim::SpoilersArmed,         sim::Placeholder};

constexpr u32 FinalStep = shared::alstep::FinalStep;  // flare/retard step of both landing sequences
constexpr double LocalizerCaptureBand = 126;          // lateral needle, strictly inside
constexpr double GlideSlopeAliveBand = 119;           // glide-slope needle, strictly inside
constexpr double TakeoffEndBelowTarget = 900;         // feet below the selected altitude
constexpr u32 TicksPerSecond = 18;
constexpr u32 EprHoldTicks = 9;
constexpr u32 SpeedMin = 100, SpeedMax = 400;
constexpr std::int32_t AltitudeMin = 0, AltitudeMax = 40000;
constexpr double LevelOffBand = 100;  // feet per minute: ALT push also zeroes a target this small

// Autothrottle lever for each EPR limit ("eprlim", EPR × 100), on the 0 to 16383 throttle
// scale; a limit above the last band keeps the lever where it was.
struct LeverBand {
    u32 eprlimUpTo;
    u32 lever;
};
constexpr LeverBand leverTable[] = {
    {158, 10958}, {176, 12040}, {182, 12295}, {189, 12805}, {191, 12950}, {194, 13060},
    {198, 13320}, {202, 13575}, {206, 13835}, {209, 14085}, {213, 14338}, {216, 14590},
};

struct State {
    u32 apengage = 0;         // autopilot engage switch latch
    u32 machmode = 0;         // speed window: 0 selected airspeed, 1 Mach target
    u32 atswitch = 0;         // autothrottle switch image
    u32 fdswitch = 0;         // flight director switch image
    std::int32_t altsel = 0;  // selected altitude, feet, 0 to 40000 in hundreds
    u32 hdgsel = 0;           // selected heading, degrees; follows the simulator's target
    u32 banksel = 0;          // bank-limit selector, 0 to 4
    std::int32_t curalt = 0;  // aircraft altitude, whole feet
    u32 eprlever = 0;         // autothrottle lever for the current EPR limit
    u32 tdlatch = 0;          // airborne since the last touchdown disarm
    u32 pitchwheelmode = 0;   // 1: the pitch wheel steps the vertical-speed target (set at first draw, never left)
    u32 speedFrame = 0, headingFrame = 0, altitudeFrame = 0, wheelFrame = 0;  // knob animation
};
State st;

u32 wrapStep(u32 frame, int delta, u32 frames) { return (frame + frames + static_cast<u32>(delta)) % frames; }

constexpr TextStyle readout{White, 0x000000, 0x000000, "Quartz", 400};

// The vertical window's two readouts (vertical-speed target, and a three-digit value): no
// control of this panel enters the pitch-wheel mode that shows them, so they stay hidden.
constexpr auto verticalSpeedTarget = [] { return simvars[sim::SelectedVerticalSpeed]; };
constexpr Cond verticalWindowShown{[] { return false; }};

constinit Chain elements{
    image(0x100),
    icon(0x1100, {7, 29}, 2, [] { return st.fdswitch; }),
    icon(0x1200, {374, 49}, 3, [] { return st.wheelFrame; }),
    text({257, 16}, {36, 18}, readout, "%03.0f", [](const Element& self) { return self.carried(); })
        .carries(sim::SelectedHeading),
    icon(0x1300, {262, 63}, 6, [] { return st.headingFrame; }),
    icon(0x1400, {261, 61}, 5, [] { return st.banksel; }),
    icon(0x1500, {171, 66}, 2, [] { return st.atswitch; }),
    text({97, 23}, {36, 18}, readout, "%.2f", [] { return simvars[sim::SelectedMach]; }).visibleWhen([] {
        return st.machmode == 1;
    }),
    text({97, 23}, {36, 18}, readout, "%03.0f", spdsel).visibleWhen([] { return st.machmode == 0; }),
    icon(0x1600, {92, 75}, 4, [] { return st.speedFrame; }),
    text({505, 17}, {60, 18}, readout, "%5.0f", [] { return st.altsel; }),
    icon(0x1700, {543, 66}, 3, [] { return st.altitudeFrame; }),
    icon(0x1800, {457, 58}, 2, [] { return st.apengage; }),
    text({355, 17}, {60, 18}, readout, "V%04.0f", verticalSpeedTarget).visibleWhen(verticalWindowShown),
    text({355, 17}, {36, 18}, readout, "%3.0f", Source{}).visibleWhen(verticalWindowShown),
    icon(0x1900, {0, 0}, 1, [] { return 0; }),  // glare-shield overlay
};

// The autoland monitor needs the two NAV receivers tuned alike.
bool navReceiversAgree() { return simvars[sim::Nav1Frequency] == simvars[sim::Nav2Frequency]; }

void setThrottles(u32 lever) {
    send(key::Throttle1Set, lever);
    send(key::Throttle2Set, lever);
}

// Altitude hold and wings level: what the aircraft keeps when a mode ends without a new one.
void holdAltitudeWingsLevel() {
    send(key::WingsLevelEngage);
    send(key::AltitudeHoldEngage);
}

u32 leverFor(u32 limit, u32 previous) {
    for (const auto& band : leverTable)
        if (limit <= band.eprlimUpTo) return band.lever;
    return previous;
}

// The heading the readout shows, in whole degrees 0 to 359.
u32 shownHeading(double heading) {
    double h = std::fmod(heading, 360.0);
    if (h < 0) h += 360.0;
    return saturate<u32>(std::nearbyint(h)) % 360;
}

void update() {
    const double armed = simvars[sim::AutothrottleArmed];
    const bool toga = simvars[sim::TakeoffGoAroundThrust] == 1.0;

    if (armed == 0.0) {
        st.atswitch = 0;
        eprl.set(0);
    }

    const double lateral = simvars[sim::Nav1LateralNeedle];
    if (vorloc.get() == 1 && -LocalizerCaptureBand < lateral && lateral < LocalizerCaptureBand) {
        send(key::Nav1HoldEngage);
        vorloc.set(0);
    }

    const double glideSlope = simvars[sim::Nav1GlideSlopeNeedle];
    if (ils.get() == 1 && -GlideSlopeAliveBand < glideSlope && glideSlope < GlideSlopeAliveBand)
        send(key::ApproachHoldEngage);

    if (alstep.get() == FinalStep || ilsstep.get() == FinalStep) send(key::FinalLandingStep);

    if (autlnd.get() == 1 && alstep.get() != 0 && !navReceiversAgree()) {
        send(key::AutopilotOff);
        autlnd.set(0);
        alstep.set(0);
        holdAltitudeWingsLevel();
    }

    st.curalt = saturate<std::int32_t>(simvars[sim::Altitude]);

    if (fmato.get() == 1 && simvars[sim::Altitude] > simvars[sim::SelectedAltitude] - TakeoffEndBelowTarget) {
        fmato.set(0);
        send(key::AltitudeHoldEngage);
        send(key::WingsLevelEngage);
    }

    // EPR-limit thrust hold: the autothrottle is given the lever in the first half of each second.
    const u32 ticks = saturate<u32>(simvars[sim::TickCount]);
    const bool eprHold = armed == 1.0 && eprl.get() == 1 && ticks % TicksPerSecond < EprHoldTicks;
    st.eprlever = leverFor(eprlim.get(), st.eprlever);
    if (eprHold) setThrottles(st.eprlever);

    // Go-around: repeated on every update while the simulator reports TO/GA thrust. The
    // landing steps stay until the crew selects a mode.
    if (toga) {
        goaround.set(1);
        send(key::TakeoffGoAroundOn);
        send(key::AirspeedHoldOff);
        send(key::MachHoldOff);
        eprl.set(1);
        holdAltitudeWingsLevel();
    }

    // Touchdown: the first update on the ground after flight disarms an armed autothrottle once.
    if (simvars[sim::OnGround] == 0.0) {
        st.tdlatch = 1;
    } else if (simvars[sim::OnGround] == 1.0 && st.tdlatch == 1) {
        st.tdlatch = 0;
        if (armed == 1.0) send(key::AutothrottleArmToggle);
    }

    // The heading knob steps from the heading the readout shows.
    st.hdgsel = shownHeading(simvars[sim::SelectedHeading]);
}

// Every local value starts over, except the heading copy: it follows the simulator's
// selected heading, which the first draw does not change, so the first knob click steps
// from the heading the readout shows.
void reset() {
    const u32 heading = st.hdgsel;
    st = {};
    st.hdgsel = heading;
    st.pitchwheelmode = 1;
    setAll(0, vorloc, ils, autlnd, alstep, ilsstep, fmareset, eprl, goaround);
    spdsel.set(SpeedMin);
    setAll(0, fmato, eprlim, trcmode, altlock);
}

void autopilotSwitch() {
    if (st.apengage == 0) {
        st.apengage = 1;
        send(key::AutopilotOn);
        fmareset.set(0);
    } else {
        st.apengage = 0;
        send(key::AutopilotOff);
    }
}

void speedSelect() {
    send(key::AirspeedHoldOn);
    st.machmode = 0;
    eprl.set(0);
}

void machSelect() {
    send(key::MachHoldOn);
    st.machmode = 1;
    eprl.set(0);
}

void eprLimit() {
    eprl.set(1);
    send(key::AirspeedHoldOff);
    send(key::MachHoldOff);
}

void speedKnob(int delta) {
    st.speedFrame = wrapStep(st.speedFrame, delta, 4);
    if (st.machmode == 1) {
        send(delta > 0 ? key::MachIncrease : key::MachDecrease);
        return;
    }
    const u32 speed = spdsel.get();
    if ((delta > 0 && speed >= SpeedMax) || (delta < 0 && speed <= SpeedMin)) return;
    spdsel.set(speed + static_cast<u32>(delta));
    send(key::AirspeedSet, spdsel.get());
}

void autothrottleSwitch() {
    st.atswitch = st.atswitch == 0 ? 1 : 0;
    send(key::AutothrottleArmToggle);
    const u32 rating = trcmode.get();
    const bool takeoffRating = rating == 1 || rating == 2;
    if (simvars[sim::AutothrottleArmed] == 0.0 && simvars[sim::OnGround] == 1.0 && takeoffRating)
        setThrottles(st.eprlever);
}

// Bank-limit ring of the HDG knob, 10 to 30 degrees in five positions; the autopilot is not told.
void bankLimit(int delta) { st.banksel = static_cast<u32>(stepWithin<int>(static_cast<int>(st.banksel), delta, 0, 4)); }

void headingKnob(int delta) {
    st.headingFrame = wrapStep(st.headingFrame, delta, 6);
    st.hdgsel = wrapStep(st.hdgsel, delta, 360);
    send(key::HeadingSet, st.hdgsel);
}

// Every lateral and vertical mode button ends the takeoff and go-around modes.
void endTakeoffAndGoAround() {
    fmato.set(0);
    goaround.set(0);
}

void headingHold() {
    send(key::HeadingHoldEngage);
    setAll(0, vorloc, ils, autlnd, alstep, ilsstep);
    endTakeoffAndGoAround();
}

void vorLoc() {
    vorloc.set(1);
    setAll(0, ils, autlnd, alstep);
    endTakeoffAndGoAround();
}

void ilsApproach() {
    setAll(1, ils, vorloc);
    setAll(0, autlnd, alstep);
    endTakeoffAndGoAround();
}

void autoLand() {
    setAll(1, autlnd, ils, vorloc);
    endTakeoffAndGoAround();
}

void verticalSpeed() {
    send(key::AltitudeHoldEngage);
    st.pitchwheelmode = 1;
    setAll(0, alstep, ilsstep);
    endTakeoffAndGoAround();
}

void altitudeHold() {
    send(key::AltitudeSet, static_cast<u32>(st.curalt));
    send(key::AltitudeHoldEngage);
    setAll(0, alstep, ilsstep);
    endTakeoffAndGoAround();
}

void pitchWheel(int delta) {
    st.wheelFrame = wrapStep(st.wheelFrame, delta, 3);
    if (st.pitchwheelmode == 1) send(delta > 0 ? key::VerticalSpeedIncrease : key::VerticalSpeedDecrease);
}

// The altitude selector stays within 0 and 40000 ft whatever the step.
void altitudeKnob(std::int32_t step) {
    st.altitudeFrame = wrapStep(st.altitudeFrame, step > 0 ? 1 : -1, 3);
    st.altsel = stepWithin(st.altsel, step, AltitudeMin, AltitudeMax);
}

void altitudePush() {
    send(key::AltitudeSet, static_cast<u32>(st.altsel));
    const double vs = simvars[sim::SelectedVerticalSpeed];
    if (-LevelOffBand < vs && vs < LevelOffBand) send(key::VerticalSpeedSet, 0);
    altlock.set(0);
}

void flightDirectorSwitch() {
    st.fdswitch = st.fdswitch == 0 ? 1 : 0;
    const bool on = simvars[sim::FlightDirector] == 1.0, off = simvars[sim::FlightDirector] == 0.0;
    if ((st.fdswitch == 0 && on) || (st.fdswitch == 1 && off)) send(key::FlightDirectorToggle);
}

constinit Areas areas{
    press<autopilotSwitch>({453, 63, 37, 38}),
    press<speedSelect>({50, 4, 35, 35}),
    press<machSelect>({50, 44, 35, 36}),
    press<eprLimit>({50, 84, 35, 36}),
    repeat<[] { speedKnob(+1); }>({121, 75, 19, 43}, Cursor::UpArrow),
    repeat<[] { speedKnob(-1); }>({88, 75, 18, 43}, Cursor::DownArrow),
    press<[] { st.machmode = st.machmode == 0 ? 1 : 0; }>({107, 75, 13, 43}),
    press<autothrottleSwitch>({168, 76, 35, 41}),
    press<[] { bankLimit(+1); }>({283, 48, 27, 15}, Cursor::UpArrow),
    press<[] { bankLimit(-1); }>({257, 48, 25, 15}, Cursor::DownArrow),
    repeat<[] { headingKnob(+1); }>({289, 69, 26, 33}, Cursor::UpArrow),
    repeat<[] { headingKnob(-1); }>({250, 69, 27, 34}, Cursor::DownArrow),
    press<headingHold>({278, 69, 10, 33}),
    press<vorLoc>({212, 4, 35, 36}),
    press<ilsApproach>({212, 44, 35, 36}),
    press<autoLand>({212, 84, 35, 36}),
    press<verticalSpeed>({407, 4, 35, 36}),
    press<altitudeHold>({446, 4, 35, 36}),
    repeat<[] { pitchWheel(+1); }>({369, 84, 28, 37}, Cursor::UpArrow),    // ANU
    repeat<[] { pitchWheel(-1); }>({369, 49, 28, 34}, Cursor::DownArrow),  // AND
    repeat<[] { altitudeKnob(+1000); }>({577, 63, 17, 27}, Cursor::UpArrow),
    repeat<[] { altitudeKnob(-1000); }>({540, 63, 16, 27}, Cursor::DownArrow),
    repeat<[] { altitudeKnob(+100); }>({577, 91, 17, 26}, Cursor::UpArrow),
    repeat<[] { altitudeKnob(-100); }>({540, 91, 16, 26}, Cursor::DownArrow),
    press<altitudePush>({557, 63, 19, 54}),
    press<flightDirectorSwitch>({7, 19, 33, 38}),
};
}  // namespace

TJ20_GAUGE(rl_tj20_main_dfgs, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
