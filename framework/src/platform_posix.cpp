// Loader on Linux: "GaugeSound" is the file GaugeSound.so, looked up first beside the
// module itself (the panel's module directory), then on the loader's search path. The
// module's own directory is found explicitly rather than through its run path, because a
// loader wrapper (a sanitizer's, for one) may stand between the module and dlopen.
#include <dlfcn.h>

#include <cstdio>
#include <cstring>

#include "platform.h"

namespace tj20::platform {

namespace {
struct Path {
    char text[512];
};

Path besideModule(const char* library) {
    Path p{};
    Dl_info info{};
    const char* slash = nullptr;
    if (dladdr(reinterpret_cast<void*>(&besideModule), &info) && info.dli_fname)
        slash = std::strrchr(info.dli_fname, '/');
    if (slash)
        std::snprintf(p.text, sizeof p.text, "%.*s/%s.so", static_cast<int>(slash - info.dli_fname), info.dli_fname,
                      library);
    return p;
}

Path byName(const char* library) {
    Path p{};
    std::snprintf(p.text, sizeof p.text, "%s.so", library);
    return p;
}

void* open(const char* library, int flags) {
    const Path beside = besideModule(library);
    void* handle = beside.text[0] ? dlopen(beside.text, flags) : nullptr;
    return handle ? handle : dlopen(byName(library).text, flags);
}
}  // namespace

void* findLoaded(const char* library) {
    void* handle = open(library, RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);  // only look, as the Windows module-handle query does
    return handle;
}

void* load(const char* library) { return open(library, RTLD_NOW | RTLD_LOCAL); }

void* symbol(void* library, const char* name) { return library ? dlsym(library, name) : nullptr; }

void release(void* library) {
    if (library) dlclose(library);
}

}  // namespace tj20::platform
