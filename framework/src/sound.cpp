// Binding of the sound library and the three calls the gauges make.
#include "tj20/sound.h"

#include "platform.h"
#include "tj20/helpers.h"

namespace tj20::sound {

namespace {
using PlayFn = int (*)(const char* path, const char* alias, int repeat);
using StopFn = int (*)(const char* alias);
using TerminateFn = int (*)();

constexpr const char* LibraryName = "GaugeSound";

struct Binding {
    void* library = nullptr;
    bool held = false;  // the gauge took a hold of its own on the library, which its kill gives back
    PlayFn play = nullptr;
    StopFn stop = nullptr;
    TerminateFn terminate = nullptr;
};
constinit Binding binding;

template <class Fn>
Fn entry(const char* name) {
    return reinterpret_cast<Fn>(platform::symbol(binding.library, name));
}

void lookUpEntryPoints() {
    binding.play = entry<PlayFn>("GaugePlaySound");
    binding.stop = entry<StopFn>("GaugeStopSound");
    binding.terminate = entry<TerminateFn>("TerminateSounds");
}

void play(const char* file, bool repeating) {
    if (!binding.play) return;
    char path[128];
    formatText(path, sizeof path, "sound\\%s", file);
    binding.play(path, repeating ? file : "", repeating ? 1 : 0);
}
}  // namespace

void bind() {
    if (!binding.library) {
        binding.library = platform::load(LibraryName);
        binding.held = binding.library != nullptr;
    }
    lookUpEntryPoints();
}

// Every update takes the handle of the loaded library again (loading it when nobody has) and
// looks up its entry points. While the gauge holds the library itself, the library cannot
// have been unloaded or replaced, so the handle and entry points it has are still the ones a
// look-up would find: nothing to do. A gauge without a hold of its own (the library was
// missing at initialise, or another module loaded it) looks up on every update.
void rebind() {
    if (binding.held) return;
    void* loaded = platform::findLoaded(LibraryName);
    if (!loaded) {
        loaded = platform::load(LibraryName);
        binding.held = loaded != nullptr;
    }
    binding.library = loaded;
    lookUpEntryPoints();
}

void terminate() {
    if (binding.terminate) binding.terminate();
}

// Kill gives back only the hold the gauge took: releasing a handle it merely looked up
// would unload the library from under the modules that still hold it.
void release() {
    if (binding.held) platform::release(binding.library);
    binding = {};
}

void playOnce(const char* file) { play(file, false); }
void playRepeating(const char* file) { play(file, true); }
void stop(const char* file) {
    if (binding.stop) binding.stop(file);
}

}  // namespace tj20::sound
