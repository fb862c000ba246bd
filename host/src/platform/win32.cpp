// The host on 32-bit Windows: LoadLibrary for the modules and the sound library, the PE
// reader (panel/pe_reader.cpp) for their files, and an unhandled-exception filter for the
// crash report.
#include <windows.h>
// After windows.h:
#include <fcntl.h>
#include <io.h>

#include <cfloat>
#include <cstdio>

#include "crash_line.h"
#include "os.h"
#include "tj20host/module_file.h"

namespace tj20::host {

ModuleFile readModuleFile(const std::filesystem::path& file) { return readPeModuleFile(file); }

namespace os {

namespace {
constinit CallInProgress now;

const char* exceptionName(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
            return "access violation";
        case EXCEPTION_ILLEGAL_INSTRUCTION:
            return "illegal instruction";
        case EXCEPTION_PRIV_INSTRUCTION:
            return "privileged instruction";
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
            return "integer division by zero";
        case EXCEPTION_STACK_OVERFLOW:
            return "stack overflow";
        case EXCEPTION_IN_PAGE_ERROR:
            return "in-page error";
        case EXCEPTION_BREAKPOINT:
            return "breakpoint";
    }
    return "unhandled exception";
}

LONG WINAPI reportCrash(EXCEPTION_POINTERS* info) {
    const DWORD code = info && info->ExceptionRecord ? info->ExceptionRecord->ExceptionCode : 0;
    CrashLine line;
    line.begin(now).text(" (").text(exceptionName(code)).text(", exception ").number(code, 16).text(")");
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    TerminateProcess(GetCurrentProcess(), CrashExit);
    return EXCEPTION_EXECUTE_HANDLER;
}

std::string lastError() {
    const DWORD code = GetLastError();
    char text[256] = "";
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                             sizeof text, nullptr);
    while (n && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == ' ' || text[n - 1] == '.')) --n;
    return std::string(text, n) + (n ? " " : "") + "(error " + std::to_string(code) + ")";
}
}  // namespace

void* openLibrary(const std::filesystem::path& file, std::string& error) {
    HMODULE library = LoadLibraryW(std::filesystem::absolute(file).c_str());
    if (!library) error = lastError();
    return reinterpret_cast<void*>(library);
}

void* librarySymbol(void* library, const char* name) {
    return library ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name)) : nullptr;
}

void closeLibrary(void* library) {
    if (library) FreeLibrary(static_cast<HMODULE>(library));
}

// A simulator's thread runs the x87 unit at double precision (the control word Windows gives
// a thread, which Microsoft's runtime keeps); the MinGW runtime's start-up chooses extended
// precision, under which the modules' arithmetic would round otherwise than in a simulator
// (and than the native host's: a climb's differential pressure one foot short).
void useSimulatorPrecision() { _controlfp(_PC_53, _MCW_PC); }

bool stderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

void enterModule(const char* module, const char* call) { now = {module, call}; }
void leaveModule() { now = {}; }

void setUpProgram() {
    // No dialog for a crash, a failed load or a missing disk: the report line says it all.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(reportCrash);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace os
}  // namespace tj20::host
