// Rendering of the panel's journal: one line per event, readable for a person or as JSON
// lines for tools (one object per line, stable keys). Key events are named as the
// framework names them. The readable form folds what happens again in every cycle (a key
// event a gauge sends on each update, a shared variable counting up or down): the first two
// cycles of a run print as they come, then one closing line says where and when it ended;
// the JSON form keeps every event.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tj20host/journal.h"

namespace tj20::host {

void printEvent(std::ostream& out, const Event& event);  // "[c 12 t 30] key 0x10173 (0) from rl_tj20_icon_ovhd_open"
void printEventJson(std::ostream& out, const Event& event);  // {"cycle":12,"tick":30,"kind":"key",...}

// Prints the events journaled since its last flush; at the end it closes the repeats still running.
class TracePrinter {
public:
    TracePrinter(const Journal& journal, std::ostream& out, bool json) : journal_(journal), out_(out), json_(json) {}
    ~TracePrinter();
    TracePrinter(const TracePrinter&) = delete;
    TracePrinter& operator=(const TracePrinter&) = delete;
    void flush();
    // Flushes, then closes every folded run: those that recurred up to the panel's current
    // cycle are still going, the others stopped. Without it, the end of the trace closes them.
    void finish(std::uint64_t currentCycle);

private:
    // A run of events that recur in consecutive cycles: the first is printed, the rest folded.
    struct Run {
        std::string key;      // what recurs: a key event with its value and sender, or a variable
        Event first;          // the printed occurrence
        Event last;           // the latest occurrence
        int seen = 1;         // consecutive cycles it occurred in so far
        bool folded = false;  // later occurrences were left out
    };
    void closeRuns(std::uint64_t cycle, bool atEnd, bool stillGoing);
    bool fold(const Event& e);

    const Journal& journal_;
    std::ostream& out_;
    bool json_;
    std::size_t printed_ = 0;
    std::vector<Run> runs_;
};

}  // namespace tj20::host
