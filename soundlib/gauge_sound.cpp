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

// The calls since the host last drained them.
std::vector<Call>& journal() {
    static std::vector<Call> calls;
    return calls;
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
        return journaled({Tj20SoundPlay, path ? path : "", alias ? alias : "", repeat});
    } catch (...) {  // the strings of the call could not be made
        return 0;
    }
}

SOUND_EXPORT int GaugeStopSound(const char* alias) {
    try {
        return journaled({Tj20SoundStop, "", alias ? alias : "", 0});
    } catch (...) {
        return 0;
    }
}

SOUND_EXPORT int TerminateSounds() {
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
