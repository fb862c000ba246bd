#include "art_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

namespace tj20::art {

void Words::fail(const std::string& problem) const { throw ArtError(place.str() + ": " + problem); }

bool Words::has(const std::string& word) const { return std::find(bare.begin(), bare.end(), word) != bare.end(); }

std::optional<std::string> Words::option(const std::string& key) const {
    const auto it = options.find(key);
    if (it == options.end()) return std::nullopt;
    return it->second;
}

double Words::number(const std::string& key, double fallback) const {
    const auto v = option(key);
    return v ? parseNumber(*this, *v) : fallback;
}

void Words::allow(std::initializer_list<const char*> known, std::initializer_list<const char*> flags) const {
    for (const auto& option : options) {
        const std::string& key = option.first;
        if (std::none_of(known.begin(), known.end(), [&](const char* k) { return key == k; }))
            fail("'" + verb + "' takes no option '" + key + "'");
    }
    for (const auto& word : bare)
        if (std::none_of(flags.begin(), flags.end(), [&](const char* f) { return word == f; }) &&
            !(std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '-'))
            fail("'" + verb + "' does not know the word '" + word + "'");
}

namespace {

// Splits a line into words; "quoted text" keeps its blanks, a word beginning with '#' ends the
// line (a comment), so colours may read #rrggbb.
std::vector<std::pair<std::string, bool>> tokens(const std::string& line, const Place& place) {
    std::vector<std::pair<std::string, bool>> out;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '#') break;
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        if (c == '"') {
            std::string text;
            ++i;
            while (i < line.size() && line[i] != '"') text += line[i++];
            if (i == line.size()) throw ArtError(place.str() + ": a legend's closing quote is missing");
            ++i;
            out.emplace_back(text, true);
            continue;
        }
        std::string word;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) {
            if (line[i] == '"') {
                // key="quoted value"
                ++i;
                while (i < line.size() && line[i] != '"') word += line[i++];
                if (i == line.size()) throw ArtError(place.str() + ": an option's closing quote is missing");
                ++i;
                continue;
            }
            word += line[i++];
        }
        out.emplace_back(word, false);
    }
    return out;
}

Words wordsOf(const std::vector<std::pair<std::string, bool>>& toks, const Place& place) {
    Words w;
    w.place = place;
    w.verb = toks.front().first;
    for (std::size_t i = 1; i < toks.size(); ++i) {
        const auto& [text, quoted] = toks[i];
        if (quoted) {
            w.quoted.push_back(text);
        } else if (const auto eq = text.find('='); eq != std::string::npos && eq > 0) {
            const std::string key = text.substr(0, eq);
            if (w.options.count(key)) w.fail("the option '" + key + "' is given twice");
            w.options[key] = text.substr(eq + 1);
        } else {
            w.bare.push_back(text);
        }
    }
    return w;
}

void read(const std::string& text, const std::filesystem::path& file, std::vector<Description>& out, int depth) {
    if (depth > 4) throw ArtError(file.string() + ": descriptions 'use' each other in a loop");
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const Place place{file.string(), number};
        const auto toks = tokens(line, place);
        if (toks.empty()) continue;
        if (toks.front().second)
            throw ArtError(place.str() + ": a line begins with a kind or a drawing word, not a legend");
        const bool indented = std::isspace(static_cast<unsigned char>(line[0]));
        Words w = wordsOf(toks, place);
        if (indented) {
            if (out.empty()) w.fail("an indented line belongs to a bitmap, but no bitmap comes before it");
            out.back().items.push_back(std::move(w));
            continue;
        }
        if (w.verb == "use") {
            if (w.bare.size() != 1 || !w.quoted.empty()) w.fail("'use' names one description file");
            const auto used = file.parent_path() / w.bare[0];
            std::ifstream f(used);
            if (!f) w.fail("cannot read the description " + used.string());
            std::stringstream s;
            s << f.rdbuf();
            read(s.str(), used, out, depth + 1);
            continue;
        }
        if (w.bare.empty()) w.fail("'" + w.verb + "' needs a bitmap identifier");
        Description d;
        d.id = parseId(w, w.bare.front());
        w.bare.erase(w.bare.begin());
        d.head = std::move(w);
        out.push_back(std::move(d));
    }
}
}  // namespace

std::vector<Description> readArtText(const std::string& text, const std::filesystem::path& file) {
    std::vector<Description> out;
    read(text, file, out, 0);
    return out;
}

std::vector<Description> readArtFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) throw ArtError(file.string() + ": cannot read the artwork description");
    std::stringstream s;
    s << in.rdbuf();
    return readArtText(s.str(), file);
}

std::uint32_t parseId(const Words& w, const std::string& text) {
    std::uint32_t v = 0;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* first = text.data() + (hex ? 2 : 0);
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(first, last, v, hex ? 16 : 10);
    if (ec != std::errc() || end != last || first == last) w.fail("'" + text + "' is not a bitmap identifier");
    return v;
}

double parseNumber(const Words& w, const std::string& text) {
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) w.fail("'" + text + "' is not a number");
    return v;
}

XY parsePair(const Words& w, const std::string& text, char separator) {
    const auto at = text.find(separator);
    if (at == std::string::npos)
        w.fail("'" + text + "' must read " +
               (separator == ',' ? "x,y" : "width" + std::string(1, separator) + "height"));
    return {parseNumber(w, text.substr(0, at)), parseNumber(w, text.substr(at + 1))};
}

}  // namespace tj20::art
