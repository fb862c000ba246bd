// The host on Linux: dlopen for the modules and the sound library, the ELF reader
// (panel/elf_reader.cpp) for their files, and a signal handler for the crash report.
#include <dlfcn.h>
#include <signal.h>
#include <unistd.h>

#include "crash_line.h"
#include "os.h"

namespace tj20::host::os {

namespace {
constinit CallInProgress now;

const char* signalName(int signal) {
    switch (signal) {
        case SIGSEGV:
            return "segmentation fault";
        case SIGBUS:
            return "bus error";
        case SIGILL:
            return "illegal instruction";
        case SIGFPE:
            return "arithmetic fault";
    }
    return "fatal signal";
}

void reportCrash(int signal) {
    CrashLine line;
    line.begin(now).text(" (").text(signalName(signal)).text(", signal ").number(static_cast<unsigned>(signal), 10);
    line.text(")");
    (void)!write(STDERR_FILENO, line.data(), line.size());
    _exit(CrashExit);
}

// The handler runs on a stack of its own, so that a module that overran its stack is reported too.
alignas(16) char handlerStack[64 * 1024];
}  // namespace

void* openLibrary(const std::filesystem::path& file, std::string& error) {
    void* library = dlopen(std::filesystem::absolute(file).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) error = dlerror();
    return library;
}

void* librarySymbol(void* library, const char* name) { return library ? dlsym(library, name) : nullptr; }

void closeLibrary(void* library) {
    if (library) dlclose(library);
}

// The x86-64 modules and host compute in SSE2 doubles already.
void useSimulatorPrecision() {}

bool stderrIsTerminal() { return isatty(STDERR_FILENO) != 0; }

void enterModule(const char* module, const char* call) { now = {module, call}; }
void leaveModule() { now = {}; }

void setUpProgram() {
    stack_t stack{};
    stack.ss_sp = handlerStack;
    stack.ss_size = sizeof handlerStack;
    sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_handler = reportCrash;
    action.sa_flags = SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE}) sigaction(signal, &action, nullptr);
}

}  // namespace tj20::host::os
