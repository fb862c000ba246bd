// COM1 control head: the active and the standby frequency, each with a whole-megahertz and a
// fraction knob that repeat while held. The simulator keeps both frequencies; the head shows
// them and tunes them by key events only.
#include "../heads/packed_digits.h"

namespace {
using namespace tj20;
using radio_heads::carriedDigits, radio_heads::frequency;

constexpr TextStyle readout{White, 0x000000, 0x000000, "Courier New", 400};

constinit Chain elements{
    image(0x1400),
    text({63, 38}, {274, 25}, readout, "%3.2f", [](const Element& self) { return frequency(carriedDigits(self)); })
        .carries(sim::Com1Frequency)
        .alwaysLit(),
    text({213, 38}, {124, 25}, readout, "%3.2f", [](const Element& self) { return frequency(carriedDigits(self)); })
        .carries(sim::Com1StandbyFrequency)
        .alwaysLit(),
    icon(0x1500, {0, 0}, 2, [] { return 0; }).alwaysLit(),
};

template <KeyEvent Event>
void tune() {
    send(Event);
}

constinit Areas areas{
    repeat<tune<key::Com1WholeUp>>({98, 78, 33, 26}, Cursor::UpArrow),
    repeat<tune<key::Com1WholeDown>>({65, 78, 32, 26}, Cursor::DownArrow),
    repeat<tune<key::Com1FractionUp>>({98, 105, 33, 26}, Cursor::UpArrow),
    repeat<tune<key::Com1FractionDown>>({65, 105, 32, 26}, Cursor::DownArrow),
    repeat<tune<key::Com1StandbyWholeUp>>({241, 78, 35, 28}, Cursor::UpArrow),
    repeat<tune<key::Com1StandbyWholeDown>>({203, 78, 37, 28}, Cursor::DownArrow),
    repeat<tune<key::Com1StandbyFractionUp>>({241, 107, 35, 25}, Cursor::UpArrow),
    repeat<tune<key::Com1StandbyFractionDown>>({203, 107, 37, 25}, Cursor::DownArrow),
};
}  // namespace

TJ20_GAUGE(rl_tj20_comm_comm1, .elements = elements, .areas = areas)
