// What the host asks of the operating system: loading libraries, reading a module's file,
// and a crash report that names the module and the call the host was making into it.
// One implementation per system: posix.cpp (dlopen, ELF) and win32.cpp (LoadLibrary, PE).
#pragma once

#include <filesystem>
#include <string>

namespace tj20::host::os {

// Loads a library from its path; null, and the loader's reason in `error`, when it cannot.
void* openLibrary(const std::filesystem::path& file, std::string& error);
void* librarySymbol(void* library, const char* name);  // a function's or a variable's address
void closeLibrary(void* library);

// The call into a module in progress, for the crash report: the module's name and what the
// host called ("update service call", "mouse callback"). Both must outlive the call.
void enterModule(const char* module, const char* call);
void leaveModule();

// Before the modules run: floating-point arithmetic on this thread as in a simulator's
// process, where doubles round to double precision. (A no-op where the compiler already
// computes in doubles; on 32-bit Windows the x87 unit's precision control.)
void useSimulatorPrecision();

// Whether the standard error stream is a terminal (a person watching, who gets progress).
bool stderrIsTerminal();

// Exit status of a program whose module crashed.
inline constexpr int CrashExit = 4;

// Once, at the start of the command-line program. A crash (an access violation, an illegal
// instruction, ...) ends the program with one line on stderr naming the module and the call
// in progress, and exit status CrashExit; Windows shows no crash dialog. The standard output
// and error streams write line ends as "\n" on every system, so a trace is the same bytes.
void setUpProgram();

}  // namespace tj20::host::os
