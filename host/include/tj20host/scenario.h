// Scenario scripts: plain-text flights that load a panel, drive it (simulator and shared
// values, mouse, cycles) and check what it shows and sends. The language is described in
// docs/scenarios.md. A run parses the whole script, loads the panel, checks every name in
// the script against it, and only then runs the steps, so bad input never half-runs.
#pragma once

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
    // Draws the "render" steps' pictures: the windows named (none: every window) into the
    // directory, returning the files written. Unset, a render step fails.
    std::function<std::vector<std::filesystem::path>(const Panel&, const PanelConfig&, const std::filesystem::path&,
                                                     const std::vector<std::string>&)>
        render;
    std::filesystem::path outputDir;  // where a render step's relative directory starts; empty: the working directory
};

// Exit codes of a run, as the command-line program returns them.
enum ScenarioExit { ScenarioPassed = 0, ScenarioFailed = 1, ScenarioBadInput = 2 };

struct ScenarioResult {
    int exitCode = ScenarioPassed;
    std::vector<Diagnostic> diagnostics;  // in the order they arose
    int stepsRun = 0;
    int expectationsChecked = 0;
    int failures = 0;
};

// Runs a script given as text; `file` names it in messages and anchors relative paths.
ScenarioResult runScenario(std::string_view text, const std::filesystem::path& file, const ScenarioOptions& options);
// Reads and runs a script file (a missing file is bad input).
ScenarioResult runScenarioFile(const std::filesystem::path& file, const ScenarioOptions& options);

}  // namespace tj20::host
