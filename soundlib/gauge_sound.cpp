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

// Journals a call: 1, or 0 (the call failed, as the simulator's library reports a failure)
// when memory ran out, which must not unwind into the gauge that called.
int journaled(Call call) noexcept {
    try {
        journal().push_back(std::move(call));
        return 1;
    } catch (...) {
        return 0;
    }
}

}  // namespace

SOUND_EXPORT int GaugePlaySound(const char* path, const char* alias, int repeat) {
    try {
        const std::string name = alias ? alias : "";
        if (!name.empty()) sounding().insert(name);
        return journaled({Tj20SoundPlay, path ? path : "", name, repeat});
    } catch (...) {  // the strings of the call could not be made
        return 0;
    }
}

// A stop of an alias that is not sounding changes nothing and is not journaled: warnings stop
// their sounds on every update they are not due, and those calls would crowd out the rest.
SOUND_EXPORT int GaugeStopSound(const char* alias) {
    try {
        const std::string name = alias ? alias : "";
        if (sounding().erase(name) == 0) return 1;  // nothing playing under it: nothing to stop
        return journaled({Tj20SoundStop, "", name, 0});
    } catch (...) {
        return 0;
    }
}

SOUND_EXPORT int TerminateSounds() {
    sounding().clear();
    try {
        return journaled({Tj20SoundTerminate, "", "", 0});
    } catch (...) {
        return 0;
    }
}

SOUND_EXPORT void Tj20SoundDrainJournal(Tj20SoundCallVisitor visitor, void* context) {
    auto calls = std::move(journal());
    journal().clear();
    if (!visitor) return;
    for (const auto& c : calls) visitor(context, c.call, c.path.c_str(), c.alias.c_str(), c.repeat);
}
