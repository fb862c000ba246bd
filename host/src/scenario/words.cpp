// The words of a scenario script: splitting a line into words, and reading numbers,
// positions, names and values from them. A malformed word raises LineError, which the
// parser reports with the line.
#include "words.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "suggest.h"

namespace tj20::host::scenario {

std::string quote(std::string_view s) {
    std::string quoted = "'";
    return quoted.append(s).append("'");
}

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

namespace {
int integer(std::string_view s, std::string_view what, std::string_view whole) {
    int v = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size())
        throw LineError(std::string(what) + " " + quote(whole) + " must read x,y with whole numbers");
    return v;
}

}  // namespace

// "x,y", or "x,y[n]" where elements are addressed (the n-th element at that position).
Point point(const Token& t, int* index) {
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

std::uint32_t keyValue(const Token& t) {
    if (t.text.empty() || t.text[0] != '-') return u32(t, "key event value");
    std::int64_t v = 0;
    const auto [p, ec] = std::from_chars(t.text.data(), t.text.data() + t.text.size(), v);
    if (ec != std::errc() || p != t.text.data() + t.text.size())
        throw LineError("key event value " + quote(t.text) + " is not a whole number");
    if (v < std::numeric_limits<std::int32_t>::min())
        throw LineError("key event value " + quote(t.text) + " does not fit in 32 bits");
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(v));
}

std::pair<double, double> realPair(const Token& t, std::string_view what) {
    const auto comma = t.text.find(',');
    if (comma == std::string::npos) throw LineError(std::string(what) + " " + quote(t.text) + " must read x,y");
    return {real(Token{t.text.substr(0, comma)}, what), real(Token{t.text.substr(comma + 1)}, what)};
}

}  // namespace tj20::host::scenario
