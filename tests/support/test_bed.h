// The gauge tests' bench: a panel of real modules loaded through the host, driven by the
// pilot's hand (clicks at points of a gauge), by shared and simulator values and by time, and
// read back as scenario scripts read it: elements by their position on the gauge ("x,y", or
// "x,y[n]" for the n-th element at that position), key events and sounds since a mark.
// Gauge tests depend on this header only; what the host keeps and how is its business.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "panel_test.h"

namespace tj20::test {

// A point on a gauge's background, where the mouse areas are.
struct Pt {
    int x = 0, y = 0;
};

// An element by its position on the gauge: the n-th (from 0) of the chain at x,y.
struct At {
    int x = 0, y = 0;
    std::size_t n = 0;
    constexpr At(int px, int py, std::size_t index = 0) : x(px), y(py), n(index) {}
    // "x,y" or "x,y[n]", as scenario scripts write it.
    At(const char* text) {  // NOLINT(google-explicit-constructor)
        char open = 0, close = 0;
        std::istringstream in(text);
        char comma = 0;
        if (!(in >> x >> comma >> y) || comma != ',') ADD_FAILURE() << "malformed element position " << text;
        if (in >> open) {
            if (open != '[' || !(in >> n >> close) || close != ']')
                ADD_FAILURE() << "malformed element position " << text;
        }
    }
};
// An element position written as text, for naming elements: constexpr Position Overlay = "0,0[1]".
using Position = const char*;

inline std::ostream& operator<<(std::ostream& os, const At& a) {
    os << a.x << ',' << a.y;
    return a.n ? os << '[' << a.n << ']' : os;
}

// A key event as a gauge sent it.
struct Key {
    std::uint32_t id = 0;
    std::uint32_t value = 0;
    std::string gauge;
};
using Sound = host::SoundRecord;

// A place in what the panel has sent and played; "since a mark" reads what came after it.
struct Mark {
    std::size_t keys = 0, sounds = 0;
};

struct Setup {
    std::vector<std::string> modules = {};   // one window, in panel order (owners first)
    std::string focus = {};                  // the gauge clicks and elements default to; empty: the last module
    std::vector<std::string> standIns = {};  // shared variables the host owns for an absent owner
    int firstCycles = 1;                     // cycles run after loading (the first draw sets initial values)
    bool simulatorModel = true;              // false: nothing answers key events, simulator values stay as set
};

class Bed {
public:
    explicit Bed(Setup setup) : setup_(std::move(setup)) {
        if (setup_.focus.empty() && !setup_.modules.empty()) setup_.focus = setup_.modules.back();
        reload(setup_.firstCycles);
    }

    // Unloads and loads the panel again (one panel at a time: each module keeps one state).
    void reload(int firstCycles = 1) {
        panel_.reset();
        host::LoadOptions options{panelDir()};
        options.standInVariables = setup_.standIns;
        if (!setup_.simulatorModel) options.model = host::SimModel{};
        panel_ = host::Panel::load(host::PanelConfig::fromModules(setup_.modules), options);
        checked_ = {};
        if (firstCycles > 0) run(firstCycles);
    }
    void unload() { panel_.reset(); }
    host::Panel& panel() { return *panel_; }
    const std::string& focus() const { return setup_.focus; }

    // Shared variables, through the registry; a name nobody registered reads nullopt.
    std::optional<std::uint32_t> shared(std::string_view name) const { return panel_->shared(name); }
    void set(std::string_view name, std::uint32_t value) {
        if (!panel_->setShared(name, value)) ADD_FAILURE() << "no gauge registers the shared variable " << name;
    }
    std::vector<std::string> sharedNames() const { return panel_->sharedNames(); }

    // Simulator values.
    void sim(std::uint32_t id, double value) { panel_->sim().set(id, value); }
    double sim(std::uint32_t id) const { return panel_->sim().get(id); }
    void digits(std::uint32_t id, std::uint32_t packed) { panel_->sim().setDigits(id, packed); }

    // Time: cycles at a tick step, and the tick counter.
    void run(int cycles = 1, double tickStep = 1.0) { panel_->run(cycles, tickStep); }
    double tick() const { return panel_->tick(); }
    void setTick(double tick) { panel_->setTick(tick); }
    // Cycles at irregular tick steps (0.25 to 2.75, from the seed) until the counter has moved
    // on by at least `ticks`; `afterEach` runs after every cycle. Returns the cycles run.
    int runJittered(double ticks, std::uint32_t seed, const std::function<void()>& afterEach = {}) {
        std::minstd_rand steps(seed);
        const double until = tick() + ticks;
        int cycles = 0;
        while (tick() < until) {
            run(1, 0.25 + static_cast<double>(steps() % 1000) / 400.0);
            ++cycles;
            if (afterEach) afterEach();
        }
        return cycles;
    }

    // The pilot's hand at a point of a gauge (the focus gauge unless named). A press that no
    // area takes fails the test, as in a scenario; `tryClick` only reports it.
    bool tryClick(std::string_view gauge, Pt p, host::MouseEvent e = host::MouseEvent::Press) {
        return panel_->mouse(gauge, p.x, p.y, e);
    }
    bool tryClick(Pt p, host::MouseEvent e = host::MouseEvent::Press) { return tryClick(setup_.focus, p, e); }
    void click(std::string_view gauge, Pt p) { expectTaken(tryClick(gauge, p), gauge, p, "press"); }
    void click(Pt p) { click(setup_.focus, p); }
    void clicks(Pt p, int times) {
        for (int i = 0; i < times; ++i) click(p);
    }
    void rightClick(std::string_view gauge, Pt p) {
        expectTaken(tryClick(gauge, p, host::MouseEvent::RightPress), gauge, p, "right press");
    }
    void drag(std::string_view gauge, Pt p) {
        expectTaken(tryClick(gauge, p, host::MouseEvent::Drag), gauge, p, "drag");
    }
    // A left press held for `cycles` cycles (they run).
    void hold(Pt p, int cycles) { expectTaken(panel_->hold(setup_.focus, p.x, p.y, cycles), setup_.focus, p, "hold"); }

    // Key events and sounds.
    Mark mark() const { return {journal().keyEvents.size(), journal().sounds.size()}; }
    std::vector<Key> keys(Mark from = {}) const {
        std::vector<Key> out;
        const auto& all = journal().keyEvents;
        for (std::size_t i = from.keys; i < all.size(); ++i) out.push_back({all[i].id, all[i].value, all[i].gauge});
        return out;
    }
    std::vector<std::uint32_t> keyIds(Mark from = {}) const {
        std::vector<std::uint32_t> ids;
        for (const auto& k : keys(from)) ids.push_back(k.id);
        return ids;
    }
    // The values sent with one key event.
    std::vector<std::uint32_t> values(std::uint32_t id, Mark from = {}) const {
        std::vector<std::uint32_t> v;
        for (const auto& k : keys(from))
            if (k.id == id) v.push_back(k.value);
        return v;
    }
    std::size_t count(std::uint32_t id, Mark from = {}) const { return values(id, from).size(); }
    // The key events sent since the last `sent()` (or since loading), as "expect keys" reads them.
    std::vector<std::uint32_t> sent() {
        auto ids = keyIds(checked_);
        checked_.keys = journal().keyEvents.size();
        return ids;
    }
    // The repeating sounds playing now, by alias, in alphabetical order.
    std::vector<std::string> playing() const {
        std::vector<std::string> aliases;
        for (const auto& p : panel_->journal().playing()) aliases.push_back(p.alias);
        std::sort(aliases.begin(), aliases.end());
        return aliases;
    }
    std::vector<Sound> sounds(Mark from = {}) const {
        const auto& all = journal().sounds;
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from.sounds, all.size())), all.end()};
    }
    std::size_t played(std::string_view path, Mark from = {}) const {
        std::size_t n = 0;
        for (const auto& s : sounds(from))
            n += s.call == Sound::Call::Play && s.path == path && s.alias.empty() && !s.repeat;
        return n;
    }
    // Whether the host noted something containing the text (a binding without an owner, ...).
    bool noted(std::string_view text) const {
        for (const auto& e : journal().events)
            if (e.kind == host::Event::Kind::Note && e.text.find(text) != std::string::npos) return true;
        return false;
    }

    // Elements as the last draw left them, by position (the focus gauge unless named).
    host::ElementState element(std::string_view gauge, At at) const { return find(panel_->elements(gauge), gauge, at); }
    host::ElementState element(At at) const { return element(setup_.focus, at); }
    // Re-evaluated now, as a redraw would.
    host::ElementState redrawn(std::string_view gauge, At at) { return find(panel_->evaluate(gauge), gauge, at); }
    host::ElementState redrawn(At at) { return redrawn(setup_.focus, at); }
    std::vector<host::ElementState> elements(std::string_view gauge) const { return panel_->elements(gauge); }

    void service(std::string_view gauge, int code) { panel_->service(gauge, code); }

private:
    const host::Journal& journal() const { return panel_->journal(); }
    static void expectTaken(bool taken, std::string_view gauge, Pt p, const char* what) {
        if (!taken) ADD_FAILURE() << "no area of " << gauge << " takes a " << what << " at " << p.x << ',' << p.y;
    }
    static host::ElementState find(const std::vector<host::ElementState>& all, std::string_view gauge, At at) {
        std::size_t seen = 0;
        std::ostringstream positions;
        for (const auto& e : all) {
            if (e.x == at.x && e.y == at.y && seen++ == at.n) return e;
            positions << ' ' << e.x << ',' << e.y;
        }
        ADD_FAILURE() << gauge << " has no element " << at << " (elements at:" << positions.str() << ")";
        return {};
    }

    Setup setup_;
    std::unique_ptr<host::Panel> panel_;
    Mark checked_;
};

}  // namespace tj20::test
