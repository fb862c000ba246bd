#include "tj20/gauge_sound.h"

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

}  // namespace

SOUND_EXPORT int GaugePlaySound(const char* path, const char* alias, int repeat) {
    return pass(Tj20SoundPlay, path, alias, repeat);
}

SOUND_EXPORT int GaugeStopSound(const char* alias) { return pass(Tj20SoundStop, nullptr, alias, 0); }

SOUND_EXPORT int TerminateSounds() { return pass(Tj20SoundTerminate, nullptr, nullptr, 0); }
