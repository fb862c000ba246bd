// Flight data entry panel: the mode selector, seven thumbwheel digits for the data the crew
// enters, and the TEST and EVENT buttons with their lights. The TEST light stays on 3 ticks
// after its button; the EVENT button lights its own light for 3 ticks and the TEST light for
// 90 (5 seconds), and TEST pressed meanwhile does nothing. Nothing outside the panel reads it.
//
// A light goes out on the first update at or past its deadline, so an update that steps over
// the exact tick cannot leave it on.
#include "tj20/gauge.h"

namespace {
using namespace tj20;

TJ20_OWNED(fdrmode, test, evnt, a, b, c, d, e, f, g);
TJ20_BOUND(ohpanel);

constexpr u32 LastMode = 3;
constexpr u32 LastDigit = 9;
constexpr double ShortLightTicks = 3.6;  // whole ticks: 3
constexpr double EventTestLightTicks = 90;

struct State {
    Deadline testOff, eventOff;
    PanelLighting lighting{ohpanel};
};
State st;

constinit SimTable simvars{sim::TickCount};

constexpr Element wheel(abi::u32 bitmap, abi::i32 x, const Owned& digit) {
    return icon(bitmap, {x, 54}, 10, digit).litWhen(st.lighting.lit());
}

constinit Chain elements{
    image(0x100),
    st.lighting.overlay(0x2600),
    icon(0x1100, {261, 30}, 3, fdrmode),
    icon(0x1800, {18, 83}, 2, evnt).alwaysLit(),
    icon(0x1600, {268, 101}, 2, test).alwaysLit(),
    wheel(0x1700, 66, a),
    wheel(0x2000, 93, b),
    wheel(0x2100, 121, c),
    wheel(0x2200, 148, d),
    wheel(0x2300, 175, e),
    wheel(0x2400, 202, f),
    wheel(0x2500, 229, g),
};

double tick() { return simvars[sim::TickCount]; }

void testButton() {
    if (test.get() != 0) return;
    st.testOff.arm(tick(), ShortLightTicks);
    test.set(1);
}

void eventButton() {
    if (evnt.get() != 0) return;
    st.eventOff.arm(tick(), ShortLightTicks);
    st.testOff.arm(tick(), EventTestLightTicks);
    setAll(1, evnt, test);
}

// A thumbwheel's two halves: the lower steps the digit up, the upper down, within 0 to 9.
template <Owned& Digit>
constexpr abi::MouseRect digitUp(Box box) {
    return press<[] { stepUp(Digit, LastDigit); }>(box, Cursor::UpArrow);
}
template <Owned& Digit>
constexpr abi::MouseRect digitDown(Box box) {
    return press<[] { stepDown(Digit); }>(box, Cursor::DownArrow);
}

constinit Areas areas{
    press<[] { stepUp(fdrmode, LastMode); }>({280, 29, 20, 40}, Cursor::UpArrow),
    press<[] { stepDown(fdrmode); }>({259, 29, 20, 40}, Cursor::DownArrow),
    press<testButton>({263, 98, 36, 30}),
    press<eventButton>({18, 83, 25, 22}),
    digitUp<a>({63, 101, 18, 17}),
    digitDown<a>({63, 86, 18, 14}),
    digitUp<b>({89, 101, 20, 16}),
    digitDown<b>({89, 85, 20, 14}),
    digitUp<c>({116, 101, 20, 16}),
    digitDown<c>({116, 86, 20, 14}),
    digitUp<d>({143, 101, 20, 16}),
    digitDown<d>({143, 86, 20, 14}),
    digitUp<e>({171, 101, 19, 16}),
    digitDown<e>({171, 86, 17, 15}),
    digitUp<f>({198, 101, 19, 16}),
    digitDown<f>({198, 87, 19, 13}),
    digitUp<g>({225, 101, 20, 16}),
    digitDown<g>({225, 87, 20, 13}),
};

void update() {
    if (st.testOff.due(tick()) && test.get() == 1) test.set(0);
    if (st.eventOff.due(tick()) && evnt.get() == 1) evnt.set(0);
    st.lighting.follow();
}

void reset() {
    st = {};
    setAll(0, fdrmode, test, evnt, a, b, c, d, e, f, g, ohpanel);
}
}  // namespace

TJ20_GAUGE(rl_tj20_fdrentry, .sim = simvars, .elements = elements, .areas = areas, .update = update, .reset = reset)
