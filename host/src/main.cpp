// tj20host: runs scenario scripts against the built panel.
//
//   tj20host run <script.scn> [--trace] [--json] [--fail-fast] [--modules <dir>] [--panel <file>] [--output <dir>]
//   tj20host render [--modules <dir>] [--panel <file>] [--cycles <n>] [--output <dir>] [<window or gauge>...]
//
// Exit status: 0 every expectation held, 1 one failed, 2 bad input (nothing ran), 3 out of
// memory, 4 a module crashed (one line on stderr names it and the call the host was making),
// 130 interrupted by Ctrl-C (what ran is traced and summed up first).
#include <csignal>
#include <cstdio>
#include <iostream>
#include <new>
#include <string>
#include <string_view>

#include "platform/os.h"
#if TJ20_HOST_RENDER
#include "render_command.h"
#include "tj20host/render.h"
#endif
#include "tj20host/scenario.h"

namespace {

// Set by Ctrl-C; the runner reads it between cycles. The handler does nothing else, and it
// is reset to the default by the first signal, so a second Ctrl-C ends the program at once.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int) {
    interrupted = 1;
    std::signal(SIGINT, SIG_DFL);
}

void catchInterrupt() { std::signal(SIGINT, onInterrupt); }

int usage(std::string_view problem) {
    if (!problem.empty()) std::cerr << "tj20host: " << problem << "\n";
    std::cerr
        << "usage: tj20host run <script.scn> [--trace] [--json] [--fail-fast] [--modules <dir>] [--panel <file>]\n"
           "  --trace      print the steps, key events, sounds and shared-variable changes as they happen\n"
           "  --json       print the trace as JSON lines (implies --trace)\n"
           "  --fail-fast  stop at the first failed expectation\n"
           "  --modules    the directory of the gauge modules (default: "
        << TJ20_PANEL_DIR << ")\n"
        << "  --panel      the configuration 'load default' loads (default: " << TJ20_DEFAULT_PANEL << ")\n"
        << "  --output     where the script's render steps write (default: the working directory)\n"
        << "usage: tj20host render [--modules <dir>] [--panel <file>] [--cycles <n>] [--output <dir>] "
           "[<window or gauge>...]\n"
           "  draws the panel's windows (every window unless some are named) and the gauges named, after <n>\n"
           "  cycles (default 1)\n"
        << "exit status: 0 passed, 1 an expectation failed, 2 bad input (nothing ran), 3 out of memory,\n"
           "  130 interrupted (Ctrl-C)\n";
    return tj20::host::ScenarioBadInput;
}

std::string counted(int n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); }

int run(int argc, char** argv) {
    using namespace tj20::host;
    os::setUpProgram();
    if (argc < 2) return usage("");
    const std::string_view command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        usage("");
        return 0;
    }
    if (command == "render") {
#if TJ20_HOST_RENDER
        const int status = renderCommand(argc - 2, argv + 2, TJ20_PANEL_DIR, TJ20_DEFAULT_PANEL);
        releaseDrawingCaches();
        return status;
#else
        std::cerr << "tj20host: this build of the host draws no pictures (it was built without Cairo)\n";
        return ScenarioBadInput;
#endif
    }
    if (command != "run") return usage("unknown command '" + std::string(command) + "'");

    ScenarioOptions options;
    options.moduleDir = TJ20_PANEL_DIR;
    options.defaultConfig = TJ20_DEFAULT_PANEL;
    options.report = &std::cerr;
    bool trace = false;
    std::string script;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--trace")
            trace = true;
        else if (arg == "--json")
            trace = options.traceJson = true;
        else if (arg == "--fail-fast")
            options.failFast = true;
        else if (arg == "--modules") {
            if (++i == argc) return usage("--modules needs a directory");
            options.moduleDir = argv[i];
        } else if (arg == "--panel") {
            if (++i == argc) return usage("--panel needs a configuration file");
            options.defaultConfig = argv[i];
        } else if (arg == "--output") {
            if (++i == argc) return usage("--output needs a directory");
            options.outputDir = argv[i];
        } else if (arg.starts_with("--"))
            return usage("unknown option '" + std::string(arg) + "'");
        else if (script.empty())
            script = arg;
        else
            return usage("one script at a time");
    }
    if (script.empty()) return usage("run needs a script");
    if (trace) options.trace = &std::cout;
    if (tj20::host::os::stderrIsTerminal()) options.progress = &std::cerr;
    catchInterrupt();
    options.interrupted = &interrupted;
#if TJ20_HOST_RENDER
    options.render = renderSteps(options.moduleDir);
#endif

    const ScenarioResult result = runScenarioFile(script, options);
#if TJ20_HOST_RENDER
    options.render = nullptr;  // the renderer goes before the caches it drew with
    releaseDrawingCaches();
#endif
    if (result.exitCode == ScenarioBadInput) return result.exitCode;
    std::cerr << script << ": ";
    if (result.interrupted) {
        std::cerr << "interrupted at line " << result.interruptedLine;
        if (result.interruptedCycles > 0) std::cerr << " after " << counted(result.interruptedCycles, "cycle");
        std::cerr << ": ";
    }
    std::cerr << counted(result.stepsRun, "step") << ", " << counted(result.expectationsChecked, "expectation") << ", "
              << counted(result.failures, "failure")
              << (result.exitCode == ScenarioPassed   ? ": passed"
                  : result.exitCode == ScenarioFailed ? ": FAILED"
                                                      : "")
              << "\n";
    return result.exitCode;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        // Written without allocating: the memory may still be short.
        static constexpr char message[] = "tj20host: out of memory: the run was abandoned\n";
        std::cout.flush();
        std::fputs(message, stderr);  // stderr is unbuffered: nothing to allocate
        return tj20::host::ScenarioOutOfMemory;
    }
}
