// Running a scenario: parse the whole script, find its modules, load the panel, check every
// gauge, variable, window and element the script names against the loaded panel, and only
// then run the steps. Bad input is reported before the first step (exit 2); a failed
// expectation is reported with what was expected and what the panel showed (exit 1).
#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <ostream>
#include <set>
#include <sstream>

#include "scenario_names.h"
#include "scenario_script.h"
#include "tj20host/panel.h"
#include "tj20host/trace.h"

namespace tj20::host {

std::string toString(const Diagnostic& d) {
    std::string s = d.file;
    if (d.line > 0) s += ":" + std::to_string(d.line);
    s += d.kind == Diagnostic::Kind::Error ? ": error: " : ": failed: ";
    return s + d.message;
}

namespace scenario {
namespace {

constexpr std::string_view ModulePrefix = "rl_tj20_";

std::string number(double v) {
    std::ostringstream out;
    out.precision(10);
    out << v;
    return out.str();
}

std::string point(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

std::string waveFile(std::string_view path) {
    const auto slash = path.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string joined(const std::vector<std::string>& items) {
    if (items.empty()) return "none";
    std::string s;
    for (const auto& i : items) s += (s.empty() ? "" : ", ") + i;
    return s;
}

// The module files of a directory, by module name.
std::vector<std::string> modulesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
        if (entry.path().extension() == ".gau") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

const char* kindName(std::uint32_t kind) {
    static const char* const names[] = {"a static image", "a needle",       "a text",  "a slider",
                                        "an icon",        "a moving image", "a sprite"};
    return kind < 7 ? names[kind] : "an element of an unknown kind";
}

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

class Runner {
public:
    Runner(Script script, const ScenarioOptions& options, ScenarioResult& result)
        : script_(std::move(script)), options_(options), result_(result) {}

    // Everything that can be known before the first step: the modules, the panel, the names.
    bool prepare() {
        const std::size_t before = result_.diagnostics.size();
        if (!findModules()) return false;
        const auto config = panelConfig();
        if (!config) return false;
        config_ = *config;
        try {
            panel_ = Panel::load(*config, {options_.moduleDir});
        } catch (const std::exception& e) {
            error(script_.loadLine, std::string("the panel does not load: ") + e.what());
            return false;
        }
        for (auto& step : script_.steps) std::visit([&](auto& a) { check(step.line, a); }, step.action);
        return result_.diagnostics.size() == before;
    }

    void run() {
        std::unique_ptr<TracePrinter> trace;
        if (options_.trace)
            trace = std::make_unique<TracePrinter>(panel_->journal(), *options_.trace, options_.traceJson);
        for (const auto& step : script_.steps) {
            // The journal (and so the trace) shows the notes and the actions; expectations
            // speak only when they fail.
            if (const auto* note = std::get_if<NoteStep>(&step.action))
                panel_->journal().note(panel_->cycleCount(), panel_->tick(), note->text);
            else if (!isExpectation(step.action))
                panel_->journal().note(panel_->cycleCount(), panel_->tick(),
                                       "line " + std::to_string(step.line) + ": " + step.source);
            const int failuresBefore = result_.failures;
            try {
                std::visit([&](const auto& a) { execute(step, a); }, step.action);
            } catch (const std::exception& e) {
                fail(step, std::string("the host could not carry out the step: ") + e.what());
                break;
            }
            ++result_.stepsRun;
            if (trace) trace->flush();
            if (options_.failFast && result_.failures > failuresBefore) break;
        }
        if (trace) trace->finish(panel_->cycleCount());
    }

private:
    // ---- reporting
    void report(Diagnostic d) {
        if (options_.report) *options_.report << toString(d) << '\n';
        result_.diagnostics.push_back(std::move(d));
    }
    void error(int line, std::string message) {
        report({Diagnostic::Kind::Error, script_.file, line, std::move(message)});
    }
    void fail(const Step& step, std::string message) {
        ++result_.failures;
        report({Diagnostic::Kind::Failure, script_.file, step.line, step.source + ": " + std::move(message)});
    }
    // Counts an expectation; reports it when it does not hold.
    void expect(const Step& step, bool holds, const std::string& expected, const std::string& actual) {
        ++result_.expectationsChecked;
        if (!holds) fail(step, "expected " + expected + ", actual " + actual);
    }

    // ---- before the first step
    bool findModules() {
        const auto& dir = options_.moduleDir;
        if (!std::filesystem::is_directory(dir)) {
            error(script_.loadLine, "the module directory " + dir.string() + " does not exist");
            return false;
        }
        available_ = modulesIn(dir);
        if (available_.empty()) {
            error(script_.loadLine, "the module directory " + dir.string() + " holds no gauge modules (*.gau)");
            return false;
        }
        return true;
    }

    bool available(const std::string& module) const {
        return std::binary_search(available_.begin(), available_.end(), module);
    }

    // The module a script names, with or without the rl_tj20_ prefix.
    std::optional<std::string> moduleNamed(const std::string& name) const {
        if (available(name)) return name;
        if (available(std::string(ModulePrefix) + name)) return std::string(ModulePrefix) + name;
        return std::nullopt;
    }

    std::string notAvailable(const std::string& module) const {
        std::string message = "module " + module + " is not in " + options_.moduleDir.string();
        auto guess = closest(module, available_);
        if (!guess) guess = closest(std::string(ModulePrefix) + module, available_);
        if (guess) message += " (did you mean " + *guess + "?)";
        return message;
    }

    std::optional<PanelConfig> panelConfig() {
        const int line = script_.loadLine;
        PanelConfig config;
        try {
            if (std::holds_alternative<LoadModules>(*script_.load)) {
                std::vector<std::string> modules;
                bool ok = true;
                for (const auto& m : std::get<LoadModules>(*script_.load).modules) {
                    if (const auto found = moduleNamed(m))
                        modules.push_back(*found);
                    else {
                        error(line, notAvailable(m));
                        ok = false;
                    }
                }
                if (!ok) return std::nullopt;
                return PanelConfig::fromModules(modules);
            }
            if (std::holds_alternative<LoadDefault>(*script_.load)) {
                if (options_.defaultConfig.empty()) {
                    error(line, "no default panel configuration is known here; use 'load config <file>'");
                    return std::nullopt;
                }
                config = PanelConfig::read(options_.defaultConfig);
            } else {
                config = PanelConfig::read(std::get<LoadConfig>(*script_.load).file);
            }
        } catch (const LoadError& e) {
            error(line, e.what());
            return std::nullopt;
        }
        bool ok = true;
        for (const auto& w : config.windows)
            for (const auto& g : w.gauges)
                if (!available(g.module)) {
                    error(line, config.source + ":" + std::to_string(g.line) + ": " + notAvailable(g.module));
                    ok = false;
                }
        if (!ok) return std::nullopt;
        return config;
    }

    bool gauge(int line, std::string& name) {
        if (panel_->hasGauge(name)) return true;
        if (panel_->hasGauge(std::string(ModulePrefix) + name)) {
            name = std::string(ModulePrefix) + name;
            return true;
        }
        std::string message = "the panel has no gauge " + name;
        if (const auto guess = closest(name, panel_->gauges())) message += " (did you mean " + *guess + "?)";
        error(line, message);
        return false;
    }

    void shared(int line, const std::string& name) {
        const auto names = panel_->sharedNames();
        if (std::find(names.begin(), names.end(), name) != names.end()) return;
        std::string message = "no gauge of this panel registers the shared variable " + name;
        if (const auto guess = closest(name, names)) message += " (did you mean " + *guess + "?)";
        error(line, message);
    }

    // A window is named by its title, its section or its ident, as the panel knows it.
    void window(int line, const std::string& name) {
        try {
            panel_->windowVisible(name);
        } catch (const std::invalid_argument&) {
            std::vector<std::string> names;
            for (const auto& w : config_.windows) {
                names.push_back(w.title.find(' ') == std::string::npos ? w.title : "\"" + w.title + "\"");
                if (!w.ident.empty()) names.push_back(w.ident);
            }
            error(line, "the panel has no window " + name + " (windows: " + joined(names) + ")");
        }
    }

    void check(int line, SetShared& a) { shared(line, a.name); }
    void check(int line, ExpectShared& a) { shared(line, a.name); }
    void check(int line, SetWindow& a) { window(line, a.window); }
    void check(int line, ExpectWindow& a) { window(line, a.window); }
    void check(int line, ExpectGauge& a) { gauge(line, a.gauge); }
    void check(int line, ExpectKeys& a) {
        if (!a.gauge.empty()) gauge(line, a.gauge);
    }
    void check(int line, MouseStep& a) { gauge(line, a.gauge); }
    void check(int line, HoldStep& a) { gauge(line, a.gauge); }
    void check(int line, ExpectElement& a) {
        if (!gauge(line, a.element.gauge)) return;
        // The chain is known once its elements were evaluated; before the first cycle that
        // means evaluating them now, as a redraw would (it changes no gauge state).
        auto all = panel_->elements(a.element.gauge);
        if (all.empty()) all = panel_->evaluate(a.element.gauge);
        std::vector<std::size_t> here;
        std::string positions;
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i].x == a.element.at.x && all[i].y == a.element.at.y) here.push_back(i);
            positions += (positions.empty() ? "" : " ") + point({all[i].x, all[i].y});
        }
        const std::string where = a.element.gauge + " " + point(a.element.at);
        if (here.empty()) {
            error(line,
                  a.element.gauge + " has no element at " + point(a.element.at) + " (elements at: " + positions + ")");
            return;
        }
        if (static_cast<std::size_t>(a.element.index) >= here.size()) {
            error(line, where + " holds " + std::to_string(here.size()) + " element(s); index " +
                            std::to_string(a.element.index) + " is past them (the first is [0])");
            return;
        }
        const std::uint32_t kind = all[here[static_cast<std::size_t>(a.element.index)]].kind;
        using What = ExpectElement::What;
        const auto need = [&](std::uint32_t wanted, const char* property, const char* kinds) {
            if (kind != wanted)
                error(line, "the element at " + where + " is " + kindName(kind) + "; '" + property + "' checks " +
                                kinds + " only");
        };
        if (a.what == What::State) need(4, "state", "icons");
        if (a.what == What::Angle) need(1, "angle", "needles");
        if (a.what == What::Text) need(2, "text", "text elements");
    }
    template <typename Other>
    void check(int, Other&) {}

    // ---- the steps
    void execute(const Step&, const NoteStep&) {}
    void execute(const Step&, const SetSim& a) {
        if (a.value.digits)
            panel_->sim().setDigits(a.var.id, a.value.packed);
        else
            panel_->sim().set(a.var.id, a.value.number);
    }
    void execute(const Step&, const SetShared& a) { panel_->setShared(a.name, a.value); }
    void execute(const Step&, const SetTick& a) { panel_->setTick(a.tick); }
    void execute(const Step&, const SetWindow& a) { panel_->setWindowVisible(a.window, a.visible); }
    // A pilot reaches only the gauges of the windows on the screen.
    bool reachable(const Step& step, const std::string& gauge) {
        const auto window = panel_->windowOf(gauge);
        if (!window || panel_->windowVisible(*window)) return true;
        fail(step, gauge + " sits in the window " + *window + ", which is hidden: open it first");
        return false;
    }
    void execute(const Step& step, const MouseStep& a) {
        if (!reachable(step, a.gauge)) return;
        const MouseEvent event = a.kind == MouseStep::Kind::Click        ? MouseEvent::Press
                                 : a.kind == MouseStep::Kind::RightClick ? MouseEvent::RightPress
                                                                         : MouseEvent::Drag;
        if (!panel_->mouse(a.gauge, a.at.x, a.at.y, event))
            fail(step, "no mouse area of " + a.gauge + " at " + point(a.at) + " takes this event");
    }
    void execute(const Step& step, const HoldStep& a) {
        if (!reachable(step, a.gauge)) return;
        if (!panel_->hold(a.gauge, a.at.x, a.at.y, a.cycles))
            fail(step, "no mouse area of " + a.gauge + " at " + point(a.at) + " takes a press");
    }
    void execute(const Step&, const RunStep& a) { panel_->run(a.cycles, a.tickStep); }

    void execute(const Step& step, const ExpectShared& a) {
        const std::uint32_t actual = panel_->shared(a.name).value_or(0);
        expect(step, actual == a.value, std::to_string(a.value), std::to_string(actual));
    }

    void execute(const Step& step, const ExpectSim& a) {
        const auto& sim = panel_->sim();
        if (a.value.digits) {
            const std::uint32_t actual = sim.digits(a.var.id);
            expect(step, actual == a.value.packed, hex(a.value.packed), hex(actual));
            return;
        }
        const double actual = sim.get(a.var.id);
        std::string expected = number(a.value.number);
        if (a.tolerance != ExactTolerance) expected += " within " + number(a.tolerance);
        expect(step, std::fabs(actual - a.value.number) <= a.tolerance, expected, number(actual));
    }

    void execute(const Step& step, const ExpectKeys& a) {
        const auto& all = panel_->journal().keyEvents;
        std::vector<KeyEventRecord> sent;
        for (std::size_t i = keysChecked_; i < all.size(); ++i)
            if (a.gauge.empty() || all[i].gauge == a.gauge) sent.push_back(all[i]);
        keysChecked_ = all.size();
        const auto matches = [](const KeyItem& item, const KeyEventRecord& k) {
            return item.key.id == k.id && (!item.value || *item.value == k.value);
        };
        bool holds = true;
        if (a.include) {
            std::size_t next = 0;
            for (const auto& k : sent)
                if (next < a.items.size() && matches(a.items[next], k)) ++next;
            holds = next == a.items.size();
        } else {
            holds = sent.size() == a.items.size() && std::equal(a.items.begin(), a.items.end(), sent.begin(), matches);
        }
        std::vector<std::string> expected, actual;
        for (const auto& item : a.items)
            expected.push_back(describeId(keyNames(), item.key.id) +
                               (item.value ? "=" + std::to_string(*item.value) : ""));
        for (const auto& k : sent)
            actual.push_back(describeId(keyNames(), k.id) + "=" + std::to_string(k.value) +
                             (k.gauge.empty() ? "" : " from " + k.gauge));
        const std::string from = a.gauge.empty() ? "" : "from " + a.gauge + " ";
        expect(step, holds, std::string(a.include ? "among the key events " : "key events ") + from + joined(expected),
               joined(actual));
    }

    void execute(const Step& step, const ExpectSounds& a) {
        using Which = ExpectSounds::Which;
        const auto& calls = panel_->journal().sounds;
        std::vector<std::string> actual;              // as shown in the message
        std::vector<std::vector<std::string>> names;  // what an item may match, per actual entry
        if (a.which == Which::Playing) {
            // The repeating sounds now playing, as the sound library keeps them: a repeating
            // play under an alias starts one unless it already sounds, a stop ends it, and
            // terminating ends them all.
            std::vector<std::pair<std::string, std::string>> playing;  // alias, wave file
            for (const auto& c : calls) {
                if (c.call == SoundRecord::Call::Play && c.repeat && !c.alias.empty() &&
                    std::none_of(playing.begin(), playing.end(), [&](const auto& p) { return p.first == c.alias; }))
                    playing.emplace_back(c.alias, waveFile(c.path));
                else if (c.call == SoundRecord::Call::Stop)
                    std::erase_if(playing, [&](const auto& p) { return p.first == c.alias; });
                else if (c.call == SoundRecord::Call::Terminate)
                    playing.clear();
            }
            for (const auto& [alias, wave] : playing) {
                actual.push_back(alias + " (" + wave + ")");
                names.push_back({alias, wave});
            }
        } else {
            std::size_t& checked = a.which == Which::Played ? playedChecked_ : stoppedChecked_;
            const auto call = a.which == Which::Played ? SoundRecord::Call::Play : SoundRecord::Call::Stop;
            for (std::size_t i = checked; i < calls.size(); ++i) {
                if (calls[i].call != call) continue;
                if (call == SoundRecord::Call::Play) {
                    actual.push_back(waveFile(calls[i].path) + (calls[i].alias.empty() ? "" : " as " + calls[i].alias));
                    names.push_back({waveFile(calls[i].path), calls[i].path, calls[i].alias});
                } else {
                    actual.push_back(calls[i].alias);
                    names.push_back({calls[i].alias});
                }
            }
            checked = calls.size();
        }
        const auto matches = [&](const std::string& item, std::size_t i) {
            return std::find(names[i].begin(), names[i].end(), item) != names[i].end();
        };
        bool holds = true;
        if (a.which == Which::Playing) {
            // A set: every item playing, and (unless include) nothing else.
            std::vector<bool> used(names.size(), false);
            for (const auto& item : a.items) {
                bool found = false;
                for (std::size_t i = 0; i < names.size() && !found; ++i)
                    if (!used[i] && matches(item, i)) used[i] = found = true;
                holds = holds && found;
            }
            if (!a.include) holds = holds && a.items.size() == names.size();
        } else if (a.include) {
            std::size_t next = 0;
            for (std::size_t i = 0; i < names.size(); ++i)
                if (next < a.items.size() && matches(a.items[next], i)) ++next;
            holds = next == a.items.size();
        } else {
            holds = a.items.size() == names.size();
            for (std::size_t i = 0; holds && i < names.size(); ++i) holds = matches(a.items[i], i);
        }
        const char* what = a.which == Which::Played    ? "sounds played "
                           : a.which == Which::Stopped ? "sounds stopped "
                                                       : "sounds playing ";
        expect(step, holds, std::string(a.include ? "among the " : "") + what + joined(a.items), joined(actual));
    }

    void execute(const Step& step, const ExpectWindow& a) {
        const bool actual = panel_->windowVisible(a.window);
        expect(step, actual == a.visible, a.visible ? "shown" : "hidden", actual ? "shown" : "hidden");
    }

    void execute(const Step& step, const ExpectGauge& a) {
        const auto window = panel_->windowOf(a.gauge);
        const bool actual = window && panel_->windowVisible(*window);
        expect(step, actual == a.visible, a.visible ? "shown" : "hidden",
               std::string(actual ? "shown" : "hidden") + (window ? " (window " + *window + ")" : ""));
    }

    void execute(const Step& step, const ExpectElement& a) {
        using What = ExpectElement::What;
        const auto all = panel_->elements(a.element.gauge);
        int seen = 0;
        const ElementState* e = nullptr;
        for (const auto& candidate : all)
            if (candidate.x == a.element.at.x && candidate.y == a.element.at.y && seen++ == a.element.index) {
                e = &candidate;
                break;
            }
        if (!e) {  // validated before the run; a panel cannot lose elements
            fail(step, "the element is gone");
            return;
        }
        const auto yesNo = [](bool b, const char* yes, const char* no) { return std::string(b ? yes : no); };
        const auto close = [&](double actual) {
            std::string expected = number(a.number);
            if (a.tolerance != ExactTolerance) expected += " within " + number(a.tolerance);
            expect(step, std::fabs(actual - a.number) <= a.tolerance, expected, number(actual));
        };
        switch (a.what) {
            case What::State:
                expect(step, e->state == static_cast<int>(a.number), "state " + number(a.number),
                       "state " + std::to_string(e->state));
                break;
            case What::Shown:
            case What::Hidden:
                expect(step, e->visible == (a.what == What::Shown), a.what == What::Shown ? "shown" : "hidden",
                       yesNo(e->visible, "shown", "hidden"));
                break;
            case What::Lit:
            case What::Unlit:
                expect(step, e->lit == (a.what == What::Lit), a.what == What::Lit ? "lit" : "unlit",
                       yesNo(e->lit, "lit", "unlit"));
                break;
            case What::Value:
                close(e->value);
                break;
            case What::Angle:
                close(e->angle);
                break;
            case What::Text:
                expect(step, e->text == a.text, "text \"" + a.text + "\"", "text \"" + e->text + "\"");
                break;
        }
    }

    Script script_;
    const ScenarioOptions& options_;
    ScenarioResult& result_;
    std::vector<std::string> available_;
    PanelConfig config_;
    std::unique_ptr<Panel> panel_;
    std::size_t keysChecked_ = 0;  // key events before this index were seen by an earlier check
    std::size_t playedChecked_ = 0;
    std::size_t stoppedChecked_ = 0;
};

}  // namespace
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
    result.exitCode = result.failures > 0 ? ScenarioFailed : ScenarioPassed;
    return result;
}

ScenarioResult runScenarioFile(const std::filesystem::path& file, const ScenarioOptions& options) {
    std::ifstream in(file);
    if (!in) {
        ScenarioResult result;
        result.exitCode = ScenarioBadInput;
        result.diagnostics.push_back({Diagnostic::Kind::Error, file.string(), 0, "cannot read the scenario file"});
        if (options.report) *options.report << toString(result.diagnostics.back()) << '\n';
        return result;
    }
    std::stringstream text;
    text << in.rdbuf();
    return runScenario(text.str(), file, options);
}

}  // namespace tj20::host
