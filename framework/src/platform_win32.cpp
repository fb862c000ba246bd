// Loader on Windows.
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
