// Scenario scripts: plain-text flights that load a panel, drive it (simulator and shared
// values, mouse, cycles) and check what it shows and sends. The language is described in
// docs/scenarios.md. A run parses the whole script, loads the panel, checks every name in
// the script against it, and only then runs the steps, so bad input never half-runs.
#pragma once

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tj20::host {

class Panel;
struct PanelConfig;

struct Diagnostic {
    enum class Kind {
        Error,    // bad input (syntax, unknown name, missing file): nothing ran
        Failure,  // a step ran and did not give what the script expects
    } kind = Kind::Error;
    std::string file;
    int line = 0;  // 0 when the problem belongs to no line of the script
    std::string message;
};

// "scenarios/x.scn:12: failed: ..." / "scenarios/x.scn:3: error: ...".
std::string toString(const Diagnostic& diagnostic);

struct ScenarioOptions {
    std::filesystem::path moduleDir;      // the .gau files and the sound library
    std::filesystem::path defaultConfig;  // what "load default" loads
    bool failFast = false;                // stop at the first failed expectation
    std::ostream* trace = nullptr;        // when set: the steps and the panel's journal as they happen
    bool traceJson = false;               // the trace as JSON lines
    std::ostream* report = nullptr;       // when set: every diagnostic as it arises
    // When set, read between steps and between cycles: once it is non-zero the run stops
    // there, the trace is closed and the result says where (the command line sets it on
    // Ctrl-C). Nothing else is done when it changes.
    const volatile std::sig_atomic_t* interrupted = nullptr;
    // When set: a long run or hold shows on one line, rewritten in place, how many of its
    // cycles are done (the command line passes stderr when it is a terminal).
    std::ostream* progress = nullptr;
    // How often a run or hold updates the progress line and hands the trace on to its stream.
    std::chrono::milliseconds updateInterval{500};
    // Draws the "render" steps' pictures: the windows named (none: every window) into the
    // directory, returning the files written. Unset, a render step fails.
    std::function<std::vector<std::filesystem::path>(const Panel&, const PanelConfig&, const std::filesystem::path&,
                                                     const std::vector<std::string>&)>
        render;
    std::filesystem::path outputDir;  // where a render step's relative directory starts; empty: the working directory
};

// Exit codes of a run, as the command-line program returns them.
enum ScenarioExit {
    ScenarioPassed = 0,
    ScenarioFailed = 1,        // an expectation did not hold
    ScenarioBadInput = 2,      // the script, its panel or the command line is wrong; nothing ran
    ScenarioOutOfMemory = 3,   // the host ran out of memory (the command line reports it)
    ScenarioInterrupted = 130  // stopped by Ctrl-C (128 + SIGINT, as shells report it)
};

struct ScenarioResult {
    int exitCode = ScenarioPassed;
    std::vector<Diagnostic> diagnostics;  // in the order they arose
    int stepsRun = 0;
    int expectationsChecked = 0;
    int failures = 0;
    // Interrupted: the line of the step it stopped in or before (0: before the first step)
    // and, for a run or hold, how many of its cycles were done.
    bool interrupted = false;
    int interruptedLine = 0;
    int interruptedCycles = 0;
};

// Runs a script given as text; `file` names it in messages and anchors relative paths.
ScenarioResult runScenario(std::string_view text, const std::filesystem::path& file, const ScenarioOptions& options);
// Reads and runs a script file: a regular file of at most TextFileLimit bytes
// (tj20host/input_file.h); any other is bad input.
ScenarioResult runScenarioFile(const std::filesystem::path& file, const ScenarioOptions& options);

}  // namespace tj20::host
