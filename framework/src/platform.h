// The operating system's loader, as the sound binding uses it.
#pragma once

namespace tj20::platform {

void* findLoaded(const char* library);  // the library if already loaded, without taking a hold
void* load(const char* library);        // loads and takes a hold
void* symbol(void* library, const char* name);
void release(void* library);  // gives the hold back

}  // namespace tj20::platform
