#include "tj20host/journal.h"

namespace tj20::host {

void Journal::note(std::uint64_t cycle, double tick, std::string text) {
    Event e;
    e.kind = Event::Kind::Note;
    e.cycle = cycle;
    e.tick = tick;
    e.text = std::move(text);
    events.push_back(std::move(e));
}

}  // namespace tj20::host
