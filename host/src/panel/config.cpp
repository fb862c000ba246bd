// Reading of panel configuration files.
#include "tj20host/config.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <optional>
#include <sstream>

#include "tj20host/input_file.h"
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

// "file:line: problem", or "file: problem" for the file as a whole.
[[noreturn]] void fail(const std::string& source, int line, const std::string& problem) {
    throw LoadError(source + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + problem);
}

int number(const std::string& text, const std::string& source, int line, const std::string& what) {
    const std::string t = trim(text);
    int value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size())
        fail(source, line, what + " '" + t + "' is not a whole number");
    return value;
}

int size(const std::string& text, const std::string& source, int line, const std::string& what) {
    const int value = number(text, source, line, what);
    if (value <= 0) fail(source, line, what + " '" + trim(text) + "' must be greater than 0");
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

namespace {
// "window07" -> 7; nothing for a name that is not "window" followed by digits.
std::optional<int> windowNumber(const std::string& lowered) {
    if (lowered.rfind("window", 0) != 0 || lowered.size() == 6 || lowered.size() > 6 + 9) return std::nullopt;
    int n = 0;
    const char* digits = lowered.data() + 6;
    const auto [end, ec] = std::from_chars(digits, lowered.data() + lowered.size(), n);
    if (ec != std::errc() || end != lowered.data() + lowered.size() || digits[0] == '-' || digits[0] == '+')
        return std::nullopt;
    return n;
}

struct WindowSection {
    WindowConfig config;
    int line = 0;                      // of the section header
    std::map<std::string, int> keys;   // key -> line, to refuse a key given twice
    int titleLine = 0, identLine = 0;  // where its title and ident were given
};

struct Title {
    std::string key;  // as written, "Window01"
    std::string text;
    int line = 0;
};
}  // namespace

PanelConfig PanelConfig::parse(std::string_view text, std::string source) {
    PanelConfig config;
    config.source = source;
    std::map<int, Title> titles;  // window number -> title
    std::map<int, WindowSection> windows;
    enum class In { Nothing, Titles, Window, Other } in = In::Nothing;
    int titlesLine = 0;
    WindowSection* window = nullptr;
    int lineNo = 0;
    std::istringstream lines{std::string(withoutByteOrderMark(text))};
    std::string raw;
    while (std::getline(lines, raw)) {
        ++lineNo;
        std::string line = raw;
        if (const auto c = line.find("//"); c != std::string::npos) line.erase(c);
        if (const auto c = line.find(';'); c != std::string::npos) line.erase(c);
        line = trim(line);
        if (line.empty()) continue;
        if (line.front() == '[') {
            if (line.back() != ']') fail(source, lineNo, "section header '" + line + "' lacks its closing ']'");
            const std::string name = trim(line.substr(1, line.size() - 2));
            const std::string lowered = lower(name);
            if (name.empty()) fail(source, lineNo, "section header '" + line + "' names no section");
            if (lowered == "window titles") {
                if (titlesLine)
                    fail(source, lineNo,
                         "[Window Titles] appears twice (first at line " + std::to_string(titlesLine) + ")");
                titlesLine = lineNo;
                in = In::Titles;
            } else if (lowered.rfind("window", 0) == 0) {
                const auto number = windowNumber(lowered);
                if (!number)
                    fail(source, lineNo,
                         "section [" + name + "] is neither [Window Titles] nor a numbered window such as [Window01]");
                if (const auto it = windows.find(*number); it != windows.end())
                    fail(source, lineNo,
                         "section [" + name + "] numbers the same window as [" + it->second.config.section +
                             "] (line " + std::to_string(it->second.line) + ")");
                window = &windows[*number];
                window->config.section = name;
                window->line = lineNo;
                in = In::Window;
            } else {
                in = In::Other;  // sections other than windows are the simulator's, not ours
            }
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos) fail(source, lineNo, "expected key=value, found '" + line + "'");
        const std::string written = trim(line.substr(0, eq));
        const std::string key = lower(written);
        const std::string value = trim(line.substr(eq + 1));
        if (in == In::Nothing) fail(source, lineNo, "'" + key + "' stands outside any section");
        if (in == In::Other) continue;
        if (in == In::Titles) {
            const auto number = windowNumber(key);
            if (!number) fail(source, lineNo, "unknown key '" + key + "' in [Window Titles]");
            if (const auto it = titles.find(*number); it != titles.end())
                fail(source, lineNo,
                     "[Window Titles] names window " + std::to_string(*number) + " twice (" + it->second.key +
                         " at line " + std::to_string(it->second.line) + ")");
            titles[*number] = {written, value, lineNo};
            continue;
        }
        WindowSection& section = *window;
        WindowConfig& w = section.config;
        if (const auto [it, first] = section.keys.try_emplace(key, lineNo); !first)
            fail(source, lineNo,
                 "'" + key + "' is given twice in [" + w.section + "] (first at line " + std::to_string(it->second) +
                     ")");
        if (key.rfind("gauge", 0) == 0) {
            const auto bang = value.find('!');
            if (bang == std::string::npos)
                fail(source, lineNo, "gauge entry '" + value + "' must read module!gauge, x, y");
            const auto parts = splitCommas(value.substr(bang + 1));
            if (parts.size() < 3) fail(source, lineNo, "gauge entry '" + value + "' must give a position x, y");
            // A size may follow the position; what comes after it is the gauge's own parameter.
            GaugePlacement g;
            g.module = trim(value.substr(0, bang));
            g.gauge = parts[0];
            g.x = number(parts[1], source, lineNo, "x");
            g.y = number(parts[2], source, lineNo, "y");
            if (parts.size() > 3) g.width = size(parts[3], source, lineNo, "width");
            if (parts.size() > 4) g.height = size(parts[4], source, lineNo, "height");
            g.line = lineNo;
            if (g.module.empty() || g.gauge.empty()) fail(source, lineNo, "gauge entry names no module or gauge");
            w.gauges.push_back(g);
        } else if (key == "size_mm" || key == "window_size") {
            const auto parts = splitCommas(value);
            if (parts.size() != 2) fail(source, lineNo, key + " must read width,height");
            w.width = number(parts[0], source, lineNo, "width");
            w.height = number(parts[1], source, lineNo, "height");
            if (w.width <= 0 || w.height <= 0)
                fail(source, lineNo, key + " " + value + " must give a width and a height above 0");
        } else if (key == "visible") {
            const int v = number(value, source, lineNo, "visible");
            if (v != 0 && v != 1) fail(source, lineNo, "visible must be 0 or 1");
            w.visible = v == 1;
        } else if (key == "ident") {
            const std::string id = lower(value);
            if (!isWindowIdent(id)) fail(source, lineNo, "unknown window ident '" + value + "' (" + identList() + ")");
            w.ident = id;
            section.identLine = lineNo;
        }
        // Other window keys (position, background, ...) describe drawing and are not needed here.
    }
    for (const auto& [number, title] : titles) {
        const auto it = windows.find(number);
        if (it == windows.end())
            fail(source, title.line, "[Window Titles] names " + title.key + " but the file has no such section");
        it->second.config.title = title.text;
        it->second.titleLine = title.line;
    }
    for (const auto& [number, section] : windows)
        if (!titles.count(number))
            fail(source, section.line, "[" + section.config.section + "] is not listed in [Window Titles]");
    if (windows.empty()) fail(source, lineNo, "no windows: the file lists no [WindowNN] sections");

    // Scripts and toggle events find a window by its title, section or ident: each may name
    // one window only. The later of two clashing lines is the one reported.
    struct Name {
        std::string text;
        int line;
        const WindowSection* window;
    };
    std::vector<Name> names;
    for (const auto& [number, section] : windows) {
        names.push_back({section.config.section, section.line, &section});
        if (!section.config.title.empty()) names.push_back({section.config.title, section.titleLine, &section});
        if (!section.config.ident.empty()) names.push_back({section.config.ident, section.identLine, &section});
    }
    std::stable_sort(names.begin(), names.end(), [](const Name& a, const Name& b) { return a.line < b.line; });
    for (std::size_t i = 0; i < names.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (names[i].text == names[j].text && names[i].window != names[j].window)
                fail(source, names[i].line,
                     "'" + names[i].text + "' names both [" + names[j].window->config.section + "] (line " +
                         std::to_string(names[j].line) + ") and [" + names[i].window->config.section +
                         "]: a window's title and ident must be its own");

    // Panel order: windows in the order of their numbers (Window2 before Window10).
    for (auto& [number, section] : windows) config.windows.push_back(std::move(section.config));
    return config;
}

PanelConfig PanelConfig::read(const std::filesystem::path& file) {
    try {
        return parse(readInputFile(file, "panel configuration", TextFileLimit), file.string());
    } catch (const InputFileError& e) {
        throw LoadError(e.what());
    }
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
