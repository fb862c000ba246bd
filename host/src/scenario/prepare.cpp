// Before the first step of a scenario: the module directory, the panel configuration and
// the panel itself, then every gauge, shared variable, window and element the script names,
// checked against the loaded panel.
#include <algorithm>

#include "runner.h"
#include "suggest.h"
#include "tj20host/input_file.h"

namespace tj20::host::scenario {

bool Runner::prepare() {
    const std::size_t before = result_.diagnostics.size();
    if (!findModules()) return false;
    const auto config = panelConfig();
    if (!config) return false;
    config_ = *config;
    try {
        panel_ = Panel::load(*config, {options_.moduleDir});
    } catch (const std::bad_alloc&) {
        throw;  // not the panel's fault: the command line reports it
    } catch (const std::exception& e) {
        error(script_.loadLine, std::string("the panel does not load: ") + e.what());
        return false;
    }
    for (auto& step : script_.steps) std::visit([&](auto& a) { check(step.line, a); }, step.action);
    return result_.diagnostics.size() == before;
}

bool Runner::findModules() {
    const auto& dir = options_.moduleDir;
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) {
        const bool exists = std::filesystem::exists(dir, ec);
        error(script_.loadLine,
              "the module directory " + dir.string() + (exists ? " is not a directory" : " does not exist"));
        return false;
    }
    available_ = moduleFilesIn(dir);
    if (available_.empty()) {
        error(script_.loadLine, "the module directory " + dir.string() + " holds no gauge modules (*.gau)");
        return false;
    }
    return true;
}

bool Runner::available(const std::string& module) const {
    return std::binary_search(available_.begin(), available_.end(), module);
}

// The module a script names, with or without the rl_tj20_ prefix.
std::optional<std::string> Runner::moduleNamed(const std::string& name) const {
    if (available(name)) return name;
    if (available(std::string(ModulePrefix) + name)) return std::string(ModulePrefix) + name;
    return std::nullopt;
}

std::string Runner::notAvailable(const std::string& module) const {
    std::string message = "module " + module + " is not in " + options_.moduleDir.string();
    auto guess = closest(module, available_);
    if (!guess) guess = closest(std::string(ModulePrefix) + module, available_);
    if (guess) message += " (did you mean " + *guess + "?)";
    return message;
}

std::optional<PanelConfig> Runner::panelConfig() {
    const int line = script_.loadLine;
    PanelConfig config;
    try {
        if (const auto* modules = std::get_if<LoadModules>(&*script_.load)) {
            std::vector<std::string> found;
            bool ok = true;
            for (const auto& m : modules->modules) {
                if (const auto name = moduleNamed(m))
                    found.push_back(*name);
                else {
                    error(line, notAvailable(m));
                    ok = false;
                }
            }
            if (!ok) return std::nullopt;
            return PanelConfig::fromModules(found);
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

bool Runner::gauge(int line, std::string& name) {
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

void Runner::shared(int line, const std::string& name) {
    const auto names = panel_->sharedNames();
    if (std::find(names.begin(), names.end(), name) != names.end()) return;
    std::string message = "no gauge of this panel registers the shared variable " + name;
    if (const auto guess = closest(name, names)) message += " (did you mean " + *guess + "?)";
    error(line, message);
}

// A window is named by its title, its section or its ident, as the panel knows it.
void Runner::windowOrGauge(int line, std::string& name) {
    for (const auto& w : config_.windows)
        if (w.title == name || w.section == name || (!w.ident.empty() && w.ident == name)) return;
    if (panel_->hasGauge(name) || panel_->hasGauge(std::string(ModulePrefix) + name)) {
        gauge(line, name);
        return;
    }
    window(line, name);  // reports the name with the panel's windows
}

void Runner::window(int line, const std::string& name) {
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

void Runner::check(int line, ExpectElement& a) {
    if (!gauge(line, a.element.gauge)) return;
    // The chain is known once its elements were evaluated; before the first cycle that
    // means evaluating them now, as a redraw would (it changes no gauge state).
    auto all = panel_->elements(a.element.gauge);
    if (all.empty()) all = panel_->evaluate(a.element.gauge);
    std::vector<std::size_t> here;
    std::string positions;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].x == a.element.at.x && all[i].y == a.element.at.y) here.push_back(i);
        if (!positions.empty()) positions += ' ';
        positions += point({all[i].x, all[i].y});
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
    const ElementState& e = all[here[static_cast<std::size_t>(a.element.index)]];
    using What = ExpectElement::What;
    const auto need = [&](bool fits, const char* property, const char* kinds) {
        if (!fits)
            error(line, "the element at " + where + " is " + describe(e.kind) + "; '" + property + "' checks " + kinds +
                            " only");
    };
    if (a.what == What::State) need(e.kind == ElementState::Icon, "state", "icons");
    if (a.what == What::Angle) need(e.kind == ElementState::Needle, "angle", "needles");
    if (a.what == What::Text) need(e.kind == ElementState::Text, "text", "text elements");
    if (a.what == What::Offset) need(e.moves(), "offset", "sliders, moving images and sprites");
}

}  // namespace tj20::host::scenario
