// A module's artwork description (art.txt in the module's folder): one bitmap per line, the
// drawing of a background or cover on the indented lines below it.
//
//   panel 0x100 "ELEC PWR"                  kind, identifier, then words, key=value options
//     text 220,12 "ELEC PWR" size=11          and "quoted" legends
//   switch 0x1100 size=36x56 "OFF" "ON"
//
// `use <file>` reads another description in its place (instruments several modules share).
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tj20::art {

// A problem in a description, naming the file and line.
class ArtError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where a line came from, for messages.
struct Place {
    std::string file;
    int line = 0;
    std::string str() const { return file + ":" + std::to_string(line); }
};

// The words of one line: bare words, key=value options and quoted legends, in order.
struct Words {
    Place place;
    std::string verb;
    std::vector<std::string> bare;    // unquoted words after the verb, options excluded
    std::vector<std::string> quoted;  // legends
    std::map<std::string, std::string> options;

    [[noreturn]] void fail(const std::string& problem) const;
    bool has(const std::string& word) const;  // a bare flag word
    std::optional<std::string> option(const std::string& key) const;
    double number(const std::string& key, double fallback) const;
    // Fails naming the line when an option or flag is not among the known ones.
    void allow(std::initializer_list<const char*> options, std::initializer_list<const char*> flags = {}) const;
};

struct Description {
    Words head;  // kind and identifier
    std::uint32_t id = 0;
    std::vector<Words> items;  // the indented lines below it
};

// Reads a description file; `use` lines read the named file relative to the including one.
std::vector<Description> readArtFile(const std::filesystem::path& file);
// The same for text already in memory (tests, messages name `file`).
std::vector<Description> readArtText(const std::string& text, const std::filesystem::path& file);

// Number parsing helpers that fail naming the line: "12", "0x1100", "12,34", "30x20".
std::uint32_t parseId(const Words& w, const std::string& text);
double parseNumber(const Words& w, const std::string& text);
struct XY {
    double x = 0;
    double y = 0;
};
XY parsePair(const Words& w, const std::string& text, char separator);

}  // namespace tj20::art
