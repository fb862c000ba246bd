// Loader on Windows: "GaugeSound" is GaugeSound.dll as the loader's standard search finds it:
// the one already loaded in the process, else the program's folder (the simulator's), the
// system folders, the Windows folder, the current folder and PATH; never this module's own
// folder, so a simulator's own library is the one the gauges play through.
#include <windows.h>

#include "platform.h"

namespace tj20::platform {

void* findLoaded(const char* library) { return reinterpret_cast<void*>(GetModuleHandleA(library)); }

void* load(const char* library) { return reinterpret_cast<void*>(LoadLibraryA(library)); }

void* symbol(void* library, const char* name) {
    return library ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name)) : nullptr;
}

void release(void* library) {
    if (library) FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace tj20::platform
