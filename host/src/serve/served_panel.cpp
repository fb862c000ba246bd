// The live panel of the browser page (served_panel.h).
#include "served_panel.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>
#include <stdexcept>

#include "names/id_names.h"
#include "tj20/host_abi.h"
#include "tj20host/trace.h"

namespace tj20::host::serve {

namespace {

// A refused message: the reply names the member and the problem.
struct Refused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const Json& member(const Json& m, const char* name) {
    const auto it = m.find(name);
    if (it == m.end()) throw Refused(std::string("'") + name + "' is missing");
    return *it;
}

std::string text(const Json& m, const char* name) {
    const Json& v = member(m, name);
    if (!v.is_string()) throw Refused(std::string("'") + name + "' must be a string");
    return v.get<std::string>();
}

std::int64_t whole(const Json& m, const char* name, std::int64_t least, std::int64_t most) {
    const Json& v = member(m, name);
    if (!v.is_number_integer() && !v.is_number_unsigned())
        throw Refused(std::string("'") + name + "' must be a whole number");
    const bool negative = v.is_number_integer() && !v.is_number_unsigned() && v.get<std::int64_t>() < 0;
    if (!negative && v.is_number_unsigned() && v.get<std::uint64_t>() > static_cast<std::uint64_t>(most))
        throw Refused(std::string("'") + name + "' must be from " + std::to_string(least) + " to " +
                      std::to_string(most));
    const std::int64_t n = v.get<std::int64_t>();
    if (n < least || n > most)
        throw Refused(std::string("'") + name + "' must be from " + std::to_string(least) + " to " +
                      std::to_string(most));
    return n;
}

Json error(std::string_view message) { return Json{{"type", "error"}, {"message", message}}; }

const char* cursorName(int cursor) {
    switch (cursor) {
        case abi::CursorHand:
            return "pointer";
        case abi::CursorUpArrow:
            return "n-resize";
        case abi::CursorDownArrow:
            return "s-resize";
        default:
            return "default";
    }
}

// The page's names of the mouse events and the area flags that take them.
struct MouseKind {
    const char* name;
    std::uint32_t flag;
};
constexpr MouseKind mouseKinds[] = {
    {"press", abi::MouseLeftPress}, {"drag", abi::MouseLeftDrag}, {"right", abi::MouseRightPress}, {"release", 0}};

}  // namespace

std::string base64(std::string_view bytes) {
    static constexpr char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t v = 0;
        for (std::size_t k = 0; k < 3; ++k) v = v << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k) out += k <= n ? digits[(v >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

ServedPanel::ServedPanel(PanelConfig config, std::filesystem::path moduleDir)
    : config_(std::move(config)), panel_(Panel::load(config_, {moduleDir})), renderer_(moduleDir) {
    // One cycle draws every gauge, so that each knows its background (and so its size).
    panel_->run(1);
    for (const auto& window : config_.windows) {
        auto& list = areas_[window.section];
        for (const auto& place : window.gauges) {
            const Picture alone = renderer_.gauge(*panel_, place.module);
            GaugeArea a{place.module, {}, std::max(1, alone.width), std::max(1, alone.height)};
            a.box = panel_->gaugeBox(place.module).value_or(GaugeBox{place.x, place.y, a.ownWidth, a.ownHeight});
            list.push_back(a);
        }
    }
    journalNext_ = panel_->journal().end();
    values(true);  // the first frame tells only what changed after the snapshot
}

Json ServedPanel::layout() const {
    Json windows = Json::array();
    for (const auto& w : config_.windows) {
        Json gauges = Json::array();
        for (const auto& a : areas_.at(w.section))
            gauges.push_back({{"module", a.module},
                              {"x", a.box.x},
                              {"y", a.box.y},
                              {"width", a.box.width},
                              {"height", a.box.height}});
        windows.push_back({{"section", w.section},
                           {"title", w.title},
                           {"ident", w.ident},
                           {"width", std::max(1, w.width)},
                           {"height", std::max(1, w.height)},
                           {"gauges", gauges}});
    }
    Json sim = Json::array();
    for (const auto& n : simNames()) sim.push_back(n.name);
    return {{"type", "layout"},
            {"panel", std::filesystem::path(config_.source).filename().string()},
            {"windows", windows},
            {"simNames", sim}};
}

// What the window's picture is drawn from: every element's drawn state, as text. Pictures are
// drawn again only when it changes.
std::string ServedPanel::drawnState(const WindowConfig& window) const {
    std::ostringstream s;
    s.precision(17);
    for (const auto& place : window.gauges)
        for (const ElementState& e : panel_->elements(place.module))
            s << e.kind << ' ' << e.bitmap << ' ' << e.x << ' ' << e.y << ' ' << e.visible << e.lit << ' ' << e.state
              << ' ' << e.angle << ' ' << e.offsetX << ' ' << e.offsetY << ' ' << e.rotation << ' ' << e.textColour
              << ' ' << e.backgroundColour << ' ' << e.text.size() << ':' << e.text << '\n';
    return s.str();
}

namespace {
struct Box {
    int left, top, right, bottom;  // right and bottom exclusive
};

// The box round the pixels that differ between two pictures of one size; empty when none do.
Box changedBox(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b, int width, int height) {
    const auto row = [&](const std::vector<std::uint32_t>& p, int y) {
        return p.data() + static_cast<std::size_t>(y) * width;
    };
    const auto same = [&](int y) { return std::memcmp(row(a, y), row(b, y), width * sizeof(std::uint32_t)) == 0; };
    int top = 0, bottom = height;
    while (top < height && same(top)) ++top;
    if (top == height) return {0, 0, 0, 0};
    while (same(bottom - 1)) --bottom;
    int left = width, right = 0;
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t *pa = row(a, y), *pb = row(b, y);
        for (int x = 0; x < left; ++x)
            if (pa[x] != pb[x]) left = x;
        for (int x = width - 1; x >= right; --x)
            if (pa[x] != pb[x]) right = x + 1;
    }
    return {left, top, right, bottom};
}
}  // namespace

// The window's picture, or with onlyIfChanged the box of it whose pixels changed since the
// last one sent (null when none did): {"x","y","width","height","png"} with the PNG in base64.
Json ServedPanel::windowPicture(const WindowConfig& window, bool onlyIfChanged) {
    std::string drawn = drawnState(window);
    auto& lastDrawn = lastDrawn_[window.section];
    if (onlyIfChanged && drawn == lastDrawn) return nullptr;
    lastDrawn = std::move(drawn);
    Picture p = renderer_.window(*panel_, window);
    auto& last = lastPixels_[window.section];
    Box box{0, 0, p.width, p.height};
    if (onlyIfChanged && last.size() == p.argb.size()) {
        box = changedBox(last, p.argb, p.width, p.height);
        if (box.right == box.left) return nullptr;
    }
    Picture part{box.right - box.left, box.bottom - box.top, {}};
    part.argb.reserve(static_cast<std::size_t>(part.width) * part.height);
    for (int y = box.top; y < box.bottom; ++y)
        part.argb.insert(part.argb.end(), p.argb.begin() + static_cast<std::ptrdiff_t>(y) * p.width + box.left,
                         p.argb.begin() + static_cast<std::ptrdiff_t>(y) * p.width + box.right);
    last = std::move(p.argb);
    return {{"x", box.left},
            {"y", box.top},
            {"width", part.width},
            {"height", part.height},
            {"png", base64(encodePng(part))}};
}

Json ServedPanel::values(bool onlyChanged) {
    Json shared = Json::object(), sim = Json::object();
    for (const auto& name : panel_->sharedNames()) {
        const std::uint32_t v = panel_->shared(name).value_or(0);
        const auto it = lastShared_.find(name);
        if (!onlyChanged || it == lastShared_.end() || it->second != v) shared[name] = v;
        lastShared_[name] = v;
    }
    for (const auto& n : simNames()) {
        const double v = panel_->sim().get(n.id);
        const auto it = lastSim_.find(n.id);
        const bool same = it != lastSim_.end() && (it->second == v || (std::isnan(v) && std::isnan(it->second)));
        if (!onlyChanged || !same) sim[n.name] = v;  // not finite: null
        lastSim_[n.id] = v;
    }
    return {{"shared", shared}, {"sim", sim}};
}

Json ServedPanel::journalSince(std::uint64_t& next, std::size_t most) const {
    const Journal& j = panel_->journal();
    next = std::max({next, j.first(), j.end() > most ? j.end() - most : 0});
    Json events = Json::array();
    for (; next < j.end(); ++next) {
        const Event& e = j.at(next);
        if (e.kind != Event::Kind::KeyEvent && e.kind != Event::Kind::Sound) continue;
        std::ostringstream line;
        printEventJson(line, e);
        events.push_back(Json::parse(line.str()));
    }
    return events;
}

Json ServedPanel::snapshot() {
    Json windows = Json::object();
    for (const auto& w : config_.windows) {
        Json one = {{"visible", panel_->windowVisible(w.section)}};
        if (panel_->windowVisible(w.section)) one["picture"] = windowPicture(w, false);
        windows[w.section] = one;
    }
    std::uint64_t from = 0;
    Json v = values(false);
    return {{"type", "snapshot"}, {"paused", paused_},     {"speed", speed_}, {"cycle", panel_->cycleCount()},
            {"windows", windows}, {"shared", v["shared"]}, {"sim", v["sim"]}, {"events", journalSince(from, 200)}};
}

Json ServedPanel::frame(bool draw) {
    Json f = {{"type", "frame"}, {"cycle", panel_->cycleCount()}};
    Json windows = Json::object();
    for (const auto& w : config_.windows) {
        const bool visible = panel_->windowVisible(w.section);
        Json one = Json::object();
        const auto was = lastVisible_.find(w.section);
        if (was == lastVisible_.end() || was->second != visible) {
            one["visible"] = visible;
            if (visible) {  // a window opened again is sent whole
                lastPixels_.erase(w.section);
                lastDrawn_.erase(w.section);
            }
        }
        lastVisible_[w.section] = visible;
        if (visible && draw)
            if (Json picture = windowPicture(w, true); !picture.is_null()) one["picture"] = std::move(picture);
        if (!one.empty()) windows[w.section] = std::move(one);
    }
    if (!windows.empty()) f["windows"] = std::move(windows);
    Json v = values(true);
    if (!v["shared"].empty()) f["shared"] = v["shared"];
    if (!v["sim"].empty()) f["sim"] = v["sim"];
    Json events = journalSince(journalNext_, 200);
    if (!events.empty()) f["events"] = std::move(events);
    return f;
}

void ServedPanel::cycles(int n) {
    for (int i = 0; i < n; ++i) {
        if (held_) panel_->repeatPress(held_->gauge, held_->x, held_->y);
        panel_->run(1);
    }
}

void ServedPanel::advance() {
    if (!paused_) cycles(speed_);
}

Json ServedPanel::handle(std::string_view message) {
    Json m;
    try {
        if (message.size() > MessageLimit) throw Refused("the message is longer than the limit");
        m = Json::parse(message);
    } catch (const Json::parse_error& e) {
        return error(std::string("the message is not JSON: ") + e.what());
    } catch (const Refused& e) {
        return error(e.what());
    }
    if (!m.is_object()) return error("the message is not a JSON object");
    try {
        const std::string type = text(m, "type");
        if (type == "mouse") return onMouse(m);
        if (type == "pointer") return onPointer(m);
        if (type == "window") return onWindow(m);
        if (type == "set") return onSet(m);
        if (type == "control") return onControl(m);
        throw Refused("unknown message type '" + type + "'");
    } catch (const Refused& e) {
        return error(e.what());
    } catch (const Json::exception& e) {
        return error(std::string("the message is malformed: ") + e.what());
    }
}

const WindowConfig& ServedPanel::windowNamed(const Json& m) const {
    const std::string name = text(m, "window");
    const WindowConfig* w = findWindow(config_, name);
    if (!w) throw Refused("the panel has no window '" + name + "'");
    return *w;
}

// The topmost gauge (the last drawn) whose box holds the point and that has an area there
// taking the event, with the point in the gauge's own pixels.
std::optional<ServedPanel::Hit> ServedPanel::hitTest(const WindowConfig& window, int x, int y,
                                                     std::uint32_t flag) const {
    const auto& list = areas_.at(window.section);
    for (auto a = list.rbegin(); a != list.rend(); ++a) {
        const GaugeBox& b = a->box;
        if (b.width <= 0 || b.height <= 0 || x < b.x || y < b.y || x >= b.x + b.width || y >= b.y + b.height) continue;
        Hit hit;
        hit.gauge = a->module;
        hit.x = static_cast<int>(static_cast<long long>(x - b.x) * a->ownWidth / b.width);
        hit.y = static_cast<int>(static_cast<long long>(y - b.y) * a->ownHeight / b.height);
        hit.info = panel_->pointerAt(hit.gauge, hit.x, hit.y);
        if (!hit.info.area && hit.info.tooltip.empty()) continue;
        if (flag && !(hit.info.flags & flag)) {
            if (hit.info.area) continue;
        }
        return hit;
    }
    return std::nullopt;
}

Json ServedPanel::onMouse(const Json& m) {
    const std::string event = text(m, "event");
    const auto kind =
        std::find_if(std::begin(mouseKinds), std::end(mouseKinds), [&](const MouseKind& k) { return event == k.name; });
    if (kind == std::end(mouseKinds))
        throw Refused("unknown mouse event '" + event + "' (press, drag, right, release)");
    if (kind->flag == 0) {
        held_.reset();
        return {{"type", "mouse"}, {"event", event}, {"hit", false}};
    }
    const WindowConfig& window = windowNamed(m);
    const int x = static_cast<int>(whole(m, "x", 0, std::max(1, window.width) - 1));
    const int y = static_cast<int>(whole(m, "y", 0, std::max(1, window.height) - 1));
    if (!panel_->windowVisible(window.section)) throw Refused("the window '" + window.title + "' is hidden");
    const auto hit = hitTest(window, x, y, kind->flag);
    Json reply = {{"type", "mouse"}, {"event", event}, {"hit", false}};
    if (!hit || !hit->info.area) return reply;
    const MouseEvent me = kind->flag == abi::MouseLeftPress  ? MouseEvent::Press
                          : kind->flag == abi::MouseLeftDrag ? MouseEvent::Drag
                                                             : MouseEvent::RightPress;
    const bool hitArea = panel_->mouse(hit->gauge, hit->x, hit->y, me);
    if (me == MouseEvent::Press && hitArea && (hit->info.flags & abi::MouseRepeat))
        held_ = Held{hit->gauge, hit->x, hit->y};
    reply["hit"] = hitArea;
    reply["gauge"] = hit->gauge;
    reply["x"] = hit->x;
    reply["y"] = hit->y;
    return reply;
}

Json ServedPanel::onPointer(const Json& m) {
    const WindowConfig& window = windowNamed(m);
    const int x = static_cast<int>(whole(m, "x", 0, std::max(1, window.width) - 1));
    const int y = static_cast<int>(whole(m, "y", 0, std::max(1, window.height) - 1));
    Json reply = {{"type", "pointer"}, {"window", window.section}, {"cursor", "default"}, {"tooltip", ""}};
    if (const auto hit = hitTest(window, x, y, 0)) {
        if (hit->info.area) reply["cursor"] = cursorName(hit->info.cursor);
        reply["tooltip"] = hit->info.tooltip;
        reply["gauge"] = hit->gauge;
    }
    return reply;
}

Json ServedPanel::onWindow(const Json& m) {
    const WindowConfig& window = windowNamed(m);
    const Json& visible = member(m, "visible");
    if (!visible.is_boolean()) throw Refused("'visible' must be true or false");
    panel_->setWindowVisible(window.section, visible.get<bool>());
    return {{"type", "window"}, {"window", window.section}, {"visible", panel_->windowVisible(window.section)}};
}

Json ServedPanel::onSet(const Json& m) {
    const std::string kind = text(m, "kind");
    const std::string name = text(m, "name");
    const Json& value = member(m, "value");
    if (kind == "shared") {
        if (!panel_->shared(name)) throw Refused("no shared variable '" + name + "'");
        const auto v = static_cast<std::uint32_t>(whole(m, "value", 0, std::numeric_limits<std::uint32_t>::max()));
        panel_->setShared(name, v);
        return {{"type", "set"}, {"kind", kind}, {"name", name}, {"value", *panel_->shared(name)}};
    }
    if (kind != "sim") throw Refused("'kind' must be 'shared' or 'sim'");
    const auto id = idByName(simNames(), name);
    if (!id) throw Refused("no simulator value '" + name + "'");
    // As a scenario's set: a number, or packed digits written in hexadecimal ("0x1350").
    if (value.is_number()) {
        const double v = value.get<double>();
        if (!std::isfinite(v)) throw Refused("'value' must be a finite number");
        panel_->sim().set(*id, v);
    } else if (value.is_string()) {
        const std::string s = value.get<std::string>();
        const bool hex =
            s.size() > 2 && s.size() <= 10 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X') &&
            std::all_of(s.begin() + 2, s.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
        if (!hex) throw Refused("'value' must be a number or packed digits such as \"0x1350\"");
        panel_->sim().setDigits(*id, static_cast<std::uint32_t>(std::stoul(s.substr(2), nullptr, 16)));
        return {{"type", "set"}, {"kind", kind}, {"name", name}, {"value", s}};
    } else {
        throw Refused("'value' must be a number or packed digits such as \"0x1350\"");
    }
    return {{"type", "set"}, {"kind", kind}, {"name", name}, {"value", panel_->sim().get(*id)}};
}

Json ServedPanel::onControl(const Json& m) {
    const std::string action = text(m, "action");
    if (action == "pause" || action == "resume") {
        paused_ = action == "pause";
    } else if (action == "step") {
        if (!paused_) throw Refused("steps are taken only while the panel is paused");
        cycles(static_cast<int>(whole(m, "cycles", 1, MostCyclesAtOnce)));
    } else if (action == "speed") {
        speed_ = static_cast<int>(whole(m, "speed", 1, FastestSpeed));
    } else {
        throw Refused("unknown control '" + action + "' (pause, resume, step, speed)");
    }
    return {{"type", "control"}, {"paused", paused_}, {"speed", speed_}, {"cycle", panel_->cycleCount()}};
}

}  // namespace tj20::host::serve
