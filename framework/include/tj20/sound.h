// Panel sounds through the sound library "GaugeSound", bound by name at run time.
// Files are passed as "sound\<file>"; a repeating sound's alias is its file name.
#pragma once

namespace tj20::sound {

// Plays once (empty alias).
void playOnce(const char* file);
// Plays until stopped by its file name.
void playRepeating(const char* file);
void stop(const char* file);

// Binding steps of the service dispatch.
void bind();    // initialise: load the library unless held, look up the entry points
void rebind();  // update and kill: take the loaded library (load it if absent), look up again
void terminate();
void release();

}  // namespace tj20::sound
