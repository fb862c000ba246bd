// The steps that check: each compares what the panel shows or sent with the script and
// counts one expectation; a mismatch is reported with what was expected and what was there.
#include <algorithm>
#include <cmath>

#include "names/id_names.h"
#include "runner.h"

namespace tj20::host::scenario {

namespace {
std::string waveFile(std::string_view path) {
    const auto slash = path.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// A key event's value as written in scripts: a value with the top bit set also reads as the
// negative number the gauge meant.
std::string keyValueText(std::uint32_t v) {
    const auto asSigned = static_cast<std::int32_t>(v);
    return asSigned < 0 ? std::to_string(asSigned) : std::to_string(v);
}

// `items` in order among `actual` (include), or exactly `actual`; each item stands for
// `times` of it in a row. The work is bounded by what was sent, however large the counts.
template <typename Item, typename Actual, typename Matches>
bool listHolds(const std::vector<Item>& items, const std::vector<Actual>& actual, bool include, Matches matches) {
    std::size_t next = 0;  // the item being matched
    int matched = 0;       // how many of its times are matched so far
    for (const auto& a : actual) {
        if (next < items.size() && matches(items[next], a)) {
            if (++matched == items[next].times) {
                ++next;
                matched = 0;
            }
        } else if (!include) {
            return false;
        }
    }
    return next == items.size();
}

// "name", or "name*n" for n of them in a row.
template <typename Item>
std::string timesText(std::string text, const Item& item) {
    if (item.times != 1) text.append("*").append(std::to_string(item.times));
    return text;
}
}  // namespace

bool Runner::sinceLastCheck(const Step& step, std::uint64_t& mark, const char* what) {
    const auto& journal = panel_->journal();
    const bool kept = mark >= journal.first();
    if (!kept)
        fail(step, std::string("the journal keeps the latest ") + std::to_string(journal.capacity()) +
                       " events and no longer holds every " + what +
                       " since the last check: check more often, or run fewer cycles between checks");
    return kept;
}

void Runner::execute(const Step& step, const ExpectShared& a) {
    const std::uint32_t actual = panel_->shared(a.name).value_or(0);
    expect(step, actual == a.value, std::to_string(a.value), std::to_string(actual));
}

void Runner::execute(const Step& step, const ExpectSim& a) {
    const auto& sim = panel_->sim();
    if (a.value.digits) {
        const std::uint32_t actual = sim.digits(a.var.id);
        expect(step, actual == a.value.packed, hex(a.value.packed), hex(actual));
        return;
    }
    const double actual = sim.get(a.var.id);
    std::string expected = number(a.value.number);
    if (a.tolerance != ExactTolerance) expected += " within " + number(a.tolerance);
    expect(step, std::fabs(actual - a.value.number) <= a.tolerance, expected, number(actual));
}

void Runner::execute(const Step& step, const ExpectKeys& a) {
    auto& journal = panel_->journal();
    const bool kept = sinceLastCheck(step, keysChecked_, "key event");
    const auto sent = journal.keyEventsSince(keysChecked_, a.gauge);
    keysChecked_ = journal.end();
    if (!kept) return;
    const auto matches = [](const KeyItem& item, const KeyEventRecord& k) {
        return item.key.id == k.id && (!item.value || *item.value == k.value);
    };
    const bool holds = listHolds(a.items, sent, a.include, matches);
    // Built by appending: GCC 12 wrongly warns (-Wrestrict) on "literal" + std::string temporaries.
    std::vector<std::string> expected, actual;
    for (const auto& item : a.items) {
        std::string text = describeId(keyNames(), item.key.id);
        if (item.value) text.append("=").append(keyValueText(*item.value));
        expected.push_back(timesText(std::move(text), item));
    }
    for (const auto& k : sent) {
        std::string text = describeId(keyNames(), k.id);
        text.append("=").append(keyValueText(k.value));
        if (!k.gauge.empty()) text.append(" from ").append(k.gauge);
        actual.push_back(std::move(text));
    }
    const std::string from = a.gauge.empty() ? "" : "from " + a.gauge + " ";
    expect(step, holds, std::string(a.include ? "among the key events " : "key events ") + from + joined(expected),
           joined(actual));
}

void Runner::execute(const Step& step, const ExpectSounds& a) {
    using Which = ExpectSounds::Which;
    auto& journal = panel_->journal();
    // What each sound seen answers to (wave file, path, alias) and whether it repeats.
    struct Seen {
        std::string shown;
        std::vector<std::string> names;
        bool repeats = false;
    };
    std::vector<Seen> seen;
    if (a.which == Which::Playing) {
        for (const auto& p : journal.playing())
            seen.push_back({p.alias + " (" + waveFile(p.path) + ")", {p.alias, waveFile(p.path)}, true});
    } else {
        std::uint64_t& mark = a.which == Which::Played ? playedChecked_ : stoppedChecked_;
        const bool kept = sinceLastCheck(step, mark, "sound call");
        const auto calls = journal.soundsSince(mark);
        mark = journal.end();
        if (!kept) return;
        const auto call = a.which == Which::Played ? SoundRecord::Call::Play : SoundRecord::Call::Stop;
        for (const auto& c : calls) {
            if (c.call != call) continue;
            if (call == SoundRecord::Call::Play)
                seen.push_back(
                    {waveFile(c.path) + (c.repeat ? " repeating" : " once") + (c.alias.empty() ? "" : " as " + c.alias),
                     {waveFile(c.path), c.path, c.alias},
                     c.repeat});
            else
                seen.push_back({c.alias, {c.alias}, false});
        }
    }
    const auto matches = [](const SoundItem& item, const Seen& s) {
        return std::find(s.names.begin(), s.names.end(), item.sound) != s.names.end() &&
               (!item.repeats || *item.repeats == s.repeats);
    };
    bool holds = true;
    if (a.which == Which::Playing) {
        // A set: every item playing (as many times as it is counted), and (unless include)
        // nothing else. An item stops at the first time that finds no sound left to match.
        std::vector<bool> used(seen.size(), false);
        std::size_t wanted = 0;
        for (const auto& item : a.items) {
            wanted += static_cast<std::size_t>(item.times);
            for (int time = 0; time < item.times && holds; ++time) {
                bool found = false;
                for (std::size_t i = 0; i < seen.size() && !found; ++i)
                    if (!used[i] && matches(item, seen[i])) used[i] = found = true;
                holds = found;
            }
        }
        if (!a.include) holds = holds && wanted == seen.size();
    } else {
        holds = listHolds(a.items, seen, a.include, matches);
    }
    std::vector<std::string> expected, actual;
    for (const auto& item : a.items)
        expected.push_back(
            timesText(item.sound + (item.repeats ? (*item.repeats ? " repeating" : " once") : ""), item));
    for (const auto& s : seen) actual.push_back(s.shown);
    const char* what = a.which == Which::Played    ? "sounds played "
                       : a.which == Which::Stopped ? "sounds stopped "
                                                   : "sounds playing ";
    expect(step, holds, std::string(a.include ? "among the " : "") + what + joined(expected), joined(actual));
}

void Runner::execute(const Step& step, const ExpectWindow& a) {
    const bool actual = panel_->windowVisible(a.window);
    expect(step, actual == a.visible, a.visible ? "shown" : "hidden", actual ? "shown" : "hidden");
}

void Runner::execute(const Step& step, const ExpectGauge& a) {
    const auto window = panel_->windowOf(a.gauge);
    const bool actual = window && panel_->windowVisible(*window);
    expect(step, actual == a.visible, a.visible ? "shown" : "hidden",
           std::string(actual ? "shown" : "hidden") + (window ? " (window " + *window + ")" : ""));
}

void Runner::execute(const Step& step, const ExpectElement& a) {
    using What = ExpectElement::What;
    const auto all = panel_->elements(a.element.gauge);
    int seen = 0;
    const ElementState* e = nullptr;
    for (const auto& candidate : all)
        if (candidate.x == a.element.at.x && candidate.y == a.element.at.y && seen++ == a.element.index) {
            e = &candidate;
            break;
        }
    if (!e) {  // validated before the run; a panel cannot lose elements
        fail(step, "the element is gone");
        return;
    }
    const auto within = [&](double expected) {
        return a.tolerance != ExactTolerance ? number(expected) + " within " + number(a.tolerance) : number(expected);
    };
    const auto close = [&](double actual, double expected) { return std::fabs(actual - expected) <= a.tolerance; };
    const auto flag = [&](bool actual, bool wanted, const char* yes, const char* no) {
        expect(step, actual == wanted, wanted ? yes : no, actual ? yes : no);
    };
    switch (a.what) {
        case What::State:
            expect(step, static_cast<double>(e->state) == a.number, "state " + number(a.number),
                   "state " + std::to_string(e->state));
            break;
        case What::Shown:
        case What::Hidden:
            flag(e->visible, a.what == What::Shown, "shown", "hidden");
            break;
        case What::Lit:
        case What::Unlit:
            flag(e->lit, a.what == What::Lit, "lit", "unlit");
            break;
        case What::Value:
            expect(step, close(e->value, a.number), within(a.number), number(e->value));
            break;
        case What::Angle:
            expect(step, close(e->angle, a.number), within(a.number), number(e->angle));
            break;
        case What::Offset:
            expect(step, close(e->offsetX, a.number) && close(e->offsetY, a.numberY),
                   "offset " + number(a.number) + "," + within(a.numberY),
                   "offset " + number(e->offsetX) + "," + number(e->offsetY));
            break;
        case What::Text:
            expect(step, e->text == a.text, "text \"" + a.text + "\"", "text \"" + e->text + "\"");
            break;
    }
}

}  // namespace tj20::host::scenario
