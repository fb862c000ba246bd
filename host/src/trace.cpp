#include "tj20host/trace.h"

#include <cstdio>
#include <string>

#include "scenario_names.h"

namespace tj20::host {

namespace {
std::string hex(std::uint32_t v) {
    char b[16];
    std::snprintf(b, sizeof b, "0x%x", v);
    return b;
}

std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (const char c : s) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char b[8];
                    std::snprintf(b, sizeof b, "\\u%04x", c);
                    out += b;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string tickText(double t) {
    char b[32];
    std::snprintf(b, sizeof b, "%g", t);
    return b;
}

const char* soundVerb(SoundRecord::Call c) {
    switch (c) {
        case SoundRecord::Call::Play: return "play";
        case SoundRecord::Call::Stop: return "stop";
        case SoundRecord::Call::Terminate: return "terminate";
    }
    return "?";
}
}  // namespace

void printEvent(std::ostream& out, const Event& e) {
    out << "[cycle " << e.cycle << ", tick " << tickText(e.tick) << "] ";
    switch (e.kind) {
        case Event::Kind::KeyEvent:
            out << "key event " << scenario::describeId(scenario::keyNames(), e.key.id) << " value " << e.key.value;
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
        case Event::Kind::SharedChange: out << e.subject << " " << e.before << " -> " << e.after; break;
        case Event::Kind::Window: out << "window " << e.subject << (e.after ? " shown" : " hidden"); break;
        case Event::Kind::Note: out << e.text; break;
    }
    out << "\n";
}

void printEventJson(std::ostream& out, const Event& e) {
    out << "{\"cycle\":" << e.cycle << ",\"tick\":" << tickText(e.tick) << ",\"kind\":";
    switch (e.kind) {
        case Event::Kind::KeyEvent:
            out << "\"key\",\"id\":" << jsonString(hex(e.key.id));
            for (const auto& n : scenario::keyNames())
                if (n.id == e.key.id) out << ",\"name\":" << jsonString(n.name);
            out << ",\"value\":" << e.key.value
                << ",\"gauge\":" << jsonString(e.key.gauge);
            break;
        case Event::Kind::Sound:
            out << "\"sound\",\"call\":\"" << soundVerb(e.sound.call) << "\",\"path\":" << jsonString(e.sound.path)
                << ",\"alias\":" << jsonString(e.sound.alias) << ",\"repeat\":" << (e.sound.repeat ? "true" : "false")
                << ",\"gauge\":" << jsonString(e.subject);
            break;
        case Event::Kind::SharedChange:
            out << "\"shared\",\"name\":" << jsonString(e.subject) << ",\"before\":" << e.before
                << ",\"after\":" << e.after;
            break;
        case Event::Kind::Window:
            out << "\"window\",\"window\":" << jsonString(e.subject) << ",\"visible\":" << (e.after ? "true" : "false");
            break;
        case Event::Kind::Note: out << "\"note\",\"text\":" << jsonString(e.text); break;
    }
    out << "}\n";
}

void TracePrinter::flush() {
    for (; printed_ < journal_.events.size(); ++printed_) {
        const Event& e = journal_.events[printed_];
        if (json_) {
            printEventJson(out_, e);
            continue;
        }
        closeRepeats(e.cycle);
        if (!fold(e)) printEvent(out_, e);
    }
}

TracePrinter::~TracePrinter() { closeRepeats(UINT64_MAX); }

// A key event sent again, with the same value by the same gauge, in the cycle right after
// its last one is folded into the line already printed.
bool TracePrinter::fold(const Event& e) {
    if (e.kind != Event::Kind::KeyEvent) return false;
    for (auto& r : repeats_) {
        if (r.key.id != e.key.id || r.key.value != e.key.value || r.key.gauge != e.key.gauge) continue;
        if (r.last + 1 == e.cycle || (r.folded && r.last == e.cycle)) {
            r.last = e.cycle;
            r.folded = true;
            return true;
        }
        r = Repeat{e.cycle, e.cycle, false, e.key};
        return false;
    }
    repeats_.push_back(Repeat{e.cycle, e.cycle, false, e.key});
    return false;
}

// Closes the folded runs that ended before this cycle with one line each.
void TracePrinter::closeRepeats(std::uint64_t beforeCycle) {
    std::erase_if(repeats_, [&](const Repeat& r) {
        if (r.last + 1 >= beforeCycle) return false;
        if (r.folded)
            out_ << "[cycle " << r.last << "] key event " << scenario::describeId(scenario::keyNames(), r.key.id)
                 << " from " << r.key.gauge << " was sent in every cycle from " << r.first << " to " << r.last
                 << "\n";
        return true;
    });
}

}  // namespace tj20::host
