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

}  // namespace

SOUND_EXPORT int GaugePlaySound(const char* path, const char* alias, int repeat) {
    journal().push_back({Tj20SoundPlay, path ? path : "", alias ? alias : "", repeat});
    return 1;
}

SOUND_EXPORT int GaugeStopSound(const char* alias) {
    journal().push_back({Tj20SoundStop, "", alias ? alias : "", 0});
    return 1;
}

SOUND_EXPORT int TerminateSounds() {
    journal().push_back({Tj20SoundTerminate, "", "", 0});
    return 1;
}

SOUND_EXPORT void Tj20SoundDrainJournal(Tj20SoundCallVisitor visitor, void* context) {
    auto calls = std::move(journal());
    journal().clear();
    if (!visitor) return;
    for (const auto& c : calls) visitor(context, c.call, c.path.c_str(), c.alias.c_str(), c.repeat);
}
