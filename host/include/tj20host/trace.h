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

// Prints the journal's events as they are journaled (it listens to the journal), starting
// with those the journal still keeps when it is made; at the end it closes the repeats still
// running. The journal must outlive it.
class TracePrinter {
public:
    TracePrinter(Journal& journal, std::ostream& out, bool json);
    ~TracePrinter();
    TracePrinter(const TracePrinter&) = delete;
    TracePrinter& operator=(const TracePrinter&) = delete;
    // Prints what the journal kept from before the printer was made and is not printed yet.
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

    Journal& journal_;
    std::ostream& out_;
    bool json_;
    std::uint64_t next_ = 0;  // sequence number of the next event to print
    int listener_ = -1;
    std::vector<Run> runs_;
};

}  // namespace tj20::host
