// Reading one line of a scenario script into a step (parse.cpp: the verbs; parse_expect.cpp:
// the expectations).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "script.h"
#include "words.h"

namespace tj20::host::scenario {

class LineReader {
public:
    LineReader(std::vector<Token> tokens, std::string_view source, bool loadAttempted)
        : tokens_(std::move(tokens)), source_(source), loadAttempted_(loadAttempted) {}

    // The step the line holds; a load line fills the script's load and returns a note to drop.
    Action action(Script& script, int line);

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
    void noMore() {
        if (more()) throw LineError("unexpected " + quote(tokens_[pos_].text) + " at the end of the line");
    }

    void load(Script& script, int line);
    Action set();
    Action run();

    Action expect();
    Action element();
    double tolerance();
    // [include] none | item... where an item may be followed by *n (n of them in a row).
    template <typename Item, typename ReadItem>
    bool list(std::vector<Item>& items, ReadItem readItem);

    std::vector<Token> tokens_;
    std::string source_;
    bool loadAttempted_;  // a load line came before, even a malformed one (its error is reported already)
    std::size_t pos_ = 0;
};

}  // namespace tj20::host::scenario
