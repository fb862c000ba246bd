// ENG FIRE DETECT SYS panel: a loop selector (A, BOTH, B) for the left engine, the APU and the
// right engine, each with a LOOP A and a LOOP B light. During the fire test of the fire handle
// panel ("loopstest") the lights of the loops each selector includes come on; the lights test
// keeps them dark. No update logic: the lights are decided when drawn.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(lengloopsw, apuloopsw, rengloopsw);
TJ20_BOUND(lightstestsw, loopstest, ohpanel);

using Loop = shared::lengloopsw;

// A selector includes loop A at A or BOTH, loop B at BOTH or B.
template <const Owned& Selector, u32 Which>
u32 loopLight() {
    const bool included = Which == Loop::LoopA ? Selector.get() <= Loop::Both : Selector.get() >= Loop::Both;
    return loopstest.get() == 1 && lightstestsw.get() == 0 && included ? 1 : 0;
}

template <const Owned& Selector, u32 Which>
constexpr Element loopLamp(abi::u32 bitmap, Point at) {
    return icon(bitmap, at, 3, [] { return loopLight<Selector, Which>(); }).alwaysLit();
}

constinit Chain elements{
    image(0x100),
    icon(0x1100, {0, 0}, 2, ohpanel).alwaysLit(),
    icon(0x1200, {74, 171}, 3, lengloopsw),
    icon(0x1300, {161, 95}, 3, apuloopsw),
    icon(0x1400, {247, 171}, 3, rengloopsw),
    loopLamp<lengloopsw, Loop::LoopA>(0x1500, {68, 114}),
    loopLamp<lengloopsw, Loop::LoopB>(0x1600, {68, 249}),
    loopLamp<apuloopsw, Loop::LoopA>(0x1700, {155, 38}),
    loopLamp<apuloopsw, Loop::LoopB>(0x1800, {155, 173}),
    loopLamp<rengloopsw, Loop::LoopA>(0x1900, {241, 114}),
    loopLamp<rengloopsw, Loop::LoopB>(0x1a00, {241, 249}),
};

// Upper half one step toward A, lower half one step toward B.
constinit Areas areas{
    press<[] { stepDown(lengloopsw); }>({70, 180, 44, 29}),
    press<[] { stepUp(lengloopsw, Loop::LoopB); }>({70, 210, 44, 25}),
    press<[] { stepDown(apuloopsw); }>({157, 105, 46, 29}),
    press<[] { stepUp(apuloopsw, Loop::LoopB); }>({157, 135, 46, 25}),
    press<[] { stepDown(rengloopsw); }>({244, 182, 41, 27}),
    press<[] { stepUp(rengloopsw, Loop::LoopB); }>({244, 210, 41, 25}),
};

void reset() {
    setAll(Loop::Both, lengloopsw, apuloopsw, rengloopsw);
    setAll(0, lightstestsw, loopstest, ohpanel);
}
}  // namespace

TJ20_GAUGE(rl_tj20_ovhd_firedetect, .elements = elements, .areas = areas, .reset = reset)
