// The sound library stand-in "GaugeSound": the three entry points the gauges call, and
// nothing else. It makes no noise: it hands each call to the sound sink of the program that
// loaded it, a function that program exports under the name Tj20SoundSink (the reference
// host does, and journals the calls). In a program without one, a simulator, the calls do
// nothing. Every play and terminate call is handed on; a stop only when its alias is sounding
// (played and not stopped or terminated since), since stopping a silent sound changes nothing.
#pragma once

extern "C" {

// Entry points the gauges look up by name.
int GaugePlaySound(const char* path, const char* alias, int repeat);
int GaugeStopSound(const char* alias);
int TerminateSounds();

enum Tj20SoundCall { Tj20SoundPlay = 1, Tj20SoundStop = 2, Tj20SoundTerminate = 3 };

// The program's sink: one call of the library, its path and alias never null ("" for none).
typedef void (*Tj20SoundSinkFn)(int call, const char* path, const char* alias, int repeat);
}

inline constexpr const char* Tj20SoundSinkName = "Tj20SoundSink";
