// Flight mode annunciator: the thrust/speed, armed, roll and pitch windows and the caption
// lights that tell the crew what the autopilot and autothrottle are doing. The windows come
// from the simulator's autopilot state and the guidance panel's mode flags; the annunciator
// also runs the autoland and ILS landing sequences as the radio height decreases, and
// flashes the red AP light after the autopilot disconnects until the crew presses RESET.
#include <cmath>

#include "tj20/gauge.h"

namespace {
using namespace tj20;

// Shared variables, in binding order.
TJ20_BOUND(vorloc, ils, autlnd, alstep, ilsstep, fmato, goaround, eprl, trcmode, fmareset);

// The last six entries are refreshed but read by nothing. The NAV1 receiver code is not
// here: the arm window carries it in its own record.
constinit SimTable simvars{
    sim::AirspeedHold,
    sim::SelectedAirspeed,
    sim::MachHold,
    sim::SelectedMach,
    sim::HeadingHold,
    sim::WingsLevelHold,
    sim::Nav1Hold,
    sim::ApproachHold,
    sim::AltitudeHold,
    sim::SelectedAltitude,
    sim::Altitude,
    sim::Nav1LateralNeedle,
    sim::Nav1GlideSlopeNeedle,
    sim::RadioHeight,
    sim::OnGround,
    sim::Throttle1Lever,
    sim::Throttle2Lever,
    sim::AutopilotEngaged,
    sim::AutothrottleArmed,
    sim::IndicatedAirspeed,
    sim::MachNumberRaw,
    sim::Nav1Frequency,
    sim::Nav2Frequency,
    sim::Nav1Course,
    sim::Nav2Course,
    sim::TickCount,
    sim::AnnunciatorEntry51,
    sim::SelectedHeading,
    sim::AnnunciatorEntry77,
    sim::AltitudeMetres,
    sim::TakeoffGoAroundThrust,
    sim::Placeholder,
};

// Window frames.
namespace spd {
constexpr u32 Blank = 0, Spd = 1, Mach = 2, Retard = 3, Clamp = 4, EprTakeoff = 5, EprFlex = 6;
constexpr u32 EprBase = 4;  // EPR T/O ... EPR CR are rating 1 ... 6 plus this
}  // namespace spd
namespace roll {
constexpr u32 Blank = 0, VorCap = 1, VorTrk = 2, HdgSel = 4, HdgHld = 5, LocCap = 6, LocTrk = 7, AutLnd = 8, Align = 10,
              RollOut = 11;
}
namespace pitch {
constexpr u32 Blank = 0, VertSpd = 1, AltCap = 2, AltHld = 3, GsCap = 4, GsTrk = 5, AutLnd = 6, Flare = 7, RollOut = 8;
}
namespace arm {
constexpr u32 Blank = 0, Vor = 1, Loc = 2, Ils = 3, Alt = 4, VorAlt = 5, LocAlt = 6, IlsAlt = 7, Lnd = 8, LndAlt = 9,
              AutoGoAround = 10, DirectorGoAround = 11;
}

constexpr double FeetPerMetre = 3.28084;
constexpr double CaptureBand = 900, HoldBand = 300;  // feet from the target altitude
constexpr double GlideSlopeTrack = 50, GlideSlopeBand = 119;
constexpr double LocalizerTrack = 60, LocalizerBand = 126;
constexpr u32 LocalizerTuned = 0x80;     // NAV1 receiver bit
constexpr double TakeoffRollSpeed = 60;  // knots
using Step = shared::alstep;             // "ilsstep" counts alike
constexpr u32 FinalStep = Step::FinalStep, TouchdownStep = Step::TouchdownStep, ReverseStep = Step::ReverseStep;

// Armed modes, applied in order, each overwriting the last that matched. "Far" is altitude
// hold on with the aircraft more than 900 ft from its target; "near" is within 900 ft or
// altitude hold off.
enum class Need : unsigned char { Any, Yes, No };
struct ArmRule {
    Need far, near, vorloc, loc, ils, autlnd;
    u32 frame;
};
using N = Need;
constexpr ArmRule armRules[] = {
    {N::Any, N::Any, N::Yes, N::No, N::No, N::Any, arm::Vor},
    {N::Any, N::Any, N::Yes, N::Yes, N::No, N::Any, arm::Loc},
    {N::Any, N::Any, N::Any, N::Yes, N::Yes, N::Any, arm::Ils},
    {N::Any, N::Any, N::Any, N::Yes, N::Any, N::Yes, arm::Lnd},
    {N::Yes, N::Any, N::No, N::Any, N::No, N::Any, arm::Alt},
    {N::Yes, N::Any, N::Yes, N::Yes, N::No, N::No, arm::LocAlt},
    {N::Yes, N::Any, N::Any, N::Yes, N::Yes, N::No, arm::IlsAlt},
    {N::Yes, N::Any, N::Any, N::Yes, N::Any, N::Yes, arm::LndAlt},
    {N::Yes, N::Any, N::Yes, N::No, N::Any, N::Any, arm::VorAlt},
    {N::Any, N::Yes, N::No, N::Any, N::No, N::No, arm::Blank},
};

// Windows shown at each landing step (index 1 to 5); Keep leaves a window as it is, and
// GoAroundArm shows AUT G/A with the autopilot engaged and F/D G/A without.
constexpr u32 Keep = 0xFFFFFFFF, GoAroundArm = 0xFFFFFFFE;
struct Windows {
    u32 spd, arm, roll, pitch;
};
constexpr Windows autolandSteps[] = {
    {},
    {Keep, arm::AutoGoAround, roll::AutLnd, pitch::AutLnd},
    {Keep, arm::AutoGoAround, roll::Align, pitch::AutLnd},
    {spd::Retard, arm::AutoGoAround, roll::Align, pitch::Flare},
    {spd::Retard, arm::DirectorGoAround, roll::RollOut, pitch::RollOut},
    {spd::Blank, arm::Blank, roll::RollOut, pitch::RollOut},
};
constexpr Windows ilsSteps[] = {
    {},
    {Keep, GoAroundArm, roll::LocTrk, pitch::GsTrk},
    {Keep, GoAroundArm, roll::Blank, pitch::GsTrk},
    {spd::Retard, GoAroundArm, roll::Blank, pitch::Flare},
    {spd::Retard, arm::DirectorGoAround, roll::Blank, pitch::Blank},
    {spd::Blank, arm::Blank, roll::Blank, pitch::Blank},
};
// Radio height, feet, below which each sequence enters steps 1, 2 and 3.
constexpr double stepBelow[] = {0, 1500, 150, 50};

struct State {
    u32 spdwin = 0, armwin = 0, rollwin = 0, pitchwin = 0;  // frames shown
    u32 locflag = 0;                                        // a localizer is tuned on NAV1, as last drawn
    u32 lowlim = 0;                                         // both levers at idle and still faster than the target
    u32 apwarn = 0;                                         // lit half of the autopilot-off flash
};
State st;

bool on(SimVar id) { return simvars[id] == 1.0; }
bool off(SimVar id) { return simvars[id] == 0.0; }

// Autoland and the ILS need both NAV receivers tuned alike, and the ILS both courses alike.
bool frequenciesAgree() { return simvars[sim::Nav1Frequency] == simvars[sim::Nav2Frequency]; }
bool coursesAgree() { return simvars[sim::Nav1Course] == simvars[sim::Nav2Course]; }

bool hideForLowLimit() { return st.lowlim == 1 || alstep.get() == FinalStep; }

// The arm window carries the NAV1 receiver code; each draw of it refreshes the localizer
// flag that the next update's rules read.
double armWindow(const Element& window) {
    st.locflag = (saturate<u32>(window.carried()) & LocalizerTuned) ? 1 : 0;
    return st.armwin;
}

constinit Chain elements{
    image(0x100),
    icon(0x1100, {33, 76}, 11, [] { return st.spdwin; }).visibleWhen([] {
        return !(st.lowlim == 1 && alstep.get() != FinalStep);
    }),
    icon(0x1200, {33, 76}, 1, [] { return 0; }).visibleWhen([] { return st.lowlim == 1; }),  // LOW LIM
    text({33, 93}, {40, 16}, {}, "%3.0f", [] { return simvars[sim::SelectedAirspeed]; }).visibleWhen([] {
        return on(sim::AirspeedHold) && !hideForLowLimit();
    }),
    text({33, 93}, {40, 16}, {}, "%0.2f", [] { return simvars[sim::SelectedMach]; }).visibleWhen([] {
        return on(sim::MachHold) && !hideForLowLimit();
    }),
    icon(0x1300, {110, 76}, 12, [](const Element& window) { return armWindow(window); })
        .carries(sim::Nav1ReceiverCode)
        .alwaysLit(),
    icon(0x1400, {187, 76}, 12, [] { return st.rollwin; }).visibleWhen([] {
        return goaround.get() != 1 && fmato.get() != 1;
    }),
    icon(0x1500, {266, 76}, 9, [] { return st.pitchwin; }).visibleWhen([] {
        return goaround.get() != 1 && fmato.get() != 1;
    }),
    icon(0x1600, {187, 76}, 1, [] { return 0; }).visibleWhen([] {  // TAK OFF over the roll window
        return fmato.get() == 1 && goaround.get() != 1;
    }),
    icon(0x1700, {266, 76}, 1, [] { return 0; }).visibleWhen([] {  // TAK OFF over the pitch window
        return fmato.get() == 1 && goaround.get() != 1;
    }),
    icon(0x1800, {187, 76}, 1, [] { return 0; }).visibleWhen([] { return goaround.get() == 1; }),        // GO RND
    icon(0x1900, {266, 76}, 1, [] { return 0; }).visibleWhen([] { return goaround.get() == 1; }),        // GO RND
    icon(0x1A00, {359, 76}, 1, [] { return 0; }).visibleWhen([] { return on(sim::AutopilotEngaged); }),  // AP
    icon(0x1B00, {177, 14}, 2, [] { return st.apwarn; }).alwaysLit(),  // red AP warning light
    icon(0x1C00, {24, 55}, 1, [] { return 0; }).visibleWhen([] {       // NO AUTOLAND
        return autlnd.get() == 1 && !frequenciesAgree();
    }),
    icon(0x1D00, {84, 42}, 1, [] { return 0; }).visibleWhen([] {  // ILS warning
        return ils.get() == 1 && !(coursesAgree() && frequenciesAgree());
    }),
};

void speedHolds() {
    if (alstep.get() == FinalStep) return;
    if (on(sim::MachHold)) st.spdwin = spd::Mach;
    if (on(sim::AirspeedHold)) st.spdwin = spd::Spd;
}

void rollAndPitch(double fromTarget) {
    if (on(sim::HeadingHold)) st.rollwin = roll::HdgSel;
    if (on(sim::WingsLevelHold)) st.rollwin = roll::HdgHld;

    if (on(sim::AltitudeHold)) {
        if (fromTarget > CaptureBand)
            st.pitchwin = pitch::VertSpd;
        else if (fromTarget > HoldBand)
            st.pitchwin = pitch::AltCap;
        else if (fromTarget <= HoldBand)
            st.pitchwin = pitch::AltHld;
    }
    if (on(sim::ApproachHold)) {
        const double gs = std::fabs(simvars[sim::Nav1GlideSlopeNeedle]);
        if (gs > GlideSlopeTrack && gs < GlideSlopeBand) st.pitchwin = pitch::GsCap;
        if (gs < GlideSlopeTrack) st.pitchwin = pitch::GsTrk;
    }
    if (off(sim::AltitudeHold) && off(sim::ApproachHold)) st.pitchwin = pitch::Blank;

    if (on(sim::Nav1Hold)) {
        const double lateral = std::fabs(simvars[sim::Nav1LateralNeedle]);
        if (lateral > LocalizerTrack && lateral < LocalizerBand) st.rollwin = st.locflag ? roll::LocCap : roll::VorCap;
        if (lateral < LocalizerTrack) st.rollwin = st.locflag ? roll::LocTrk : roll::VorTrk;
    }
    if (off(sim::HeadingHold) && off(sim::WingsLevelHold) && off(sim::Nav1Hold) && off(sim::ApproachHold))
        st.rollwin = roll::Blank;
}

bool matches(Need need, bool value) { return need == Need::Any || (need == Need::Yes) == value; }
bool matches(Need need, u32 flag) { return need == Need::Any || (need == Need::Yes ? flag == 1 : flag == 0); }

void armedModes(double fromTarget) {
    const bool far = fromTarget > CaptureBand && on(sim::AltitudeHold);
    const bool near = fromTarget < CaptureBand || off(sim::AltitudeHold);
    for (const auto& r : armRules)
        if (matches(r.far, far) && matches(r.near, near) && matches(r.vorloc, vorloc.get()) &&
            matches(r.loc, st.locflag) && matches(r.ils, ils.get()) && matches(r.autlnd, autlnd.get()))
            st.armwin = r.frame;
}

void show(const Windows& w) {
    if (w.spd != Keep) st.spdwin = w.spd;
    if (w.arm == GoAroundArm)
        st.armwin = on(sim::AutopilotEngaged) ? arm::AutoGoAround : arm::DirectorGoAround;
    else if (w.arm != Keep)
        st.armwin = w.arm;
    if (w.roll != Keep) st.rollwin = w.roll;
    if (w.pitch != Keep) st.pitchwin = w.pitch;
}

// Steps 1 to 3 of a landing sequence: entered with the localizer and glide slope captured
// or tracking below 1500 ft radio height, then 150 ft and 50 ft. The sequence only moves
// forward; the guidance panel clears it when the crew selects another mode.
void approachSequence(const Bound& selected, Bound& step, const Windows (&windows)[6], double radioHeight) {
    const bool captured = (st.rollwin == roll::LocCap || st.rollwin == roll::LocTrk) &&
                          (st.pitchwin == pitch::GsCap || st.pitchwin == pitch::GsTrk);
    if (step.get() == 0 && radioHeight < stepBelow[1] && selected.get() == 1 && captured) step.set(1);
    for (u32 s = 1; s <= FinalStep; ++s) {
        if (s > 1 && step.get() == s - 1 && radioHeight < stepBelow[s] && selected.get() == 1) step.set(s);
        if (step.get() == s) show(windows[s]);
    }
}

// Steps 4 and 5: touchdown, then reverse thrust on either engine.
void rollout(Bound& step, const Windows (&windows)[6]) {
    if (on(sim::OnGround) && step.get() == FinalStep) step.set(TouchdownStep);
    const double lever1 = simvars[sim::Throttle1Lever], lever2 = simvars[sim::Throttle2Lever];
    const bool reverse = lever1 < 0 || lever2 < 0;
    if (step.get() == TouchdownStep && lever1 >= 0 && lever2 >= 0) show(windows[TouchdownStep]);
    if (step.get() == TouchdownStep && reverse) step.set(ReverseStep);
    if (step.get() == ReverseStep) show(windows[ReverseStep]);
}

void thrustWindow() {
    const u32 rating = trcmode.get();
    if (eprl.get() == 1 && rating >= 1 && rating <= 6) st.spdwin = rating + spd::EprBase;

    const bool takeoffRoll = on(sim::OnGround) && on(sim::AutothrottleArmed) && off(sim::AirspeedHold) &&
                             off(sim::MachHold) && eprl.get() == 0;
    if (takeoffRoll) {
        const double ias = simvars[sim::IndicatedAirspeed];
        if (ias < TakeoffRollSpeed && rating == 1) st.spdwin = spd::EprTakeoff;
        if (ias < TakeoffRollSpeed && rating == 2) st.spdwin = spd::EprFlex;
        if (ias > TakeoffRollSpeed && (rating == 1 || rating == 2)) st.spdwin = spd::Clamp;
    }
    if (off(sim::AutothrottleArmed)) st.spdwin = spd::Blank;

    const double mach = simvars[sim::MachNumberRaw] * 3.2 / 65536.0;
    const bool fasterThanTarget =
        (on(sim::AirspeedHold) && simvars[sim::SelectedAirspeed] < simvars[sim::IndicatedAirspeed]) ||
        (on(sim::MachHold) && mach > simvars[sim::SelectedMach]);
    const bool idle = simvars[sim::Throttle1Lever] == 0.0 && simvars[sim::Throttle2Lever] == 0.0;
    st.lowlim = fasterThanTarget && idle ? 1 : 0;
}

void update() {
    const double fromTarget = std::fabs(simvars[sim::Altitude] - simvars[sim::SelectedAltitude]);
    const double radioHeight = simvars[sim::RadioHeight] * FeetPerMetre;

    speedHolds();
    rollAndPitch(fromTarget);
    armedModes(fromTarget);
    // The whole autoland sequence, rollout included, runs before the ILS one: its windows on
    // every step (ROLL OUT after touchdown too) keep the ILS sequence from starting beside it.
    approachSequence(autlnd, alstep, autolandSteps, radioHeight);
    rollout(alstep, autolandSteps);
    approachSequence(ils, ilsstep, ilsSteps, radioHeight);
    rollout(ilsstep, ilsSteps);

    st.apwarn = off(sim::AutopilotEngaged) && fmareset.get() == 0 && flashLit(simvars[sim::TickCount]);

    thrustWindow();
}

void reset() {
    st = {};
    setAll(0, vorloc, ils, autlnd, alstep, ilsstep, fmato, goaround, eprl, trcmode, fmareset);
}

void resetButton() {
    if (off(sim::AutopilotEngaged)) fmareset.set(1);
}

constinit Areas areas{
    press<resetButton>({262, 20, 37, 36}),
};
}  // namespace

TJ20_GAUGE(rl_tj20_main_fma, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
