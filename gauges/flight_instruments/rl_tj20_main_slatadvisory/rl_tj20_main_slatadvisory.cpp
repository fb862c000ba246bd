// Slat advisory lights T/O, DISAG, AUTO and LAND. Setting takeoff flaps on the ground runs the
// slats' self-test sequence: T/O for 12 ticks, DISAG for 9, DISAG with AUTO for 10, DISAG for
// 9, then T/O, which stays. Flaps fully up end it; the flap handle beyond the takeoff range
// (9830) ends it for good until the flaps are next fully up. LAND shows with both flaps
// beyond 11468.7, T/O only below that.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

constexpr double TakeoffFlapsBelow = 4505.6;   // both surfaces still short of the takeoff position
constexpr double TakeoffHandleBelow = 9820;    // handle set inside the takeoff range
constexpr double HandleBeyondTakeoff = 9830;   // handle beyond it: the sequence ends
constexpr double LandingFlapsAbove = 11468.7;  // both surfaces at landing flaps
constexpr double TakeoffLightBelow = 11468.8;

// Steps of the sequence: none, T/O, DISAG, DISAG and AUTO, DISAG, T/O held, ended.
enum Step : u32 { Idle, TakeoffFirst, Disagree, Auto, DisagreeAgain, TakeoffHeld, Ended };

struct State {
    u32 step = Idle;
    Deadline next[4];  // ends of the four timed steps
};
State st;

constinit SimTable simvars{sim::LeftFlap, sim::RightFlap, sim::FlapHandle, sim::OnGround, sim::TickCount};

bool bothFlapsBelow(double limit) { return simvars[sim::LeftFlap] < limit && simvars[sim::RightFlap] < limit; }
bool showsTakeoff() { return (st.step == TakeoffFirst || st.step == TakeoffHeld) && bothFlapsBelow(TakeoffLightBelow); }
bool showsDisagree() { return st.step >= Disagree && st.step <= DisagreeAgain; }

constinit Chain elements{
    image(0x100),
    icon(0x1100, {2, 2}, 1, [] { return 0; }).visibleWhen([] { return showsTakeoff(); }),
    icon(0x1200, {2, 23}, 1, [] { return 0; }).visibleWhen([] { return showsDisagree(); }),
    icon(0x1300, {2, 44}, 1, [] { return 0; }).visibleWhen([] { return st.step == Auto; }),
    icon(0x1400, {2, 65}, 1, [] { return 0; }).visibleWhen([] {
        return simvars[sim::LeftFlap] > LandingFlapsAbove && simvars[sim::RightFlap] > LandingFlapsAbove;
    }),
};

// How long each timed step lasts, in ticks (truncated when the deadline is stored).
constexpr double StepTicks[4] = {12.6, 9, 10.8, 9};

void update() {
    const double tick = simvars[sim::TickCount];
    const double handle = simvars[sim::FlapHandle];
    if (simvars[sim::LeftFlap] == 0 && simvars[sim::RightFlap] == 0) st.step = Idle;
    if (st.step == Idle && bothFlapsBelow(TakeoffFlapsBelow) && handle > 0 && handle < TakeoffHandleBelow &&
        simvars[sim::OnGround] == 1.0) {
        st.step = TakeoffFirst;
        st.next[0].arm(tick, StepTicks[0]);
    }
    // Each timed step hands over to the next when its time is up.
    for (u32 i = 0; i < 4; ++i) {
        if (st.next[i].due(tick) && st.step == TakeoffFirst + i) {
            st.step = TakeoffFirst + i + 1;
            if (i + 1 < 4) st.next[i + 1].arm(tick, StepTicks[i + 1]);
        }
    }
    if (handle > HandleBeyondTakeoff) {
        st.step = Ended;
        for (auto& d : st.next) d.disarm();
    }
}

void reset() { st = {}; }
}  // namespace

TJ20_GAUGE(rl_tj20_main_slatadvisory, .sim = simvars, .elements = elements, .update = update, .reset = reset)
