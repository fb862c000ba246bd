// The words of a scenario script and what they are read as.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "names/id_names.h"
#include "script.h"

namespace tj20::host::scenario {

struct Token {
    std::string text;
    bool quoted = false;
};

// A problem with the line being read; the parser turns it into a diagnostic.
struct LineError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string quote(std::string_view s);  // 'word'
// "unknown <what> 'word' (did you mean ...?)", or the choices listed.
std::string unknownWord(std::string_view what, std::string_view word, const std::vector<std::string>& choices,
                        bool listChoices);

// Splits a line into words; returns the comment-free text in `source`.
std::vector<Token> tokenize(std::string_view line, std::string& source);

bool isHex(std::string_view s);
std::optional<std::uint64_t> unsignedNumber(std::string_view s);
std::uint32_t u32(const Token& t, std::string_view what);                   // decimal or 0x hex, 32 bits
int count(const Token& t, std::string_view what);                           // 1 to 100000000
double real(const Token& t, std::string_view what);                         // a finite float
std::pair<double, double> realPair(const Token& t, std::string_view what);  // "x,y" of floats
// A key event's value: unsigned as u32, or negative (down to -2^31), kept in two's complement.
std::uint32_t keyValue(const Token& t);
// "x,y", or "x,y[n]" where `index` is given (the n-th element at that position).
Point point(const Token& t, int* index = nullptr);
Id namedId(const Token& t, const std::vector<NamedId>& table, std::string_view what);
SimValue simValue(const Token& t);
bool visibility(const Token& t);  // shown or hidden

}  // namespace tj20::host::scenario
