// Reading a scenario script: one step per line, words separated by blanks, "quoted text"
// where a word holds blanks, '#' to the end of the line a comment. Every line is read even
// after an error, so one run reports every syntax problem of the file.
#include <algorithm>

#include "reader.h"
#include "tj20host/input_file.h"

namespace tj20::host::scenario {

namespace {
// Made on first use, inside the program's run, where memory running out is reported.
const std::vector<std::string>& verbs() {
    static const std::vector<std::string> all = {"load", "set", "click", "right-click", "drag",
                                                 "hold", "run", "note",  "render",      "expect"};
    return all;
}
}  // namespace

Action LineReader::action(Script& script, int line) {
    const std::string verb = word("a verb");
    if (verb == "load") {
        load(script, line);
        return NoteStep{};  // not a step; the caller drops it
    }
    if (!script.load && !loadAttempted_)
        throw LineError(
            "the panel must be loaded first ('load default', 'load config <file>' or "
            "'load modules <module>...')");
    Action a = NoteStep{};
    if (verb == "set")
        a = set();
    else if (verb == "click")
        a = MouseStep{MouseStep::Kind::Click, word("a gauge"), point(next("a position x,y"))};
    else if (verb == "right-click")
        a = MouseStep{MouseStep::Kind::RightClick, word("a gauge"), point(next("a position x,y"))};
    else if (verb == "drag")
        a = MouseStep{MouseStep::Kind::Drag, word("a gauge"), point(next("a position x,y"))};
    else if (verb == "hold") {
        HoldStep h;
        h.gauge = word("a gauge");
        h.at = point(next("a position x,y"));
        h.cycles = count(next("a number of cycles"), "number of cycles");
        a = h;
    } else if (verb == "run")
        a = run();
    else if (verb == "note") {
        // The text as written, quotes and all.
        NoteStep n{source_.substr(std::min(source_.size(), source_.find_first_of(" \t", 0)))};
        n.text.erase(0, std::min(n.text.size(), n.text.find_first_not_of(" \t")));
        if (n.text.empty()) throw LineError("note needs a text");
        return n;
    } else if (verb == "render") {
        RenderStep r;
        r.directory = word("a directory for the pictures");
        while (more()) r.windows.push_back(next("").text);
        a = r;
    } else if (verb == "expect")
        a = expect();
    else
        throw LineError(unknownWord("verb", verb, verbs(), true));
    noMore();
    return a;
}

void LineReader::load(Script& script, int line) {
    if (script.load) throw LineError("the panel is already loaded (line " + std::to_string(script.loadLine) + ")");
    if (!script.steps.empty()) throw LineError("load must come before every other step");
    const std::string what = word("what to load: default, config <file> or modules <module>...");
    if (what == "default")
        script.load = LoadDefault{};
    else if (what == "config") {
        const std::string file = word("a configuration file");
        script.load = LoadConfig{script.directory / file, file};
    } else if (what == "modules") {
        LoadModules m;
        while (more()) m.modules.push_back(next("").text);
        if (m.modules.empty()) throw LineError("load modules needs at least one module");
        script.load = m;
    } else
        throw LineError(unknownWord("panel source", what, {"default", "config", "modules"}, true));
    script.loadLine = line;
    noMore();
}

Action LineReader::set() {
    const std::string what = word("what to set: sim, shared, tick or window");
    if (what == "sim") {
        SetSim s;
        s.var = namedId(next("a simulator variable"), simNames(), "simulator variable");
        s.value = simValue(next("a value"));
        return s;
    }
    if (what == "shared") {
        SetShared s;
        s.name = word("a shared variable");
        s.value = u32(next("a value"), "shared value");
        return s;
    }
    if (what == "tick") {
        const double tick = real(next("a tick count"), "tick count");
        if (tick < 0) throw LineError("the tick count cannot be negative");
        return SetTick{tick};
    }
    if (what == "window") {
        SetWindow w;
        w.window = word("a window");
        w.visible = visibility(next("shown or hidden"));
        return w;
    }
    throw LineError(unknownWord("thing to set", what, {"sim", "shared", "tick", "window"}, true));
}

Action LineReader::run() {
    RunStep r;
    r.cycles = count(next("a number of cycles"), "number of cycles");
    if (accept("step")) {
        const Token& t = next("a tick step");
        r.tickStep = real(t, "tick step");
        if (r.tickStep < 0) throw LineError("the tick step cannot be negative");
        if (r.tickStep > MaxTickStep)
            throw LineError("tick step " + quote(t.text) +
                            " is more than 1000000 ticks a cycle (15 hours of simulated time)");
    }
    return r;
}

Script parse(std::string_view text, const std::filesystem::path& file, std::vector<Diagnostic>& errors) {
    Script script;
    script.file = file.string();
    script.directory = file.parent_path();
    text = withoutByteOrderMark(text);
    int lineNo = 0;
    bool loadAttempted = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto nl = text.find('\n', start);
        const std::string_view line =
            text.substr(start, nl == std::string_view::npos ? text.size() - start : nl - start);
        start = nl == std::string_view::npos ? text.size() + 1 : nl + 1;
        ++lineNo;
        try {
            std::string source;
            auto tokens = tokenize(line, source);
            if (tokens.empty()) continue;
            const bool isLoad = !tokens[0].quoted && tokens[0].text == "load";
            LineReader reader(std::move(tokens), source, loadAttempted);
            loadAttempted = loadAttempted || isLoad;
            Action action = reader.action(script, lineNo);
            if (!isLoad) script.steps.push_back({lineNo, source, std::move(action)});
        } catch (const LineError& e) {
            errors.push_back({Diagnostic::Kind::Error, script.file, lineNo, e.what()});
        }
    }
    if (!script.load && errors.empty())
        errors.push_back({Diagnostic::Kind::Error, script.file, 0,
                          "the script loads no panel: begin it with 'load default', 'load config <file>' or "
                          "'load modules <module>...'"});
    return script;
}

}  // namespace tj20::host::scenario
