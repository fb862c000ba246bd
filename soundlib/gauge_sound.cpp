#include "tj20/gauge_sound.h"

#include <set>
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

// The calls since the host last drained them.
std::vector<Call>& journal() {
    static std::vector<Call> calls;
    return calls;
}

// The aliases started and not stopped since: what a stop can still silence. A one-shot under
// an alias counts too, as the stand-in cannot tell when it would have ended.
std::set<std::string>& sounding() {
    static std::set<std::string> aliases;
    return aliases;
}

}  // namespace

SOUND_EXPORT int GaugePlaySound(const char* path, const char* alias, int repeat) {
    const std::string name = alias ? alias : "";
    if (!name.empty()) sounding().insert(name);
    journal().push_back({Tj20SoundPlay, path ? path : "", name, repeat});
    return 1;
}

// A stop of an alias that is not sounding changes nothing and is not journaled: warnings stop
// their sounds on every update they are not due, and those calls would crowd out the rest.
SOUND_EXPORT int GaugeStopSound(const char* alias) {
    const std::string name = alias ? alias : "";
    if (sounding().erase(name) == 0) return 1;
    journal().push_back({Tj20SoundStop, "", name, 0});
    return 1;
}

SOUND_EXPORT int TerminateSounds() {
    sounding().clear();
    journal().push_back({Tj20SoundTerminate, "", "", 0});
    return 1;
}

SOUND_EXPORT void Tj20SoundDrainJournal(Tj20SoundCallVisitor visitor, void* context) {
    auto calls = std::move(journal());
    journal().clear();
    if (!visitor) return;
    for (const auto& c : calls) visitor(context, c.call, c.path.c_str(), c.alias.c_str(), c.repeat);
}
