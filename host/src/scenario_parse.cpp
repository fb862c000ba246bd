// Reading a scenario script: one step per line, words separated by blanks, "quoted text"
// where a word holds blanks, '#' to the end of the line a comment. Every line is read even
// after an error, so one run reports every syntax problem of the file.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <sstream>
#include <stdexcept>

#include "scenario_names.h"
#include "scenario_script.h"

namespace tj20::host::scenario {

namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

// A problem with the line being read; the parser turns it into a diagnostic.
struct LineError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const std::vector<std::string> verbs = {"load", "set", "click", "right-click", "drag", "hold", "run", "note", "expect"};

std::string quote(std::string_view s) { return "'" + std::string(s) + "'"; }

std::string unknownWord(std::string_view what, std::string_view word, const std::vector<std::string>& choices,
                        bool listChoices) {
    std::string message = "unknown " + std::string(what) + " " + quote(word);
    if (const auto guess = closest(word, choices))
        message += " (did you mean " + quote(*guess) + "?)";
    else if (listChoices) {
        message += " (one of:";
        for (const auto& c : choices) message += " " + c;
        message += ")";
    }
    return message;
}

// Splits a line into words; returns the comment-free text in `source`.
std::vector<Token> tokenize(std::string_view line, std::string& source) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    std::size_t end = 0;  // end of the last word, for `source`
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#') break;
        Token t;
        if (c == '"') {
            t.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
                    t.text += line[i++];
                    continue;
                }
                t.text += d;
            }
            if (!closed) throw LineError("text " + quote(t.text) + " lacks its closing '\"'");
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '"' &&
                   line[i] != '#')
                t.text += line[i++];
            // A quote inside a word would silently split it: say so instead.
            if (i < line.size() && line[i] == '"') throw LineError("a '\"' may only start a word");
        }
        end = i;
        tokens.push_back(std::move(t));
    }
    const auto begin = line.find_first_not_of(" \t");
    source = begin == std::string_view::npos || end <= begin ? "" : std::string(line.substr(begin, end - begin));
    return tokens;
}

bool isHex(std::string_view s) { return s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'); }

std::optional<std::uint64_t> unsignedNumber(std::string_view s) {
    int base = 10;
    if (isHex(s)) {
        s.remove_prefix(2);
        base = 16;
    }
    std::uint64_t v = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return v;
}

std::uint32_t u32(const Token& t, std::string_view what) {
    const auto v = unsignedNumber(t.text);
    if (!v) throw LineError(std::string(what) + " " + quote(t.text) + " is not a whole number (decimal or 0x hex)");
    if (*v > std::numeric_limits<std::uint32_t>::max())
        throw LineError(std::string(what) + " " + quote(t.text) + " does not fit in 32 bits");
    return static_cast<std::uint32_t>(*v);
}

int count(const Token& t, std::string_view what) {
    const auto v = unsignedNumber(t.text);
    if (!v || isHex(t.text)) throw LineError(std::string(what) + " " + quote(t.text) + " is not a whole number");
    if (*v < 1 || *v > 100'000'000) throw LineError(std::string(what) + " must be from 1 to 100000000");
    return static_cast<int>(*v);
}

double real(const Token& t, std::string_view what) {
    std::string_view s = t.text;
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double v = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || isHex(s) || ec != std::errc() || p != s.data() + s.size() || !std::isfinite(v))
        throw LineError(std::string(what) + " " + quote(t.text) + " is not a number");
    return v;
}

int integer(std::string_view s, std::string_view what, std::string_view whole) {
    int v = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size())
        throw LineError(std::string(what) + " " + quote(whole) + " must read x,y with whole numbers");
    return v;
}

// "x,y", or "x,y[n]" where elements are addressed (the n-th element at that position).
Point point(const Token& t, int* index = nullptr) {
    std::string_view s = t.text;
    if (index) {
        *index = 0;
        if (const auto open = s.find('['); open != std::string_view::npos) {
            if (s.back() != ']') throw LineError("element position " + quote(t.text) + " must read x,y or x,y[n]");
            const auto n = unsignedNumber(s.substr(open + 1, s.size() - open - 2));
            if (!n || *n > 1000) throw LineError("element index in " + quote(t.text) + " is not a whole number");
            *index = static_cast<int>(*n);
            s = s.substr(0, open);
        }
    }
    const auto comma = s.find(',');
    if (comma == std::string_view::npos) throw LineError("position " + quote(t.text) + " must read x,y");
    return {integer(s.substr(0, comma), "position", t.text), integer(s.substr(comma + 1), "position", t.text)};
}

Id namedId(const Token& t, const std::vector<NamedId>& table, std::string_view what) {
    if (!t.text.empty() && t.text[0] >= '0' && t.text[0] <= '9') return {u32(t, what), t.text};
    if (const auto id = idByName(table, t.text)) return {*id, t.text};
    std::vector<std::string> names;
    for (const auto& n : table) names.emplace_back(n.name);
    throw LineError(unknownWord(what, t.text, names, false));
}

SimValue simValue(const Token& t) {
    SimValue v;
    if (isHex(t.text)) {
        v.digits = true;
        v.packed = u32(t, "packed-digit value");
    } else {
        v.number = real(t, "simulator value");
    }
    return v;
}

bool visibility(const Token& t) {
    if (t.text == "shown") return true;
    if (t.text == "hidden") return false;
    throw LineError("expected 'shown' or 'hidden', found " + quote(t.text));
}

class LineReader {
public:
    LineReader(std::vector<Token> tokens, std::string_view source, bool loadAttempted)
        : tokens_(std::move(tokens)), source_(source), loadAttempted_(loadAttempted) {}

    Action action(Script& script, int line) {
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
        } else if (verb == "expect")
            a = expect();
        else
            throw LineError(unknownWord("verb", verb, verbs, true));
        if (more()) throw LineError("unexpected " + quote(tokens_[pos_].text) + " at the end of the line");
        return a;
    }

private:
    bool more() const { return pos_ < tokens_.size(); }
    const Token& next(std::string_view what) {
        if (!more()) throw LineError("missing " + std::string(what));
        return tokens_[pos_++];
    }
    std::string word(std::string_view what) { return next(what).text; }
    bool accept(std::string_view w) {
        if (more() && !tokens_[pos_].quoted && tokens_[pos_].text == w) {
            ++pos_;
            return true;
        }
        return false;
    }

    void load(Script& script, int line) {
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
        if (more()) throw LineError("unexpected " + quote(tokens_[pos_].text) + " at the end of the line");
    }

    Action set() {
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

    Action run() {
        RunStep r;
        r.cycles = count(next("a number of cycles"), "number of cycles");
        if (accept("step")) {
            r.tickStep = real(next("a tick step"), "tick step");
            if (r.tickStep < 0) throw LineError("the tick step cannot be negative");
        }
        return r;
    }

    double tolerance() {
        if (!accept("within")) return ExactTolerance;
        const double t = real(next("a tolerance"), "tolerance");
        if (t < 0) throw LineError("a tolerance cannot be negative");
        return t;
    }

    // [include] none | item...
    template <typename Item, typename ReadItem>
    bool list(std::vector<Item>& items, ReadItem readItem) {
        const bool include = accept("include");
        if (accept("none")) {
            if (include) throw LineError("'include none' checks nothing; write 'none'");
            return false;
        }
        if (!more()) throw LineError("missing the expected items, or 'none'");
        while (more()) {
            const Token& t = next("");
            // name*n stands for n of them in a row.
            std::string_view text = t.text;
            int times = 1;
            if (const auto star = text.rfind('*'); star != std::string_view::npos && !t.quoted) {
                times = count(Token{std::string(text.substr(star + 1))}, "repeat count");
                text = text.substr(0, star);
            }
            const Item item = readItem(Token{std::string(text), t.quoted});
            for (int i = 0; i < times; ++i) items.push_back(item);
        }
        return include;
    }

    Action expect() {
        const std::string what = word("what to expect");
        if (what == "shared") {
            ExpectShared e;
            e.name = word("a shared variable");
            e.value = u32(next("a value"), "shared value");
            return e;
        }
        if (what == "sim") {
            ExpectSim e;
            e.var = namedId(next("a simulator variable"), simNames(), "simulator variable");
            e.value = simValue(next("a value"));
            e.tolerance = tolerance();
            if (e.value.digits && e.tolerance != ExactTolerance)
                throw LineError("packed digits compare exactly; 'within' applies to decimal values");
            return e;
        }
        if (what == "keys") {
            ExpectKeys e;
            if (accept("from")) e.gauge = word("a gauge");
            e.include = list(e.items, [](const Token& t) {
                KeyItem k;
                std::string_view s = t.text;
                if (const auto eq = s.find('='); eq != std::string_view::npos) {
                    k.value = u32(Token{std::string(s.substr(eq + 1))}, "key event value");
                    s = s.substr(0, eq);
                }
                k.key = namedId(Token{std::string(s)}, keyNames(), "key event");
                return k;
            });
            return e;
        }
        if (what == "played" || what == "stopped" || what == "playing") {
            ExpectSounds e;
            e.which = what == "played"    ? ExpectSounds::Which::Played
                      : what == "stopped" ? ExpectSounds::Which::Stopped
                                          : ExpectSounds::Which::Playing;
            e.include = list(e.items, [](const Token& t) { return t.text; });
            return e;
        }
        if (what == "window") {
            ExpectWindow e;
            e.window = word("a window");
            e.visible = visibility(next("shown or hidden"));
            return e;
        }
        if (what == "gauge") {
            ExpectGauge e;
            e.gauge = word("a gauge");
            e.visible = visibility(next("shown or hidden"));
            return e;
        }
        if (what == "element") return element();
        throw LineError(
            unknownWord("expectation", what,
                        {"shared", "sim", "keys", "played", "stopped", "playing", "window", "gauge", "element"}, true));
    }

    Action element() {
        using What = ExpectElement::What;
        ExpectElement e;
        e.element.gauge = word("a gauge");
        e.element.at = point(next("an element position x,y"), &e.element.index);
        const std::string property = word("what to check: state, shown, hidden, lit, unlit, value, angle or text");
        if (property == "state") {
            e.what = What::State;
            e.number = u32(next("a state"), "state");
        } else if (property == "shown")
            e.what = What::Shown;
        else if (property == "hidden")
            e.what = What::Hidden;
        else if (property == "lit")
            e.what = What::Lit;
        else if (property == "unlit")
            e.what = What::Unlit;
        else if (property == "value" || property == "angle") {
            e.what = property == "value" ? What::Value : What::Angle;
            e.number = real(next("a value"), property);
            e.tolerance = tolerance();
        } else if (property == "text") {
            e.what = What::Text;
            e.text = next("a text").text;
        } else
            throw LineError(unknownWord("element property", property,
                                        {"state", "shown", "hidden", "lit", "unlit", "value", "angle", "text"}, true));
        return e;
    }

    std::vector<Token> tokens_;
    std::string source_;
    bool loadAttempted_;  // a load line came before, even a malformed one (its error is reported already)
    std::size_t pos_ = 0;
};

}  // namespace

Script parse(std::string_view text, const std::filesystem::path& file, std::vector<Diagnostic>& errors) {
    Script script;
    script.file = file.string();
    script.directory = file.parent_path();
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
