// Radio altimeter: a tape of the radio height in feet, the decision height ("dh") set with
// its two arrows and shown below the tape, and the two aural callouts of an approach:
// "approaching minimums" 60 ft above the decision height and "minimums" at it. The calls arm
// once the aircraft has been more than 150 ft above the decision height, so each approach
// from above that height makes each call once, and a go-around above it arms them again.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(dh);

constexpr double FeetPerMetre = 3.28084;
constexpr double ApproachingAbove = 60;  // feet above the decision height
constexpr double ArmAbove = 150;         // feet above the decision height
constexpr double TapeTop = 2550;         // feet; the tape stops at both ends of its range
constexpr double TapePixelsPerFoot = 0.1;
constexpr u32 ReadoutMax = 500;
constexpr u32 InitialDecisionHeight = 100;

// Where the approach stands: nothing to call until armed above the decision height, then
// "approaching minimums" is due, then "minimums".
enum Callout : u32 { Disarmed = 0, Armed = 1, MinimumsDue = 2 };

struct State {
    u32 callout = Disarmed;
};
State st;

constinit SimTable simvars{sim::RadioHeight};

double radioHeightFeet() { return simvars[sim::RadioHeight] * FeetPerMetre; }

constinit Chain elements{
    image(0x100),
    movingImage(
        0x1100, {21, 27}, 0.0, [] { return 0; }, TapePixelsPerFoot,
        [] { return radioHeightFeet() < 0 ? 0.0 : (radioHeightFeet() > TapeTop ? TapeTop : radioHeightFeet()); }),
    text({10, 101}, {30, 16}, TextStyle{White, 0, 0, "Courier New", 400}, "%03.0f",
         [] { return dh.get() < ReadoutMax ? dh.get() : ReadoutMax; }),
    icon(0x1200, {8, 50}, 1, [] { return 0; }),  // decision height marker
};

// The decision height steps by one foot and stops at 0: below it would wrap round to the
// largest whole number and leave the DH light lit and the callouts off for good.
constinit Areas areas{
    repeat<[] { dh.set(dh.get() + 1); }>({37, 101, 16, 20}, Cursor::UpArrow),
    repeat<[] { stepDown(dh); }>({21, 101, 15, 20}, Cursor::DownArrow),
};

void update() {
    const double ra = radioHeightFeet();
    const double decision = dh.get();
    if (ra < decision + ApproachingAbove && st.callout == Armed) {
        sound::playOnce("tj20_apprminimums.wav");
        st.callout = MinimumsDue;
    }
    if (ra < decision && st.callout == MinimumsDue) {
        sound::playOnce("tj20_minimums.wav");
        st.callout = Disarmed;
    }
    if (ra > decision + ArmAbove) st.callout = Armed;
}

void reset() {
    st = {};
    dh.set(InitialDecisionHeight);
}
}  // namespace

TJ20_GAUGE(rl_tj20_main_radioh, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
