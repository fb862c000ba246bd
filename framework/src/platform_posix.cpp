// Loader on Linux: "GaugeSound" is the file GaugeSound.so, found beside the module
// (the module's run path) or on the loader's search path.
#include <dlfcn.h>

#include <cstdio>

#include "platform.h"

namespace tj20::platform {

namespace {
void fileName(const char* library, char (&out)[64]) { std::snprintf(out, sizeof out, "%s.so", library); }
}  // namespace

void* findLoaded(const char* library) {
    char file[64];
    fileName(library, file);
    void* handle = dlopen(file, RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);  // only look, as the Windows module-handle query does
    return handle;
}

void* load(const char* library) {
    char file[64];
    fileName(library, file);
    return dlopen(file, RTLD_NOW | RTLD_LOCAL);
}

void* symbol(void* library, const char* name) { return library ? dlsym(library, name) : nullptr; }

void release(void* library) {
    if (library) dlclose(library);
}

}  // namespace tj20::platform
