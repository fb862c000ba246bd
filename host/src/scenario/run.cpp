// Running a scenario: the entry points, the run itself and the steps that act on the panel.
#include <algorithm>
#include <new>
#include <ostream>
#include <sstream>

#include "runner.h"
#include "tj20host/input_file.h"
#include "tj20host/trace.h"

namespace tj20::host {

std::string toString(const Diagnostic& d) {
    std::string s = d.file;
    if (d.line > 0) s.append(":").append(std::to_string(d.line));
    s += d.kind == Diagnostic::Kind::Error ? ": error: " : ": failed: ";
    return s + d.message;
}

namespace scenario {

std::string number(double v) {
    std::ostringstream out;
    out.precision(10);
    out << v;
    return out.str();
}

std::string point(Point p) { return std::to_string(p.x).append(",").append(std::to_string(p.y)); }

std::string joined(const std::vector<std::string>& items) {
    if (items.empty()) return "none";
    std::string s;
    for (const auto& i : items) {
        if (!s.empty()) s += ", ";
        s += i;
    }
    return s;
}

namespace {
bool isExpectation(const Action& a) {
    return std::visit(
        [](const auto& step) {
            using T = std::decay_t<decltype(step)>;
            return std::is_same_v<T, ExpectShared> || std::is_same_v<T, ExpectSim> || std::is_same_v<T, ExpectKeys> ||
                   std::is_same_v<T, ExpectSounds> || std::is_same_v<T, ExpectWindow> ||
                   std::is_same_v<T, ExpectGauge> || std::is_same_v<T, ExpectElement>;
        },
        a);
}
}  // namespace

void Runner::run() {
    // The trace prints what the panel journals as it happens, the notes and actions included.
    std::unique_ptr<TracePrinter> trace;
    if (options_.trace) trace = std::make_unique<TracePrinter>(panel_->journal(), *options_.trace, options_.traceJson);
    for (const auto& step : script_.steps) {
        if (interruptRequested()) {
            interrupt(step, 0, 0);
            break;
        }
        // The journal (and so the trace) shows the notes and the actions; expectations
        // speak only when they fail.
        if (const auto* note = std::get_if<NoteStep>(&step.action))
            panel_->journal().note(panel_->cycleCount(), panel_->tick(), note->text);
        else if (!isExpectation(step.action))
            panel_->journal().note(panel_->cycleCount(), panel_->tick(),
                                   "line " + std::to_string(step.line) + ": " + step.source);
        if (options_.trace) options_.trace->flush();
        lastUpdate_ = std::chrono::steady_clock::now();
        const int failuresBefore = result_.failures;
        try {
            std::visit([&](const auto& a) { execute(step, a); }, step.action);
        } catch (const std::bad_alloc&) {
            clearProgress();
            throw;  // not the script's fault: the command line reports it
        } catch (const std::exception& e) {
            fail(step, std::string("the host could not carry out the step: ") + e.what());
            break;
        }
        clearProgress();
        if (result_.interrupted) break;
        ++result_.stepsRun;
        if (options_.failFast && result_.failures > failuresBefore) break;
    }
    if (trace) trace->finish(panel_->cycleCount());
    if (options_.trace) options_.trace->flush();
}

void Runner::execute(const Step& step, const RunStep& a) {
    panel_->run(a.cycles, a.tickStep, [&](int done) { return beforeCycle(step, done, a.cycles); });
}

void Runner::interrupt(const Step& step, int done, int total) {
    result_.interrupted = true;
    result_.interruptedLine = step.line;
    result_.interruptedCycles = done;
    std::string text = "interrupted ";
    if (total > 0)
        text += "at line " + std::to_string(step.line) + " after " + std::to_string(done) + " of " +
                std::to_string(total) + " cycles";
    else
        text += "before line " + std::to_string(step.line);
    panel_->journal().note(panel_->cycleCount(), panel_->tick(), text);
}

bool Runner::beforeCycle(const Step& step, int done, int total) {
    if (interruptRequested()) {
        interrupt(step, done, total);
        return false;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - lastUpdate_ < options_.updateInterval) return true;
    lastUpdate_ = now;
    if (options_.trace) options_.trace->flush();
    if (options_.progress) {
        const std::string line = script_.file + ":" + std::to_string(step.line) + ": " + std::to_string(done) + " of " +
                                 std::to_string(total) + " cycles";
        *options_.progress << '\r' << line << std::flush;
        progressWidth_ = std::max(progressWidth_, line.size());
    }
    return true;
}

void Runner::clearProgress() {
    if (!options_.progress || progressWidth_ == 0) return;
    *options_.progress << '\r' << std::string(progressWidth_, ' ') << '\r' << std::flush;
    progressWidth_ = 0;
}

void Runner::report(Diagnostic d) {
    if (options_.report) *options_.report << toString(d) << '\n';
    result_.diagnostics.push_back(std::move(d));
}

void Runner::error(int line, std::string message) {
    report({Diagnostic::Kind::Error, script_.file, line, std::move(message)});
}

void Runner::fail(const Step& step, std::string message) {
    ++result_.failures;
    report({Diagnostic::Kind::Failure, script_.file, step.line, step.source + ": " + std::move(message)});
}

void Runner::expect(const Step& step, bool holds, const std::string& expected, const std::string& actual) {
    ++result_.expectationsChecked;
    if (!holds) fail(step, "expected " + expected + ", actual " + actual);
}

void Runner::execute(const Step&, const SetSim& a) {
    if (a.value.digits)
        panel_->sim().setDigits(a.var.id, a.value.packed);
    else
        panel_->sim().set(a.var.id, a.value.number);
}

// A pilot reaches only the gauges of the windows on the screen.
bool Runner::reachable(const Step& step, const std::string& gauge) {
    const auto window = panel_->windowOf(gauge);
    if (!window || panel_->windowVisible(*window)) return true;
    fail(step, gauge + " sits in the window " + *window + ", which is hidden: open it first");
    return false;
}

void Runner::execute(const Step& step, const MouseStep& a) {
    if (!reachable(step, a.gauge)) return;
    const MouseEvent event = a.kind == MouseStep::Kind::Click        ? MouseEvent::Press
                             : a.kind == MouseStep::Kind::RightClick ? MouseEvent::RightPress
                                                                     : MouseEvent::Drag;
    if (!panel_->mouse(a.gauge, a.at.x, a.at.y, event))
        fail(step, "no mouse area of " + a.gauge + " at " + point(a.at) + " takes this event");
}

void Runner::execute(const Step& step, const HoldStep& a) {
    if (!reachable(step, a.gauge)) return;
    const auto check = [&](int done) { return beforeCycle(step, done, a.cycles); };
    if (!panel_->hold(a.gauge, a.at.x, a.at.y, a.cycles, check))
        fail(step, "no mouse area of " + a.gauge + " at " + point(a.at) + " takes a press");
}

void Runner::execute(const Step& step, const RenderStep& a) {
    if (!options_.render) return fail(step, "this host draws no pictures");
    const auto directory = a.directory.is_absolute() ? a.directory : options_.outputDir / a.directory;
    const auto files = options_.render(*panel_, config_, directory, a.windows);
    panel_->journal().note(panel_->cycleCount(), panel_->tick(),
                           "drew " + std::to_string(files.size()) + " window" + (files.size() == 1 ? "" : "s") +
                               " into " + directory.string());
}

}  // namespace scenario

ScenarioResult runScenario(std::string_view text, const std::filesystem::path& file, const ScenarioOptions& options) {
    ScenarioResult result;
    std::vector<Diagnostic> errors;
    scenario::Script script = scenario::parse(text, file, errors);
    const bool syntaxErrors = !errors.empty();
    for (auto& e : errors) {
        if (options.report) *options.report << toString(e) << '\n';
        result.diagnostics.push_back(std::move(e));
    }
    if (!script.load) {
        result.exitCode = ScenarioBadInput;
        return result;
    }
    // Even after a syntax error the lines that did read are checked against the panel, so
    // one run reports every problem of the script; nothing runs either way.
    scenario::Runner runner(std::move(script), options, result);
    if (!runner.prepare() || syntaxErrors) {
        result.exitCode = ScenarioBadInput;
        return result;
    }
    runner.run();
    result.exitCode = result.interrupted ? ScenarioInterrupted : result.failures > 0 ? ScenarioFailed : ScenarioPassed;
    return result;
}

ScenarioResult runScenarioFile(const std::filesystem::path& file, const ScenarioOptions& options) {
    std::string text;
    try {
        text = readInputFile(file, "scenario script", TextFileLimit);
    } catch (const InputFileError& e) {
        ScenarioResult result;
        result.exitCode = ScenarioBadInput;
        result.diagnostics.push_back({Diagnostic::Kind::Error, file.string(), 0, e.problem()});
        if (options.report) *options.report << toString(result.diagnostics.back()) << '\n';
        return result;
    }
    return runScenario(text, file, options);
}

}  // namespace tj20::host
