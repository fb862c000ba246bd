// Reading of panel configuration files.
#include "tj20host/config.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <map>
#include <sstream>

#include "tj20host/panel.h"
#include "windows.h"

namespace tj20::host {

namespace {
std::string trim(std::string_view s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos) return {};
    const auto e = s.find_last_not_of(" \t\r");
    return std::string(s.substr(b, e - b + 1));
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

[[noreturn]] void fail(const std::string& source, int line, const std::string& problem) {
    throw LoadError(source + ":" + std::to_string(line) + ": " + problem);
}

int number(const std::string& text, const std::string& source, int line, const std::string& what) {
    const std::string t = trim(text);
    int value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size())
        fail(source, line, what + " '" + t + "' is not a whole number");
    return value;
}

std::vector<std::string> splitCommas(const std::string& s) {
    std::vector<std::string> parts;
    std::stringstream in(s);
    std::string part;
    while (std::getline(in, part, ',')) parts.push_back(trim(part));
    return parts;
}

std::string identList() {
    std::string list;
    for (const auto& t : windowToggles) list += (list.empty() ? "" : ", ") + std::string(t.ident);
    return list;
}
}  // namespace

PanelConfig PanelConfig::parse(std::string_view text, std::string source) {
    PanelConfig config;
    config.source = source;
    std::map<std::string, std::string> titles;  // "window00" -> title
    std::map<std::string, WindowConfig> windows;
    std::map<std::string, int> sectionLine;
    std::string section;
    int lineNo = 0;
    std::istringstream in{std::string(text)};
    std::string raw;
    while (std::getline(in, raw)) {
        ++lineNo;
        std::string line = raw;
        if (const auto c = line.find("//"); c != std::string::npos) line.erase(c);
        if (const auto c = line.find(';'); c != std::string::npos) line.erase(c);
        line = trim(line);
        if (line.empty()) continue;
        if (line.front() == '[') {
            if (line.back() != ']') fail(source, lineNo, "section header '" + line + "' lacks its closing ']'");
            section = lower(trim(line.substr(1, line.size() - 2)));
            if (section.rfind("window", 0) == 0 && section != "window titles") {
                if (windows.count(section)) fail(source, lineNo, "section [" + section + "] appears twice");
                windows[section].section = trim(line.substr(1, line.size() - 2));
                sectionLine[section] = lineNo;
            }
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos) fail(source, lineNo, "expected key=value, found '" + line + "'");
        const std::string key = lower(trim(line.substr(0, eq)));
        const std::string value = trim(line.substr(eq + 1));
        if (section.empty()) fail(source, lineNo, "'" + key + "' stands outside any section");
        if (section == "window titles") {
            if (key.rfind("window", 0) != 0) fail(source, lineNo, "unknown key '" + key + "' in [Window Titles]");
            titles[key] = value;
            continue;
        }
        if (!windows.count(section)) continue;  // sections other than windows are the simulator's, not ours
        WindowConfig& w = windows[section];
        if (key.rfind("gauge", 0) == 0) {
            const auto bang = value.find('!');
            if (bang == std::string::npos)
                fail(source, lineNo, "gauge entry '" + value + "' must read module!gauge, x, y");
            const auto parts = splitCommas(value.substr(bang + 1));
            if (parts.size() < 3) fail(source, lineNo, "gauge entry '" + value + "' must give a position x, y");
            GaugePlacement g;
            g.module = trim(value.substr(0, bang));
            g.gauge = parts[0];
            g.x = number(parts[1], source, lineNo, "x");
            g.y = number(parts[2], source, lineNo, "y");
            if (parts.size() > 3) g.width = number(parts[3], source, lineNo, "width");
            if (parts.size() > 4) g.height = number(parts[4], source, lineNo, "height");
            g.line = lineNo;
            if (g.module.empty() || g.gauge.empty()) fail(source, lineNo, "gauge entry names no module or gauge");
            w.gauges.push_back(g);
        } else if (key == "size_mm" || key == "window_size") {
            const auto parts = splitCommas(value);
            if (parts.size() != 2) fail(source, lineNo, key + " must read width,height");
            w.width = number(parts[0], source, lineNo, "width");
            w.height = number(parts[1], source, lineNo, "height");
        } else if (key == "visible") {
            const int v = number(value, source, lineNo, "visible");
            if (v != 0 && v != 1) fail(source, lineNo, "visible must be 0 or 1");
            w.visible = v == 1;
        } else if (key == "ident") {
            const std::string id = lower(value);
            if (!isWindowIdent(id)) fail(source, lineNo, "unknown window ident '" + value + "' (" + identList() + ")");
            w.ident = id;
        }
        // Other window keys (position, background, ...) describe drawing and are not needed here.
    }
    for (const auto& [key, title] : titles) {
        const auto it = windows.find(key);
        if (it == windows.end()) fail(source, 0, "[Window Titles] names " + key + " but the file has no such section");
        it->second.title = title;
    }
    for (auto& [key, w] : windows) {
        if (!titles.count(key)) fail(source, sectionLine[key], "[" + w.section + "] is not listed in [Window Titles]");
        config.windows.push_back(std::move(w));
    }
    // Panel order: windows in the order [Window Titles] numbers them.
    std::stable_sort(config.windows.begin(), config.windows.end(),
                     [](const WindowConfig& a, const WindowConfig& b) { return lower(a.section) < lower(b.section); });
    if (config.windows.empty()) fail(source, lineNo, "no windows: the file lists no [WindowNN] sections");
    return config;
}

PanelConfig PanelConfig::read(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) throw LoadError(file.string() + ": panel configuration not found");
    std::stringstream text;
    text << in.rdbuf();
    return parse(text.str(), file.string());
}

PanelConfig PanelConfig::fromModules(const std::vector<std::string>& modules) {
    PanelConfig config;
    config.source = "module list";
    WindowConfig w;
    w.section = "Window00";
    w.title = "Panel";
    int line = 0;
    for (const auto& m : modules) {
        GaugePlacement g;
        g.module = m;
        g.gauge = m;
        g.line = ++line;
        w.gauges.push_back(g);
    }
    config.windows.push_back(std::move(w));
    return config;
}

}  // namespace tj20::host
