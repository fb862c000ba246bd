// Rendering of the panel's journal: one line per event, readable for a person or as JSON
// lines for tools (one object per line, stable keys). Key events are named as the
// framework names them. The readable form folds a key event that a gauge sends again in
// every cycle (the selector and autopilot commands) into its first line and one closing
// line; the JSON form keeps every event.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

#include "tj20host/journal.h"

namespace tj20::host {

void printEvent(std::ostream& out, const Event& event);      // "[c 12 t 30] key 0x10173 (0) from rl_tj20_icon_ovhd_open"
void printEventJson(std::ostream& out, const Event& event);  // {"cycle":12,"tick":30,"kind":"key",...}

// Prints the events journaled since its last flush; at the end it closes the repeats still running.
class TracePrinter {
public:
    TracePrinter(const Journal& journal, std::ostream& out, bool json) : journal_(journal), out_(out), json_(json) {}
    ~TracePrinter();
    TracePrinter(const TracePrinter&) = delete;
    TracePrinter& operator=(const TracePrinter&) = delete;
    void flush();

private:
    struct Repeat {
        std::uint64_t first = 0;  // cycle of the printed occurrence
        std::uint64_t last = 0;   // latest cycle it was sent in
        bool folded = false;      // later occurrences were left out
        KeyEventRecord key;
    };
    void closeRepeats(std::uint64_t beforeCycle);
    bool fold(const Event& e);

    const Journal& journal_;
    std::ostream& out_;
    bool json_;
    std::size_t printed_ = 0;
    std::vector<Repeat> repeats_;
};

}  // namespace tj20::host
