#include "tj20/gauge_sound.h"

#include <set>
#include <string>

#if defined(_WIN32)
#include <windows.h>
// The exports are listed in gauge_sound.def: the three entry points and nothing else.
#define SOUND_EXPORT extern "C"
#else
#include <dlfcn.h>
#define SOUND_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

// The loading program's sink, looked up on the first call: the program does not change.
struct Sink {
    bool lookedUp = false;
    Tj20SoundSinkFn fn = nullptr;
};
constinit Sink sink;

Tj20SoundSinkFn programSink() {
    if (!sink.lookedUp) {
#if defined(_WIN32)
        sink.fn = reinterpret_cast<Tj20SoundSinkFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), Tj20SoundSinkName)));
#else
        sink.fn = reinterpret_cast<Tj20SoundSinkFn>(dlsym(RTLD_DEFAULT, Tj20SoundSinkName));
#endif
        sink.lookedUp = true;
    }
    return sink.fn;
}

int pass(int call, const char* path, const char* alias, int repeat) {
    if (const auto fn = programSink()) fn(call, path ? path : "", alias ? alias : "", repeat);
    return 1;
}

// The aliases started and not stopped since: what a stop can still silence. A one-shot under
// an alias counts too, as the stand-in cannot tell when it would have ended.
std::set<std::string>& sounding() {
    static std::set<std::string> aliases;
    return aliases;
}

}  // namespace

// Each entry point returns 1, or 0 (the call failed, as the simulator's library reports a
// failure) when memory ran out keeping its alias: nothing unwinds into the gauge that called.
SOUND_EXPORT int GaugePlaySound(const char* path, const char* alias, int repeat) {
    try {
        if (alias && *alias) sounding().insert(alias);
    } catch (...) {
        return 0;
    }
    return pass(Tj20SoundPlay, path, alias, repeat);
}

// A stop of an alias that is not sounding changes nothing and is not passed on: warnings stop
// their sounds on every update they are not due, and those calls would crowd the journal.
SOUND_EXPORT int GaugeStopSound(const char* alias) {
    try {
        if (sounding().erase(alias ? alias : "") == 0) return 1;
    } catch (...) {
        return 0;
    }
    return pass(Tj20SoundStop, nullptr, alias, 0);
}

SOUND_EXPORT int TerminateSounds() {
    sounding().clear();
    return pass(Tj20SoundTerminate, nullptr, nullptr, 0);
}
