// Running a scenario: parse the whole script, find its modules, load the panel, check every
// gauge, variable, window and element the script names against the loaded panel, and only
// then run the steps. Bad input is reported before the first step (exit 2); a failed
// expectation is reported with what was expected and what the panel showed (exit 1).
//
//   prepare.cpp  everything before the first step: modules, panel, names
//   run.cpp      the run and the steps that act
//   expect.cpp   the steps that check
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "script.h"
#include "tj20host/panel.h"

namespace tj20::host::scenario {

inline constexpr std::string_view ModulePrefix = "rl_tj20_";

// Formatting shared by the messages.
std::string number(double v);
std::string point(Point p);
std::string joined(const std::vector<std::string>& items);

class Runner {
public:
    Runner(Script script, const ScenarioOptions& options, ScenarioResult& result)
        : script_(std::move(script)), options_(options), result_(result) {}

    // Everything that can be known before the first step: the modules, the panel, the names.
    bool prepare();
    void run();

private:
    // ---- reporting
    void report(Diagnostic d);
    void error(int line, std::string message);
    void fail(const Step& step, std::string message);
    // Counts an expectation; reports it when it does not hold.
    void expect(const Step& step, bool holds, const std::string& expected, const std::string& actual);

    // ---- before the first step (prepare.cpp)
    bool findModules();
    bool available(const std::string& module) const;
    std::optional<std::string> moduleNamed(const std::string& name) const;
    std::string notAvailable(const std::string& module) const;
    std::optional<PanelConfig> panelConfig();
    bool gauge(int line, std::string& name);
    void shared(int line, const std::string& name);
    void window(int line, const std::string& name);
    void windowOrGauge(int line, std::string& name);  // what a render step may name

    void check(int line, SetShared& a) { shared(line, a.name); }
    void check(int line, ExpectShared& a) { shared(line, a.name); }
    void check(int line, SetWindow& a) { window(line, a.window); }
    void check(int line, RenderStep& a) {
        for (auto& name : a.windows) windowOrGauge(line, name);
    }
    void check(int line, ExpectWindow& a) { window(line, a.window); }
    void check(int line, ExpectGauge& a) { gauge(line, a.gauge); }
    void check(int line, ExpectKeys& a) {
        if (!a.gauge.empty()) gauge(line, a.gauge);
    }
    void check(int line, MouseStep& a) { gauge(line, a.gauge); }
    void check(int line, HoldStep& a) { gauge(line, a.gauge); }
    void check(int line, ExpectElement& a);
    template <typename Other>
    void check(int, Other&) {}

    // ---- the steps that act (run.cpp)
    void execute(const Step&, const NoteStep&) {}
    void execute(const Step&, const SetSim& a);
    void execute(const Step&, const SetShared& a) { panel_->setShared(a.name, a.value); }
    void execute(const Step&, const SetTick& a) { panel_->setTick(a.tick); }
    void execute(const Step&, const SetWindow& a) { panel_->setWindowVisible(a.window, a.visible); }
    void execute(const Step& step, const MouseStep& a);
    void execute(const Step& step, const HoldStep& a);
    void execute(const Step& step, const RunStep& a);
    void execute(const Step& step, const RenderStep& a);
    bool reachable(const Step& step, const std::string& gauge);
    // Between steps and cycles: whether Ctrl-C asked to stop.
    bool interruptRequested() const { return options_.interrupted && *options_.interrupted != 0; }
    // Stops the run at this step, after `done` of its `total` cycles (a run or hold).
    void interrupt(const Step& step, int done, int total);
    // Before each cycle of a run or hold: stops on an interrupt; from time to time shows the
    // progress and hands the trace on to its stream.
    bool beforeCycle(const Step& step, int done, int total);
    void clearProgress();

    // ---- the steps that check (expect.cpp)
    void execute(const Step& step, const ExpectShared& a);
    void execute(const Step& step, const ExpectSim& a);
    void execute(const Step& step, const ExpectKeys& a);
    void execute(const Step& step, const ExpectSounds& a);
    void execute(const Step& step, const ExpectWindow& a);
    void execute(const Step& step, const ExpectGauge& a);
    void execute(const Step& step, const ExpectElement& a);
    // The journal's sequence number where the last check of this kind ended; false (and a
    // failure) when the journal no longer keeps everything since.
    bool sinceLastCheck(const Step& step, std::uint64_t& mark, const char* what);

    Script script_;
    const ScenarioOptions& options_;
    ScenarioResult& result_;
    std::vector<std::string> available_;
    PanelConfig config_;
    std::unique_ptr<Panel> panel_;
    // Where in the journal the last check of each kind ended.
    std::uint64_t keysChecked_ = 0;
    std::uint64_t playedChecked_ = 0;
    std::uint64_t stoppedChecked_ = 0;
    std::chrono::steady_clock::time_point lastUpdate_;  // of the progress line and the trace stream
    std::size_t progressWidth_ = 0;                     // of the progress line shown, 0 when none is
};

}  // namespace tj20::host::scenario
