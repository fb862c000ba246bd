#include "tj20/gauge_sound.h"

#include <string>
#include <utility>
#include <vector>

#define SOUND_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Call {
    int call;
    std::string path;
    std::string alias;
    int repeat;
};

struct Library {
    std::vector<Call> journal;
    std::vector<std::pair<std::string, std::string>> playing;  // alias, path
};

Library& library() {
    static Library lib;
    return lib;
}

}  // namespace

SOUND_EXPORT int GaugePlaySound(const char* path, const char* alias, int repeat) {
    auto& lib = library();
    const std::string p = path ? path : "";
    const std::string a = alias ? alias : "";
    lib.journal.push_back({Tj20SoundPlay, p, a, repeat});
    if (repeat && !a.empty()) {
        for (const auto& s : lib.playing)
            if (s.first == a) return 1;  // already sounding under this alias: it keeps running
        lib.playing.emplace_back(a, p);
    }
    return 1;
}

SOUND_EXPORT int GaugeStopSound(const char* alias) {
    auto& lib = library();
    const std::string a = alias ? alias : "";
    lib.journal.push_back({Tj20SoundStop, "", a, 0});
    std::erase_if(lib.playing, [&](const auto& s) { return s.first == a; });
    return 1;
}

SOUND_EXPORT int TerminateSounds() {
    auto& lib = library();
    lib.journal.push_back({Tj20SoundTerminate, "", "", 0});
    lib.playing.clear();
    return 1;
}

SOUND_EXPORT void Tj20SoundDrainJournal(Tj20SoundCallVisitor visitor, void* context) {
    auto& lib = library();
    auto calls = std::move(lib.journal);
    lib.journal.clear();
    if (!visitor) return;
    for (const auto& c : calls) visitor(context, c.call, c.path.c_str(), c.alias.c_str(), c.repeat);
}

SOUND_EXPORT void Tj20SoundVisitPlaying(Tj20SoundPlayingVisitor visitor, void* context) {
    if (!visitor) return;
    for (const auto& s : library().playing) visitor(context, s.first.c_str(), s.second.c_str());
}
