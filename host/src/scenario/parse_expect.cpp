// Reading the expectations of a scenario script: shared and simulator values, key events,
// sounds, windows and elements.
#include <limits>
#include <tuple>

#include "reader.h"

namespace tj20::host::scenario {

double LineReader::tolerance() {
    if (!accept("within")) return ExactTolerance;
    const double t = real(next("a tolerance"), "tolerance");
    if (t < 0) throw LineError("a tolerance cannot be negative");
    return t;
}

template <typename Item, typename ReadItem>
bool LineReader::list(std::vector<Item>& items, ReadItem readItem) {
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
        Item item = readItem(Token{std::string(text), t.quoted});
        item.times = times;
        items.push_back(std::move(item));
    }
    return include;
}

Action LineReader::expect() {
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
                k.value = keyValue(Token{std::string(s.substr(eq + 1))});
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
        const bool played = e.which == ExpectSounds::Which::Played;
        e.include = list(e.items, [played](const Token& t) {
            SoundItem item{t.text, std::nullopt};
            // A played sound may say how it was played: file=once or file=repeating.
            if (const auto eq = t.text.rfind('='); eq != std::string::npos && !t.quoted) {
                const std::string how = t.text.substr(eq + 1);
                if (!played) throw LineError("only 'expect played' tells once from repeating");
                if (how != "once" && how != "repeating")
                    throw LineError("a played sound is " + quote(item.sound.substr(0, eq) + "=once") + " or " +
                                    quote(item.sound.substr(0, eq) + "=repeating") + ", not " + quote(t.text));
                item.sound = t.text.substr(0, eq);
                item.repeats = how == "repeating";
            }
            return item;
        });
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
    throw LineError(unknownWord("expectation", what,
                                {"shared", "sim", "keys", "played", "stopped", "playing", "window", "gauge", "element"},
                                true));
}

Action LineReader::element() {
    using What = ExpectElement::What;
    ExpectElement e;
    e.element.gauge = word("a gauge");
    e.element.at = point(next("an element position x,y"), &e.element.index);
    const std::string property = word("what to check: state, shown, hidden, lit, unlit, value, angle, offset or text");
    if (property == "state") {
        e.what = What::State;
        const Token& t = next("a state");
        const std::uint32_t state = u32(t, "state");
        if (state > static_cast<std::uint32_t>(std::numeric_limits<int>::max()))
            throw LineError("state " + quote(t.text) + " is out of range (0 to 2147483647)");
        e.number = state;
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
    } else if (property == "offset") {
        e.what = What::Offset;
        std::tie(e.number, e.numberY) = realPair(next("an offset x,y"), "offset");
        e.tolerance = tolerance();
    } else if (property == "text") {
        e.what = What::Text;
        e.text = next("a text").text;
    } else
        throw LineError(unknownWord("element property", property,
                                    {"state", "shown", "hidden", "lit", "unlit", "value", "angle", "offset", "text"},
                                    true));
    return e;
}

}  // namespace tj20::host::scenario
