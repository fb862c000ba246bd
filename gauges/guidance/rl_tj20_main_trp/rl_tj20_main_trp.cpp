// Thrust rating panel: six rating buttons (T.O., TO FLX, GA, MCT, CL, CR) with their lights,
// the ram air temperature readout and the EPR limit of the selected rating. The limit goes
// to the autothrottle's lever table ("eprlim") and to the limit marks of the EPR gauges
// ("eprlimit"); the rating goes to the mode annunciator and the guidance panel ("trcmode").
#include <array>
#include <limits>
#include <span>

#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(eprlim, eprlimit, trcmode);
TJ20_BOUND(assumedtemp);

constexpr std::size_t Ratings = 6;  // T.O., TO FLX, GA, MCT, CL, CR: "trcmode" 1 to 6; 0 none

struct State {
    std::array<u32, Ratings> latch{};  // 1 for the button pressed last; drives its light
    u32 mode = 0;                      // selected rating, 0 until a button is pressed
    float rat = 0;                     // ram air temperature, °C
};
State st;

// The Mach number and the empty entry ride along unread.
constinit SimTable simvars{sim::OutsideAirTemperature, sim::RamAirTemperatureScaled, sim::MachNumberRaw,
                           sim::Placeholder};

// One temperature band of a limit table: above the previous band's top, up to and including
// this top (°C). The last band of every table is open above.
struct Band {
    double top;
    float epr;
};
constexpr double Above = std::numeric_limits<double>::infinity();

// clang-format off
constexpr Band takeoff[] = {
    {16, 2.09f}, {24, 2.07f}, {26, 2.05f}, {28, 2.03f}, {32, 2.01f}, {34, 1.99f}, {36, 1.97f}, {38, 1.95f},
    {41, 1.93f}, {43, 1.91f}, {46, 1.89f}, {Above, 1.86f}};
constexpr Band flexTakeoff[] = {
    {14, 2.09f}, {22, 2.07f}, {26, 2.05f}, {28, 2.03f}, {31, 2.01f}, {34, 1.99f}, {36, 1.97f}, {38, 1.95f},
    {41, 1.93f}, {43, 1.91f}, {46, 1.89f}, {48, 1.87f}, {Above, 1.85f}};
constexpr Band goAround[] = {
    {14, 2.09f}, {22, 2.08f}, {26, 2.06f}, {28, 2.04f}, {31, 2.02f}, {34, 2.00f}, {36, 1.98f}, {38, 1.96f},
    {41, 1.94f}, {43, 1.92f}, {46, 1.90f}, {48, 1.88f}, {Above, 1.86f}};
constexpr Band maxContinuous[] = {
    {6, 2.08f},  {12, 2.06f}, {16, 2.04f}, {20, 2.02f}, {24, 2.00f}, {26, 1.98f}, {29, 1.96f}, {32, 1.94f},
    {34, 1.92f}, {37, 1.90f}, {40, 1.88f}, {42, 1.86f}, {45, 1.84f}, {Above, 1.80f}};
constexpr Band climb[] = {
    {-15, 2.08f}, {-10, 2.05f}, {-5, 2.01f}, {0, 1.98f},  {5, 1.95f},  {15, 1.94f}, {20, 1.93f}, {25, 1.84f},
    {30, 1.81f},  {35, 1.77f},  {40, 1.73f}, {45, 1.67f}, {Above, 1.61f}};
constexpr Band cruise[] = {
    {-30, 2.05f}, {-25, 2.02f}, {-20, 1.99f}, {-15, 1.95f}, {-10, 1.91f}, {-5, 1.88f}, {0, 1.84f}, {5, 1.81f},
    {10, 1.78f},  {15, 1.74f},  {20, 1.69f},  {25, 1.65f},  {30, 1.60f},  {Above, 1.55f}};
// clang-format on

// Each rating's table and the temperature it is entered with: T.O. the outside air, TO FLX
// the assumed temperature, the others the ram air temperature.
struct Rating {
    std::span<const Band> bands;
    double (*temperature)();
};
double outsideAir() { return simvars[sim::OutsideAirTemperature]; }
double assumed() { return assumedtemp.get(); }
double ramAir() { return st.rat; }

constexpr Rating ratings[Ratings] = {
    {takeoff, outsideAir},   {flexTakeoff, assumed}, {goAround, ramAir},
    {maxContinuous, ramAir}, {climb, ramAir},        {cruise, ramAir},
};

float lookUp(std::span<const Band> bands, double temperature) {
    for (const Band& band : bands)
        if (temperature <= band.top) return band.epr;
    return bands.back().epr;  // a temperature that compares with nothing (NaN): the lowest limit
}

// Drawing the EPR LIM readout looks up the selected rating's limit and publishes it as
// "eprlim", × 100 truncated; with no rating selected the limit is 0.
double eprLimitReadout() {
    float limit = 0;
    if (st.mode >= 1 && st.mode <= Ratings) {
        const Rating& r = ratings[st.mode - 1];
        limit = lookUp(r.bands, r.temperature());
    }
    eprlim.set(saturate<u32>(static_cast<double>(limit) * 100.0));
    return limit;
}

constinit Chain elements{
    image(0x100),
    icon(0x1100, {19, 205}, 2, [] { return st.latch[0]; }).alwaysLit(),
    icon(0x1200, {63, 205}, 2, [] { return st.latch[1]; }).alwaysLit(),
    icon(0x1300, {107, 205}, 2, [] { return st.latch[2]; }).alwaysLit(),
    icon(0x1400, {19, 248}, 2, [] { return st.latch[3]; }).alwaysLit(),
    icon(0x1500, {63, 248}, 2, [] { return st.latch[4]; }).alwaysLit(),
    icon(0x1600, {107, 248}, 2, [] { return st.latch[5]; }).alwaysLit(),
    text({69, 57}, {30, 20}, {}, "%2.0f", [] { return st.rat; }).alwaysLit(),
    text({56, 137}, {50, 20}, {}, "%.2f", [] { return eprLimitReadout(); }).alwaysLit(),
};

// A rating button lights itself and puts out the other five.
template <std::size_t I>
void select() {
    st.latch = {};
    st.latch[I] = 1;
}

constinit Areas areas{
    press<select<0>>({19, 205, 33, 33}), press<select<1>>({63, 205, 33, 33}), press<select<2>>({107, 205, 33, 33}),
    press<select<3>>({19, 248, 33, 33}), press<select<4>>({63, 248, 33, 33}), press<select<5>>({107, 248, 34, 33}),
};

void update() {
    for (std::size_t i = 0; i < Ratings; ++i)
        if (st.latch[i] == 1) st.mode = static_cast<u32>(i + 1);
    eprlimit.set(eprlim.get());  // the limit of the last readout drawn
    trcmode.set(st.mode);
    st.rat = static_cast<float>(256.0 * simvars[sim::RamAirTemperatureScaled]);
}

void reset() {
    st = {};
    setAll(0, eprlim, eprlimit, trcmode, assumedtemp);
}
}  // namespace

TJ20_GAUGE(rl_tj20_main_trp, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
