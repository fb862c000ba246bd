// Captain's altimeter: drum counter and 1000-ft pointer, a reference marker set with its own
// knob, the barometric setting in millibars and inches with the BARO knob that steps the
// simulator's setting, and the altitude alert. Coming within 300 ft of the selected altitude
// latches "altlock"; after that, leaving the ±300 ft band while altitude hold is on sounds the
// alert until the aircraft is back inside it, the hold goes off or a new target clears the
// latch. The alert light shows while the aircraft is between 300 and 900 ft from the target.
#include <cmath>
#include <cstdint>

#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(altlock);

constexpr double CaptureBand = 300;  // feet from the selected altitude, strictly inside
constexpr double AlertBand = 900;    // the light shows strictly between the two bands
constexpr std::int32_t ReferenceStep = 10;
constexpr const char* AltitudeAlert = "TJ20_ALTITUDE.wav";

struct State {
    u32 alertlight = 0;
    std::int32_t refmarker = 0;  // feet on the 1000-ft dial, no limits
};
State st;

constinit SimTable simvars{sim::Altitude, sim::SelectedAltitude, sim::AltitudeHold, sim::BarometricSettingMillibars,
                           sim::BarometricSettingInches};

double altitude() { return simvars[sim::Altitude]; }

// Drum digits: each drum turns with the one below it.
double digitAbove(double v, double place) { return std::fmod((v - std::fmod(v, place)) / place, 10); }

constinit NeedleTable pointerScale{NeedlePoint{0, 132, 19}, NeedlePoint{500, 132, 253}};
constinit NeedleTable referenceScale{NeedlePoint{0, 132, 5}, NeedlePoint{200, 244, 99}, NeedlePoint{400, 202, 230},
                                     NeedlePoint{600, 64, 231}, NeedlePoint{800, 22, 99}};

constexpr TextStyle readout{White, 0, 0, "Courier New", 400};
constexpr auto none = [] { return 0; };

constinit Chain elements{
    image(0x100), movingImage(0x1100, {59, 79}, 0.0, none, 8.9, [] { return digitAbove(altitude(), 10000); }),
    movingImage(0x1200, {90, 79}, 0.0, none, 9.9, [] { return digitAbove(altitude(), 1000); }),
    movingImage(0x1200, {130, 79}, 0.0, none, 9.9, [] { return digitAbove(altitude(), 100); }),
    // Tens and units on one drum marked every 20 ft, 9.9 px per 10 ft.
    movingImage(0x1300, {161, 79}, 0.0, none, 0.99, [] { return std::fmod(altitude(), 100); }),
    needle(0x1400, {132, 135}, {5, 5}, referenceScale, [] { return st.refmarker; }),
    needle(0x1500, {132, 135}, {6, 110}, pointerScale, [] { return altitude(); }).period(1000),
    text({133, 172}, {50, 14}, readout, "%.2f", [] { return simvars[sim::BarometricSettingInches]; }),
    text({54, 173}, {40, 14}, readout, "%.0f", [] { return simvars[sim::BarometricSettingMillibars]; }),
    icon(0x1600, {16, 19}, 2, [] { return st.alertlight; }).litWhen(Cond::cellEquals(&st.alertlight, 1)),
    icon(0x1700, {0, 0}, 1, none),  // face overlay
};

constinit Areas areas{
    repeat<[] { send(key::BarometricSettingIncrease); }>({37, 227, 26, 39}, Cursor::UpArrow),
    repeat<[] { send(key::BarometricSettingDecrease); }>({15, 227, 21, 39}, Cursor::DownArrow),
    repeat<[] { st.refmarker += ReferenceStep; }>({243, 223, 25, 40}, Cursor::UpArrow),
    repeat<[] { st.refmarker -= ReferenceStep; }>({219, 222, 23, 42}, Cursor::DownArrow),
};

void update() {
    const double d = altitude() - simvars[sim::SelectedAltitude];
    if (-CaptureBand < d && d < CaptureBand && altlock.get() == shared::altlock::NotCaptured)
        altlock.set(shared::altlock::Captured);

    const bool outside = d < -CaptureBand || d > CaptureBand;
    if (altlock.get() == shared::altlock::Captured && simvars[sim::AltitudeHold] == 1.0 && outside)
        sound::playRepeating(AltitudeAlert);
    else
        sound::stop(AltitudeAlert);

    const bool approachingOrLeaving = (-AlertBand < d && d < -CaptureBand) || (CaptureBand < d && d < AlertBand);
    st.alertlight = approachingOrLeaving ? 1 : 0;
}

void reset() {
    st = {};
    altlock.set(shared::altlock::NotCaptured);
}
}  // namespace

TJ20_GAUGE(rl_tj20_main_altimeter, .sim = simvars, .elements = elements, .areas = areas, .update = update,
           .reset = reset)
