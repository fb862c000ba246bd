// Rendering of the panel's journal: one line per event, readable for a person or as JSON
// lines for tools (one object per line, stable keys).
#pragma once

#include <cstddef>
#include <ostream>

#include "tj20host/journal.h"

namespace tj20::host {

void printEvent(std::ostream& out, const Event& event);      // "[c 12 t 30] key 0x10173 (0) from rl_tj20_icon_ovhd_open"
void printEventJson(std::ostream& out, const Event& event);  // {"cycle":12,"tick":30,"kind":"key",...}

// Prints the events journaled since its last flush.
class TracePrinter {
public:
    TracePrinter(const Journal& journal, std::ostream& out, bool json) : journal_(journal), out_(out), json_(json) {}
    void flush();

private:
    const Journal& journal_;
    std::ostream& out_;
    bool json_;
    std::size_t printed_ = 0;
};

}  // namespace tj20::host
