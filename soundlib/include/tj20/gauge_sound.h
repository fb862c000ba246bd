// The sound library stand-in "GaugeSound": the three entry points the gauges call, and
// the journal the reference host reads. It makes no noise; the host keeps, from the
// journal, which repeating sounds are playing. Every play and terminate call is journaled;
// a stop only when its alias is sounding (played and not stopped or terminated since), since
// stopping a silent sound changes nothing.
#pragma once

#include <cstddef>

extern "C" {

// Entry points the gauges look up by name.
int GaugePlaySound(const char* path, const char* alias, int repeat);
int GaugeStopSound(const char* alias);
int TerminateSounds();

enum Tj20SoundCall { Tj20SoundPlay = 1, Tj20SoundStop = 2, Tj20SoundTerminate = 3 };

// Hands every journaled call since the last drain to the visitor, oldest first, and forgets them.
typedef void (*Tj20SoundCallVisitor)(void* context, int call, const char* path, const char* alias, int repeat);
void Tj20SoundDrainJournal(Tj20SoundCallVisitor visitor, void* context);
}
