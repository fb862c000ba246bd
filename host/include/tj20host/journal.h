// What happened while the panel ran: key events, sounds, shared-variable changes, window
// visibility and what the icons show (image and visibility), in order, each stamped with
// the cycle it happened in. The trace printers
// (trace.h) render it for a person or as JSON lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tj20::host {

struct KeyEventRecord {
    std::uint32_t id = 0;
    std::uint32_t value = 0;
    std::uint64_t cycle = 0;
    std::string gauge;  // the gauge whose callback sent it
};

struct SoundRecord {
    enum class Call { Play, Stop, Terminate } call = Call::Play;
    std::string path;   // as passed, "sound\..."
    std::string alias;  // empty for a one-shot
    bool repeat = false;
    std::uint64_t cycle = 0;
};

struct Event {
    enum class Kind { KeyEvent, Sound, SharedChange, Window, Element, Note } kind = Kind::Note;
    std::uint64_t cycle = 0;
    double tick = 0;
    std::string subject;       // variable, window or gauge name
    std::uint64_t before = 0;  // shared values, window visibility, icon images
    std::uint64_t after = 0;
    std::string element;     // icons: "x,y" or "x,y[n]" on the gauge, as scenarios address it
    bool wasVisible = true;  // icons: visibility before and after
    bool visible = true;
    KeyEventRecord key;
    SoundRecord sound;
    std::string text;  // notes (scenario steps and the like)
};

class Journal {
public:
    std::vector<KeyEventRecord> keyEvents;  // every key event since load, in order
    std::vector<SoundRecord> sounds;        // every sound call since load, in order
    std::vector<Event> events;              // the whole timeline

    void note(std::uint64_t cycle, double tick, std::string text);
};

}  // namespace tj20::host
