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
    if (!binding.library) binding.library = platform::load(LibraryName);
    lookUpEntryPoints();
}

void rebind() {
    void* loaded = platform::findLoaded(LibraryName);
    if (!loaded) {
        loaded = platform::load(LibraryName);
        // A hold taken here replaces one that the library's unloading made stale.
    }
    binding.library = loaded;
    lookUpEntryPoints();
}

void terminate() {
    if (binding.terminate) binding.terminate();
}

void release() {
    platform::release(binding.library);
    binding = {};
}

void playOnce(const char* file) { play(file, false); }
void playRepeating(const char* file) { play(file, true); }
void stop(const char* file) {
    if (binding.stop) binding.stop(file);
}

}  // namespace tj20::sound
