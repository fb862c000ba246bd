#include "tj20host/trace.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "names/id_names.h"

namespace tj20::host {

namespace {
// The length of the well-formed UTF-8 sequence at the start of `s` (RFC 3629: no overlong
// forms, no surrogates, nothing past U+10FFFF), or 0 when it is not one.
std::size_t utf8Length(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b = byte(0);
    std::size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF)
        n = 2;
    else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else
        return 0;
    if (s.size() < n || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < n; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return n;
}

// The text with every byte that is not part of well-formed UTF-8 (a note or a sound path in
// another encoding) replaced by U+FFFD, one for each such byte.
std::string wellFormed(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8Length(s.substr(i));
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(s.substr(i, n));
            i += n;
        }
    }
    return out;
}

// A JSON string of the text, escaped by nlohmann's JSON library. Strings and numbers only go
// through it: a JSON object's destructor there allocates, and would end the program when
// memory runs out while a line is written.
std::string jsonText(std::string_view s) { return nlohmann::json(wellFormed(s)).dump(); }

std::string tickText(double t) {
    char b[32];
    std::snprintf(b, sizeof b, "%g", t);
    return b;
}

// A tick as JSON: a whole tick as an integer (1, not 1.0), any other as the shortest number
// that reads back the same, and one that is not finite (JSON has no infinity or NaN) as null.
nlohmann::json jsonTick(double t) {
    if (!std::isfinite(t)) return nullptr;
    if (t == std::trunc(t) && std::fabs(t) < 9e15) return static_cast<std::int64_t>(t);
    return t;
}

const char* soundVerb(SoundRecord::Call c) {
    switch (c) {
        case SoundRecord::Call::Play:
            return "play";
        case SoundRecord::Call::Stop:
            return "stop";
        case SoundRecord::Call::Terminate:
            return "terminate";
    }
    return "?";
}
}  // namespace

void printEvent(std::ostream& out, const Event& e) {
    out << "[cycle " << e.cycle << ", tick " << tickText(e.tick) << "] ";
    switch (e.kind) {
        case Event::Kind::KeyEvent:
            out << "key event " << describeId(keyNames(), e.key.id) << " value " << e.key.value;
            if (!e.key.gauge.empty()) out << " from " << e.key.gauge;
            break;
        case Event::Kind::Sound:
            out << "sound " << soundVerb(e.sound.call);
            if (e.sound.call == SoundRecord::Call::Play)
                out << " " << e.sound.path << (e.sound.repeat ? " repeating" : " once");
            else if (e.sound.call == SoundRecord::Call::Stop)
                out << " " << e.sound.alias;
            if (!e.subject.empty()) out << " by " << e.subject;
            break;
        case Event::Kind::SharedChange:
            out << e.subject << " " << e.before << " -> " << e.after;
            break;
        case Event::Kind::Window:
            out << "window " << e.subject << (e.after ? " shown" : " hidden");
            break;
        case Event::Kind::Element:
            out << e.subject << " icon " << e.element;
            if (e.visible != e.wasVisible) out << (e.visible ? " shown" : " hidden");
            if (e.before != e.after) out << " image " << e.before << " -> " << e.after;
            break;
        case Event::Kind::Note:
            out << e.text;
            break;
    }
    out << "\n";
}

void printEventJson(std::ostream& out, const Event& e) {
    out << "{\"cycle\":" << e.cycle << ",\"tick\":" << jsonTick(e.tick).dump() << ",\"kind\":";
    switch (e.kind) {
        case Event::Kind::KeyEvent:
            out << "\"key\",\"id\":" << jsonText(hex(e.key.id));
            if (const char* name = nameOf(keyNames(), e.key.id)) out << ",\"name\":" << jsonText(name);
            out << ",\"value\":" << e.key.value << ",\"gauge\":" << jsonText(e.key.gauge);
            break;
        case Event::Kind::Sound:
            out << "\"sound\",\"call\":\"" << soundVerb(e.sound.call) << "\",\"path\":" << jsonText(e.sound.path)
                << ",\"alias\":" << jsonText(e.sound.alias) << ",\"repeat\":" << (e.sound.repeat ? "true" : "false")
                << ",\"gauge\":" << jsonText(e.subject);
            break;
        case Event::Kind::SharedChange:
            out << "\"shared\",\"name\":" << jsonText(e.subject) << ",\"before\":" << e.before
                << ",\"after\":" << e.after;
            break;
        case Event::Kind::Window:
            out << "\"window\",\"window\":" << jsonText(e.subject) << ",\"visible\":" << (e.after ? "true" : "false");
            break;
        case Event::Kind::Element:
            out << "\"icon\",\"gauge\":" << jsonText(e.subject) << ",\"element\":" << jsonText(e.element)
                << ",\"before\":" << e.before << ",\"after\":" << e.after
                << ",\"visible\":" << (e.visible ? "true" : "false");
            break;
        case Event::Kind::Note:
            out << "\"note\",\"text\":" << jsonText(e.text);
            break;
    }
    out << "}\n";
}

TracePrinter::TracePrinter(Journal& journal, std::ostream& out, bool json)
    : journal_(journal), out_(out), json_(json), next_(journal.first()) {
    listener_ = journal_.listen([this](const Event&) { flush(); });
}

void TracePrinter::flush() {
    for (next_ = std::max(next_, journal_.first()); next_ < journal_.end(); ++next_) {
        const Event& e = journal_.at(next_);
        if (json_) {
            printEventJson(out_, e);
            continue;
        }
        closeRuns(e.cycle, false, false);
        if (!fold(e)) printEvent(out_, e);
    }
}

void TracePrinter::finish(std::uint64_t currentCycle) {
    flush();
    if (json_) return;
    closeRuns(currentCycle + 1, false, false);  // stopped before the current cycle
    closeRuns(0, true, true);
}

TracePrinter::~TracePrinter() {
    journal_.unlisten(listener_);
    // Also reached while an exception (out of memory) unwinds: the closing lines are a
    // courtesy then, and a failure to print them must not end the program.
    try {
        if (!json_) closeRuns(0, true, false);
    } catch (...) {
    }
}

namespace {
std::string runKey(const Event& e) {
    if (e.kind == Event::Kind::KeyEvent)
        return "key " + std::to_string(e.key.id) + " " + std::to_string(e.key.value) + " " + e.key.gauge;
    if (e.kind == Event::Kind::SharedChange) return "var " + e.subject;
    if (e.kind == Event::Kind::Element) return "icon " + e.subject + " " + e.element;
    // A warning that plays or stops its sound on every update while its condition holds.
    if (e.kind == Event::Kind::Sound && e.sound.call != SoundRecord::Call::Terminate)
        return std::string("sound ") + soundVerb(e.sound.call) + " " + e.sound.path + " " + e.sound.alias + " " +
               e.subject;
    return {};
}
}  // namespace

// An event that recurs in the cycle right after its last occurrence is folded once it has
// recurred in two cycles running.
bool TracePrinter::fold(const Event& e) {
    const std::string key = runKey(e);
    if (key.empty()) return false;
    for (auto& r : runs_) {
        if (r.key != key) continue;
        if (r.folded && r.last.cycle == e.cycle) {
            r.last = e;
            return true;
        }
        if (r.last.cycle + 1 == e.cycle) {
            r.last = e;
            if (++r.seen <= 2) return false;  // a short run reads better in full
            r.folded = true;
            return true;
        }
        r = Run{key, e, e, 1, false};
        return false;
    }
    runs_.push_back(Run{key, e, e, 1, false});
    return false;
}

// Closes, with one line each, the folded runs that did not recur in the cycle before this one
// (or all of them, at the end).
void TracePrinter::closeRuns(std::uint64_t cycle, bool atEnd, bool stillGoing) {
    std::erase_if(runs_, [&](const Run& r) {
        if (!atEnd && r.last.cycle + 1 >= cycle) return false;
        if (!r.folded) return true;
        out_ << "[cycle " << r.last.cycle << ", tick " << tickText(r.last.tick) << "] ";
        if (r.first.kind == Event::Kind::KeyEvent)
            out_ << "key event " << describeId(keyNames(), r.first.key.id) << " from " << r.first.key.gauge
                 << " went out in every cycle from " << r.first.cycle << " to " << r.last.cycle;
        else if (r.first.kind == Event::Kind::Sound)
            out_ << "sound " << soundVerb(r.first.sound.call) << " "
                 << (r.first.sound.call == SoundRecord::Call::Play ? r.first.sound.path : r.first.sound.alias)
                 << (r.first.subject.empty() ? "" : " by " + r.first.subject) << " in every cycle from "
                 << r.first.cycle << " to " << r.last.cycle;
        else if (r.first.kind == Event::Kind::Element)
            out_ << r.first.subject << " icon " << r.first.element << " reached image " << r.last.after
                 << (r.last.visible ? "" : " (hidden)") << ", changing in every cycle from " << r.first.cycle << " to "
                 << r.last.cycle;
        else
            out_ << r.first.subject << " reached " << r.last.after << ", changing in every cycle from " << r.first.cycle
                 << " to " << r.last.cycle;
        out_ << (stillGoing ? " (still going)" : "") << "\n";
        return true;
    });
}

}  // namespace tj20::host
