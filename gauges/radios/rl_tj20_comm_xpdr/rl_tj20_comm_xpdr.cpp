// Transponder control head: the code the simulator squawks, set one digit at a time, and
// three selectors kept in the head (a four-position mode selector, a two-position switch and
// a three-position selector) that nothing else reads.
#include "../heads/packed_digits.h"

namespace {
using namespace tj20;

struct State {
    u32 mode = 0;      // mode selector, 0 to 3
    u32 ident = 0;     // two-position switch, 0 or 1
    u32 selector = 0;  // three-position selector, 0 to 2
};
State st;

constexpr TextStyle readout{White, 0x000000, 0x000000, "Courier New", 400};

constinit Chain elements{
    image(0x100),
    text({179, 24}, {235, 28}, readout, "%04.0f",
         [](const Element& self) { return radio_heads::code(radio_heads::carriedDigits(self)); })
        .carries(sim::TransponderCode)
        .alwaysLit(),
    icon(0x1100, {74, 57}, 4, &st.mode),
    icon(0x1200, {293, 62}, 2, &st.ident),
    icon(0x1300, {330, 13}, 3, &st.selector),
    icon(0x1400, {0, 0}, 2, [] { return 0; }).alwaysLit(),
};

void step(u32& position, int delta, u32 last) {
    position = static_cast<u32>(stepWithin<int>(static_cast<int>(position), delta, 0, static_cast<int>(last)));
}

constinit Areas areas{
    keyArea<key::TransponderThousandsUp>({173, 72, 18, 45}),
    keyArea<key::TransponderHundredsUp>({192, 72, 14, 45}),
    keyArea<key::TransponderTensUp>({207, 72, 17, 45}),
    keyArea<key::TransponderUnitsUp>({225, 72, 18, 45}),
    press<[] { step(st.mode, +1, 3); }>({100, 62, 26, 49}, Cursor::UpArrow),
    press<[] { step(st.mode, -1, 3); }>({76, 62, 23, 49}, Cursor::DownArrow),
    press<[] { st.ident = st.ident == 0 ? 1 : 0; }>({295, 65, 50, 49}),
    press<[] { step(st.selector, +1, 2); }>({347, 12, 22, 31}, Cursor::UpArrow),
    press<[] { step(st.selector, -1, 2); }>({326, 12, 20, 31}, Cursor::DownArrow),
};

void reset() { st = {}; }
}  // namespace

TJ20_GAUGE(rl_tj20_comm_xpdr, .elements = elements, .areas = areas, .reset = reset)
